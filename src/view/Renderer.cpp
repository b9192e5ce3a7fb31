// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Renderer.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

void drawGrid(Surface& s, uint8_t gridStep, PixelScale scale) {
    const int span = scale.height, mid = span / 2;
    s.line(mid, 0, mid, span, AxisColor);
    s.line(0, mid, span, mid, AxisColor);
    const int step = gridStep == 0 ? 10 : gridStep;  // only a damaged settings file gives 0
    const double apart = step * 128.0 / scale.divisor;
    // Only the dots the surface shows: zoomed in, the whole grid would be millions.
    const Bounds b = s.bounds();
    const auto dots = [&](int lo, int hi) {
        return std::pair{int(std::max(0.0, std::ceil(std::max(lo, 0) / apart))), int(std::min(hi, span) / apart)};
    };
    const auto [x0, x1] = dots(b.left, b.right);
    const auto [y0, y1] = dots(b.top, b.bottom);
    for (int i = x0; i <= x1; ++i)
        for (int j = y0; j <= y1; ++j) s.pixel(int(i * apart), int(j * apart), GridColor);
}

void markFirstPoint(int x, int y, Surface& s) { s.box(x + 4, y + 4, x - 4, y - 4, FirstPointColor, true); }
void markLastPoint(int x, int y, Surface& s) { s.box(x - 6, y + 6, x + 6, y - 6, LastPointColor, false); }
void markPoint(Surface& s, int x, int y) { s.circle(x, y, 4, SelectionColor); }

int redrawCanvas(Surface& s, const WorkingFrame& wf, const Palette& pal, const ViewSettings& v) {
    s.clear();
    drawGrid(s, v.gridStep, v.scale);
    PathStyle style;
    style.scale = v.scale;
    style.beams = v.beamMode;
    style.pointSize = v.pointSize;
    style.selStart = wf.selStart;
    style.selEnd = wf.selEnd;
    int drawn = -1;
    wf.visit([&](const auto& r) {
        drawPoints(s, r.points.data(), r.pointCount, pal, style);
        drawn = r.pointCount;
    });
    return drawn;
}

}  // namespace quorvel
