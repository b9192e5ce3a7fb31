// Ellipses and rectangles of spaced points, joined to the beam path by blanked travel.
#include "shell/Editor.h"

#include <cmath>

namespace quorvel {

namespace {
constexpr double FullTurn = 6.2831853;
constexpr double HalfTurn = 3.14159265;

// Larger ellipses get smaller steps, so the points stay about PointSpace apart.
double angleStep(int pointSpace, int16_t rx, int16_t ry) { return pointSpace / (rx / 3.0 + 10 + ry / 3.0); }

struct EllipsePoint {
    int32_t x, y;
};
// Angle 0 is the top of the ellipse; the points run clockwise on the screen.
EllipsePoint ellipsePoint(double a, int32_t cx, int32_t cy, int16_t rx, int16_t ry) {
    return {static_cast<int16_t>(nearest(rx * std::sin(a) + cx)), static_cast<int16_t>(nearest(ry * std::cos(a) + cy))};
}
int16_t halfAxis(double v) { return static_cast<int16_t>(nearest(std::abs(v))); }
}  // namespace

void Editor::addCircle(int32_t cx, int32_t cy, int16_t rx, int16_t ry) {
    const double step = angleStep(settings.pointSpace, rx, ry);
    bool first = true;
    int v = 0;
    int32_t fx = 0, fy = 0;
    for (double a = 0; a <= FullTurn; a += step) {
        auto [px, py] = ellipsePoint(a, cx, cy, rx, ry);
        v = 1;
        // A point pinned to the canvas edge is blanked.
        if (px < 0) px = 0, v = 2;
        if (px > 511) px = 511, v = 2;
        if (py < 0) py = 0, v = 2;
        if (py > 511) py = 511, v = 2;
        if (first) {
            fx = px, fy = py;
            first = false;
            if (!gesture.frameWasEmpty) {
                lineTo(px, py, 2);
                redrawCanvas();
            }
            gesture.frameWasEmpty = false;
        }
        appendPoint(px, py, v);
    }
    appendPoint(fx, fy, v);  // closes the ellipse, with the status of the loop's last point
    gesture.drawFromX = fx;
    gesture.drawFromY = fy;
    redrawCanvas();
}

void Editor::previewCircle(float x, float y) {
    const Rgb colour = palette.color[currentColor];
    const int16_t rx = halfAxis(x - gesture.centerx), ry = halfAxis(y - gesture.centery);
    const double step = angleStep(settings.pointSpace, rx, ry);
    ImageSurface surface = canvasSurface();
    const auto at = [&](double a) {
        const EllipsePoint p = ellipsePoint(a, gesture.centerx, gesture.centery, rx, ry);
        return EllipsePoint{p.x, 511 - p.y};
    };
    EllipsePoint pos = at(0);
    for (double a = 0; a <= FullTurn; a += step) {
        const EllipsePoint next = at(a);
        surface.line(pos.x, pos.y, next.x, next.y, colour);
        pos = next;
    }
    const EllipsePoint top = at(0);
    surface.line(pos.x, pos.y, top.x, top.y, colour);
    for (double a = 0; a <= 2 * HalfTurn; a += step) {
        const EllipsePoint p = at(a);
        surface.circle(p.x, p.y, settings.pointSize, colour);
    }
}

void Editor::addRectangle(float x, float y) {
    const float cx = static_cast<float>(gesture.centerx), cy = static_cast<float>(gesture.centery);
    lineTo(cx, cy, 2);  // blanked travel to the first corner
    const float corners[4][2] = {{x, cy}, {x, y}, {cx, y}, {cx, cy}};
    for (const auto& c : corners) {
        drawFromLastPoint();
        lineTo(c[0], c[1], 1);
    }
}

void Editor::previewRectangle(float x, float row) {
    const Rgb colour = palette.color[currentColor];
    ImageSurface surface = canvasSurface();
    const int left = gesture.centerx, top = 511 - gesture.centery, right = nearest(x), bottom = nearest(row);
    surface.line(left, top, right, top, colour);
    surface.line(right, top, right, bottom, colour);
    surface.line(right, bottom, left, bottom, colour);
    surface.line(left, bottom, left, top, colour);
}

}  // namespace quorvel
