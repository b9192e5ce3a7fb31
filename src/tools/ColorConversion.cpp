// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ColorConversion.h"

#include <algorithm>

namespace quorvel {

bool convertToPaletteColors(WorkingFrame& wf, const Palette& pal, int entries) {
    if (wf.format != 5) return false;
    RememberedPaletteColor nearest(pal, entries);
    const Frame5& from = *wf.frame5;
    Frame1& to = *wf.frame1;
    to.header = from.header;
    to.header.formatCode = 1;
    to.pointCount = from.pointCount;
    std::ranges::transform(from.used(), to.points.begin(), [&](const PointTrue2D& p) {
        return Point2D{p.xHi, p.xLo, p.yHi, p.yLo, p.status, nearest(rgb(p.red, p.green, p.blue))};
    });
    wf.format = 1;
    return true;
}

bool convertToTrueColor(WorkingFrame& wf, const Palette& pal) {
    Frame5& to = *wf.frame5;
    const auto convert = [&](const auto& from) {
        to.header = from.header;
        to.header.formatCode = 5;
        to.header.reserved[0] = to.header.reserved[1] = to.header.reserved[2] = 0;
        to.pointCount = from.pointCount;
        std::ranges::transform(from.used(), to.points.begin(), [&](const auto& p) {
            const uint8_t c = p.colorIndex;
            return PointTrue2D{p.xHi, p.xLo, p.yHi, p.yLo, p.status, pal.blue[c], pal.green[c], pal.red[c]};
        });
    };
    if (wf.format == 0)
        convert(*wf.frame0);
    else if (wf.format == 1)
        convert(*wf.frame1);
    else
        return false;
    wf.format = 5;
    return true;
}

}  // namespace quorvel
