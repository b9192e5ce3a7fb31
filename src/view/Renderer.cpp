// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Renderer.h"

namespace quorvel {

void drawGrid(Surface& s, uint8_t gridStep) {
    s.line(256, 0, 256, 512, AxisColor);
    s.line(0, 256, 512, 256, AxisColor);
    const int step = gridStep == 0 ? 10 : gridStep;  // only a damaged settings file gives 0
    for (int x = 0; x <= 512; x += step)
        for (int y = 0; y <= 512; y += step) s.pixel(x, y, GridColor);
}

void markFirstPoint(int x, int y, Surface& s) { s.box(x + 4, y + 4, x - 4, y - 4, FirstPointColor, true); }
void markLastPoint(int x, int y, Surface& s) { s.box(x - 6, y + 6, x + 6, y - 6, LastPointColor, false); }
void markPoint(Surface& s, int x, int y) { s.circle(x, y, 4, SelectionColor); }

int redrawCanvas(Surface& s, const WorkingFrame& wf, const Palette& pal, const ViewSettings& v) {
    s.clear();
    drawGrid(s, v.gridStep);
    PathStyle style;
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
