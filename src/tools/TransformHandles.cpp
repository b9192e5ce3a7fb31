// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TransformHandles.h"

#include "tools/PointAccess.h"
#include "view/Renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvel {

namespace {
double cornerX(const UnitBox& b, int c) { return c == 0 || c == 3 ? b.left : b.right; }
double cornerY(const UnitBox& b, int c) { return c < 2 ? b.bottom : b.top; }
double reach(double x, double y, double cx, double cy) { return std::max(std::abs(x - cx), std::abs(y - cy)); }
// How far along from the anchor to the corner the pointer is; 1 across a box of no width.
double ratio(double pointer, double anchor, double corner) {
    return corner == anchor ? 1 : (pointer - anchor) / (corner - anchor);
}
}  // namespace

TransformDrag grab(const UnitBox& box, double x, double y, PixelGrid g) {
    TransformDrag d;
    if (box.empty()) return d;
    d.box = box;
    d.pressX = x * g.divisor, d.pressY = y * g.divisor;
    const double d0 = g.divisor;
    for (int c = 0; c < 4; ++c)
        if (reach(x, y, cornerX(box, c) / d0, cornerY(box, c) / d0) <= HandleReach) {
            d.handle = Handle::Scale, d.corner = c;
            return d;
        }
    const bool inside = x >= box.left / d0 && x <= box.right / d0 && y >= box.bottom / d0 && y <= box.top / d0;
    if (inside) {
        d.handle = Handle::Move;
        return d;
    }
    for (int c = 0; c < 4; ++c)
        if (reach(x, y, cornerX(box, c) / d0, cornerY(box, c) / d0) <= RotateReach) {
            d.handle = Handle::Rotate, d.corner = c;
            return d;
        }
    return d;
}

Transform dragged(const TransformDrag& d, double x, double y, bool shift, PixelGrid g) {
    Transform t;
    t.about = Pivot::Given;
    const double ux = x * g.divisor, uy = y * g.divisor;
    switch (d.handle) {
    case Handle::Move: t.moveX = std::nearbyint(ux - d.pressX), t.moveY = std::nearbyint(uy - d.pressY); break;
    case Handle::Scale: {
        const int opposite = (d.corner + 2) % 4;
        t.aboutX = cornerX(d.box, opposite), t.aboutY = cornerY(d.box, opposite);
        double sx = ratio(ux, t.aboutX, cornerX(d.box, d.corner)), sy = ratio(uy, t.aboutY, cornerY(d.box, d.corner));
        if (shift) {
            const double both = std::max(std::abs(sx), std::abs(sy));
            sx = std::copysign(both, sx), sy = std::copysign(both, sy);
        }
        t.scaleX = sx * 100, t.scaleY = sy * 100;
        break;
    }
    case Handle::Rotate: {
        t.aboutX = d.box.centreX(), t.aboutY = d.box.centreY();
        const double from = std::atan2(d.pressY - t.aboutY, d.pressX - t.aboutX);
        const double to = std::atan2(uy - t.aboutY, ux - t.aboutX);
        double degrees = (to - from) * 180 / std::numbers::pi;
        if (shift) degrees = std::nearbyint(degrees / 15) * 15;
        t.degrees = degrees;
        break;
    }
    case Handle::None: break;
    }
    return t;
}

void drawHandles(Surface& s, const UnitBox& box, PixelGrid g) {
    if (box.empty()) return;
    const auto at = [&](int c) {
        return Pixel{int(cornerX(box, c)) / g.divisor, screenRow(int(cornerY(box, c)) / g.divisor, g)};
    };
    const Pixel a = at(0), b = at(2);
    s.box(a.x, a.y, b.x, b.y, SelectionColor, false);
    for (int c = 0; c < 4; ++c) {
        const Pixel p = at(c);
        s.box(p.x - 3, p.y - 3, p.x + 3, p.y + 3, SelectionColor, true);
    }
}

}  // namespace quorvel
