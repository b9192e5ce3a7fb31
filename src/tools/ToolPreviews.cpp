// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ToolPreviews.h"

#include "view/Renderer.h"

#include <algorithm>

namespace quorvel {

namespace {
constexpr double FullTurn = 6.2831853;
constexpr double HalfTurn = 3.14159265;
int32_t halfAxis(double v) { return nearest(std::abs(v)); }
}  // namespace

void previewLine(Surface& s, LineStart from, float x, float row, int spacing, PreviewStyle st, PixelGrid g) {
    double sx = from.x, sr = g.last() - from.y;
    const int px = nearest(x), pr = nearest(row);
    // Spacing is never under 3 pixels, so a line across the canvas previews a few hundred points.
    stepLine(sx, sr, x, row, spacing, [&](double cx, double cr) {
        s.circle(nearest(cx), nearest(cr), st.pointSize, st.color);
        s.line(nearest(cx), nearest(cr), px, pr, st.color);
    });
    s.circle(px, pr, st.pointSize, st.color);
}

void previewEllipse(Surface& s, int32_t cx, int32_t cy, float x, float y, int pointSpace, PreviewStyle st,
                    PixelGrid g) {
    const int32_t rx = halfAxis(x - cx), ry = halfAxis(y - cy);
    const double step = ellipseAngleStep(pointSpace, rx, ry, g);
    const auto at = [&](double a) {
        const Pixel p = ellipsePoint(a, cx, cy, rx, ry);
        return Pixel{p.x, g.last() - p.y};
    };
    Pixel pos = at(0);
    for (double a = 0; a <= FullTurn; a += step) {
        const Pixel next = at(a);
        s.line(pos.x, pos.y, next.x, next.y, st.color);
        pos = next;
    }
    const Pixel top = at(0);
    s.line(pos.x, pos.y, top.x, top.y, st.color);
    for (double a = 0; a <= 2 * HalfTurn; a += step) {
        const Pixel p = at(a);
        s.circle(p.x, p.y, st.pointSize, st.color);
    }
}

void previewRectangle(Surface& s, int32_t cx, int32_t cy, float x, float row, Rgb color, PixelGrid g) {
    const int left = cx, top = g.last() - cy, right = nearest(x), bottom = nearest(row);
    s.line(left, top, right, top, color);
    s.line(right, top, right, bottom, color);
    s.line(right, bottom, left, bottom, color);
    s.line(left, bottom, left, top, color);
}

void previewMove(Surface& s, const WorkingFrame& wf, int dx, int dRow, const Palette& pal, int pointSize, PixelGrid g) {
    if (wf.selStart < 0) return;
    wf.visit([&](const auto& r) {
        const int32_t last = std::min(wf.selEnd, r.pointCount - 1);
        const auto shown = [&](int32_t k) {
            const Pixel p = pixelOf(r.points[k], g);
            return Pixel{p.x + dx, screenRow(p.y, g) + dRow};
        };
        for (int32_t k = wf.selStart; k <= last; ++k) {
            const Pixel p = shown(k);
            s.circle(p.x, p.y, pointSize, colorOf(r.points[k], pal));
        }
        Pixel pos = shown(wf.selStart);
        for (int32_t k = wf.selStart; k <= last; ++k) {
            const Pixel p = shown(k);
            s.line(pos.x, pos.y, p.x, p.y, colorOf(r.points[k], pal));
            pos = p;
        }
    });
}

void previewInsert(Surface& s, const WorkingFrame& wf, int32_t k, int32_t x, int32_t y, const Ink& ink, PixelGrid g) {
    const auto shown = [&](uint8_t status) { return status & StatusBit::Blanked ? BlankedGray : ink.rgb; };
    wf.visit([&](const auto& r) {
        if (k < 0 || k + 1 >= r.pointCount) return;
        const Pixel a = pixelOf(r.points[k], g), b = pixelOf(r.points[k + 1], g);
        const int row = screenRow(y, g);
        const Rgb before = shown(r.points[k].status);
        s.line(a.x, screenRow(a.y, g), x, row, before);
        s.line(x, row, b.x, screenRow(b.y, g), shown(r.points[k + 1].status));
        s.circle(x, row, 4, before);
    });
}

Pixel shownAt(const WorkingFrame& wf, int32_t i, PixelGrid g) {
    Pixel p{};
    wf.visit([&](const auto& r) {
        if (i >= 0 && i < r.pointCount) p = pixelOf(r.points[i], g);
    });
    return {p.x, screenRow(p.y, g)};
}

}  // namespace quorvel
