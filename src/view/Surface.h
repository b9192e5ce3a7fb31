// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the renderer draws on. The canvas writes pixels straight into an image; tests record.
#include "model/Coordinates.h"

#include <climits>

namespace quorvel {

// The part of the drawing a surface shows, in drawing coordinates, ends included.
struct Bounds {
    int left = INT_MIN / 4, top = INT_MIN / 4, right = INT_MAX / 4, bottom = INT_MAX / 4;
};

class Surface {
public:
    virtual ~Surface() = default;
    // Wipes all drawing; only the backdrop remains.
    virtual void clear() = 0;
    // Both end pixels are drawn.
    virtual void line(int x0, int y0, int x1, int y1, Rgb c) = 0;
    virtual void circle(int cx, int cy, int r, Rgb c) = 0;
    virtual void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) = 0;
    virtual void pixel(int x, int y, Rgb c) = 0;
    // What shows of the drawing: drawing far outside it may be left out. Everything, unless said.
    virtual Bounds bounds() const { return {}; }
};

}  // namespace quorvel
