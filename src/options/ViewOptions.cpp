// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ViewOptions.h"

#include <cmath>

namespace quorvel {

void drawPointSample(Surface& s, int width, int height, int pointSize) {
    const int mid = static_cast<int>(std::nearbyint(height / 2.0));
    const Rgb red = rgb(255, 0, 0);
    s.clear();
    s.line(0, mid, width, mid, red);
    s.circle(height / 2, mid, pointSize, red);
}

}  // namespace quorvel
