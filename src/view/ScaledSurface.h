// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing made for the normal view, passed on to a zoomed canvas: positions are scaled to its
// grid, sizes of markers stay as they are.
#include "model/Coordinates.h"
#include "view/Surface.h"

#include <cmath>

namespace quorvel {

class ScaledSurface final : public Surface {
public:
    ScaledSurface(Surface& target, PixelGrid grid) : target_(target), grid_(grid) {}
    void clear() override { target_.clear(); }
    void line(int x0, int y0, int x1, int y1, Rgb c) override { target_.line(x(x0), y(y0), x(x1), y(y1), c); }
    void circle(int cx, int cy, int r, Rgb c) override { target_.circle(x(cx), y(cy), r, c); }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override {
        target_.box(x(x0), y(y0), x(x1), y(y1), c, filled);
    }
    void pixel(int px, int py, Rgb c) override { target_.pixel(x(px), y(py), c); }

private:
    int x(int v) const { return int(std::lround(grid_.fromNormal(v))); }
    // Rows count from the top: the normal view's row 512 - y lands on span - y of the grid.
    int y(int row) const { return grid_.span() - int(std::lround(grid_.fromNormal(512 - row))); }
    Surface& target_;
    PixelGrid grid_;
};

}  // namespace quorvel
