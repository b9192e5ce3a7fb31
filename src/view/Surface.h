// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the renderer draws on. The canvas writes pixels straight into an image; tests record.
#include "model/Coordinates.h"

namespace quorvel {

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
};

}  // namespace quorvel
