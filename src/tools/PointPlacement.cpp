// New points from the canvas: single points, pen strokes and lines of evenly spaced points.
#include "shell/Editor.h"
#include "tools/PointAccess.h"

#include <algorithm>

namespace quorvel {

template <class P> bool Editor::appendTo(FrameRecord<P>& r, int32_t x, int32_t y, int button) {
    if (r.pointCount >= MaxPoints) {  // the one gate every added point passes
        win.statusNote = FrameFullNote;
        return false;
    }
    P& p = r.points[r.pointCount];
    p = P{};  // Z of a 3-D point and the colour of a true-colour point start at 0
    setPixel(p, x, y);
    p.status = statusForButton(button);
    if constexpr (hasColorIndex<P>()) p.colorIndex = currentColor;
    ++r.pointCount;
    return true;
}

template bool Editor::appendTo(Frame0&, int32_t, int32_t, int);
template bool Editor::appendTo(Frame1&, int32_t, int32_t, int);
template bool Editor::appendTo(Frame5&, int32_t, int32_t, int);

void Editor::addPoint(int32_t x, int32_t y, int button) {
    if (!frame.hasLiveRecord()) return;
    frame.visit([&](auto& r) { appendTo(r, x, y, button); });
    redrawCanvas();
}

void Editor::appendPoint(int32_t x, int32_t y, int button) {
    if (frame.format == 0) appendTo(*frame.frame0, x, y, button);
    if (frame.format == 1) appendTo(*frame.frame1, x, y, button);
}

void Editor::drawFromLastPoint() {
    frame.visit([&](const auto& r) {
        if (r.pointCount == 0) return;
        const auto& last = r.points[r.pointCount - 1];
        // A point at the right or top edge lies on pixel 512, which no point can be stored at.
        gesture.drawFromX = std::min(toCanvas(last.xHi, last.xLo) / 128.0, 511.0);
        gesture.drawFromY = std::min(toCanvas(last.yHi, last.yLo) / 128.0, 511.0);
        gesture.frameWasEmpty = false;
    });
}

// The stepping shared by LineTo and its preview: from (fromA, fromB) towards (a, b), where a
// is x and b is y, steps of `s` along the longer axis; `visit` gets each loop position. The
// start is moved along to the last loop position, as a line of points leaves it.
template <class Visit>
void stepLine(double& fromX, double& fromY, double x, double y, int s, Visit&& visit) {
    const double dx = std::abs(x - fromX), dy = std::abs(y - fromY);
    const bool steep = dy >= dx;
    double& major = steep ? fromY : fromX;
    double& minor = steep ? fromX : fromY;
    const double target = steep ? y : x, other = steep ? x : y;
    const double sign = target - major < 0 ? -1 : 1;
    float n = static_cast<float>(std::abs(target - major) / s);
    if (n == 0) n = 1;
    const double minorStep = (other - minor) / n;
    const double step = s * sign, start = major;
    for (double t = start; sign > 0 ? t <= target : t >= target; t += step) {
        steep ? visit(minor, t) : visit(t, minor);
        minor += minorStep;
        major = t;
    }
}

void Editor::lineTo(float x, float y, int button) {
    if (frame.format != 0 && frame.format != 1) return;
    const int s = button == 1 ? settings.pointSpace : settings.blankSpace;
    stepLine(gesture.drawFromX, gesture.drawFromY, x, y, s,
             [&](double px, double py) { appendPoint(nearest(px), nearest(py), button); });
    appendPoint(nearest(x), nearest(y), button);  // the end, doubled when the steps land on it
}

void Editor::previewLine(float x, float row, int button) {
    const Rgb colour = button == 1 ? palette.color[currentColor] : BlankedGray;
    const int s = button == 1 ? settings.pointSpace : settings.blankSpace;
    ImageSurface surface = canvasSurface();
    double sx = gesture.drawFromX, sr = 511 - gesture.drawFromY;
    const int px = nearest(x), pr = nearest(row);
    int steps = 0;
    stepLine(sx, sr, x, row, s, [&](double cx, double cr) {
        if (++steps > MaxPoints) return;  // a preview never draws more than a frame can hold
        surface.circle(nearest(cx), nearest(cr), settings.pointSize, colour);
        surface.line(nearest(cx), nearest(cr), px, pr, colour);
    });
    surface.circle(px, pr, settings.pointSize, colour);
}

}  // namespace quorvel
