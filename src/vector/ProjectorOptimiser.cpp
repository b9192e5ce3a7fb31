// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/ProjectorOptimiser.h"

#include <numbers>

namespace quorvel {

double turnDegrees(Place a, Place b, Place c) {
    const double ux = b.x - a.x, uy = b.y - a.y, vx = c.x - b.x, vy = c.y - b.y;
    const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (lengths == 0) return 0;
    const double cosine = std::clamp((ux * vx + uy * vy) / lengths, -1.0, 1.0);
    return std::acos(cosine) * 180 / std::numbers::pi;
}

}  // namespace quorvel
