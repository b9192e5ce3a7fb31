// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting a line to a box (Liang and Barsky).
#include <algorithm>

namespace quorvel {

// The part of (x0, y0)-(x1, y1) inside the box, ends included; false when none of it is.
inline bool cutToBox(double& x0, double& y0, double& x1, double& y1, double left, double top, double right,
                     double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx, y1 = y0 + t1 * dy, x0 = ax, y0 = ay;
    return true;
}

}  // namespace quorvel
