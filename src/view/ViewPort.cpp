// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ViewPort.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {
int keptIn(int start, int view, int span) {
    if (span <= view) return -(view - span) / 2;
    return std::clamp(start, 0, span - view);
}
}  // namespace

ViewPort keptInBounds(ViewPort v) {
    v.left = keptIn(v.left, v.width, v.grid.span());
    v.top = keptIn(v.top, v.height, v.grid.span());
    return v;
}

ViewPort zoomedAbout(ViewPort v, int divisor, double atX, double atY) {
    divisor = std::clamp(divisor, FinestDivisor, NormalDivisor);
    // The frame units under the pointer, before and after.
    const double ux = (v.left + atX) * v.grid.divisor, uy = (v.top + atY) * v.grid.divisor;
    v.grid.divisor = divisor;
    v.left = int(std::lround(ux / divisor - atX));
    v.top = int(std::lround(uy / divisor - atY));
    return keptInBounds(v);
}

int zoomInDivisor(int divisor) {
    int d = NormalDivisor;
    while (d >= divisor && d > FinestDivisor) d /= 2;
    return d;
}

int zoomOutDivisor(int divisor) {
    int d = FinestDivisor;
    while (d <= divisor && d < NormalDivisor) d *= 2;
    return d;
}

ViewPort fitted(ViewPort v) {
    const int room = std::max(1, std::min(v.width, v.height));
    v.grid.divisor = std::clamp((65535 + room - 1) / room, FinestDivisor, NormalDivisor);
    v.left = v.top = 0;
    return keptInBounds(v);
}

ViewPort resized(ViewPort v, int width, int height) {
    v.left += (v.width - width) / 2;
    v.top += (v.height - height) / 2;
    v.width = std::max(width, 1), v.height = std::max(height, 1);
    return keptInBounds(v);
}

}  // namespace quorvel
