// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/Transform.h"

#include "tools/PointAccess.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel {

namespace {
constexpr int32_t LastUnit = 65534;

// The points a transform takes: the selection, or the whole frame.
template <class R> std::pair<int32_t, int32_t> span(const WorkingFrame& wf, const R& r) {
    if (wf.selStart < 0) return {0, r.pointCount - 1};
    return {std::max(wf.selStart, 0), std::min(wf.selEnd, r.pointCount - 1)};
}

template <class R> UnitBox boxOf(const R& r, int32_t first, int32_t last) {
    UnitBox b{LastUnit, LastUnit, 0, 0};
    if (first > last) return {};
    for (int32_t k = first; k <= last; ++k) {
        const auto& p = r.points[k];
        const int32_t x = toCanvas(p.xHi, p.xLo), y = toCanvas(p.yHi, p.yLo);
        b.left = std::min(b.left, x), b.right = std::max(b.right, x);
        b.bottom = std::min(b.bottom, y), b.top = std::max(b.top, y);
    }
    return b;
}
}  // namespace

UnitBox transformedBox(const WorkingFrame& wf) {
    UnitBox box;
    wf.visit([&](const auto& r) {
        const auto [first, last] = span(wf, r);
        box = boxOf(r, first, last);
    });
    return box;
}

void pivotOf(const WorkingFrame& wf, Pivot about, double& x, double& y) {
    x = y = 32767;
    if (about == Pivot::Canvas || about == Pivot::Given) return;
    UnitBox box;
    wf.visit([&](const auto& r) {
        const auto [first, last] =
            about == Pivot::Frame ? std::pair<int32_t, int32_t>{0, r.pointCount - 1} : span(wf, r);
        box = boxOf(r, first, last);
    });
    if (!box.empty()) x = box.centreX(), y = box.centreY();
}

Transform partOf(const Transform& t, double f, double aboutX, double aboutY) {
    Transform p;
    p.moveX = t.moveX * f, p.moveY = t.moveY * f;
    p.scaleX = 100 + (t.scaleX * (t.mirrorX ? -1 : 1) - 100) * f;
    p.scaleY = 100 + (t.scaleY * (t.mirrorY ? -1 : 1) - 100) * f;
    p.degrees = t.degrees * f;
    p.about = Pivot::Given, p.aboutX = aboutX, p.aboutY = aboutY;
    return p;
}

bool transformPoints(WorkingFrame& wf, const Transform& t) {
    double cx = 0, cy = 0;
    pivotOf(wf, t.about, cx, cy);
    if (t.about == Pivot::Given) cx = t.aboutX, cy = t.aboutY;
    const double turn = t.degrees * std::numbers::pi / 180;
    const double cosA = std::cos(turn), sinA = std::sin(turn);
    const double sx = t.scaleX / 100 * (t.mirrorX ? -1 : 1), sy = t.scaleY / 100 * (t.mirrorY ? -1 : 1);
    bool changed = false;
    wf.visit([&](auto& r) {
        const auto [first, last] = span(wf, r);
        for (int32_t k = first; k <= last; ++k) {
            auto& p = r.points[k];
            const double x = (toCanvas(p.xHi, p.xLo) - cx) * sx, y = (toCanvas(p.yHi, p.yLo) - cy) * sy;
            const double X = std::nearbyint(cx + x * cosA - y * sinA + t.moveX);
            const double Y = std::nearbyint(cy + x * sinA + y * cosA + t.moveY);
            const int32_t px = int32_t(std::clamp(X, 0.0, double(LastUnit)));
            const int32_t py = int32_t(std::clamp(Y, 0.0, double(LastUnit)));
            if (px != X || py != Y) p.status = StatusBit::Blanked;
            const StoredBytes bx = fromCanvas(px), by = fromCanvas(py);
            p.xHi = bx.hi, p.xLo = bx.lo, p.yHi = by.hi, p.yLo = by.lo;
            changed = true;
        }
    });
    return changed;
}

}  // namespace quorvel
