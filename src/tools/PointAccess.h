// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the position and colour of any point record in canvas pixels.
#include "model/Coordinates.h"
#include "model/Records.h"

#include <cmath>

namespace quorvel {

struct Pixel {
    int32_t x, y;  // canvas pixels, y upward (whole pixels, truncated)
};

template <class P> Pixel pixelOf(const P& p, PixelGrid g = NormalGrid) {
    return {toCanvas(p.xHi, p.xLo) / g.divisor, toCanvas(p.yHi, p.yLo) / g.divisor};
}
// Where the canvas draws a point at pixel (x, y): the screen row is span - y (512 - y).
inline int screenRow(int32_t y, PixelGrid g = NormalGrid) { return g.span() - y; }

template <class P> void setPixel(P& p, int32_t x, int32_t y, PixelGrid g = NormalGrid) {
    const StoredBytes X = fromCanvas(x * g.divisor), Y = fromCanvas(y * g.divisor);
    p.xHi = X.hi, p.xLo = X.lo, p.yHi = Y.hi, p.yLo = Y.lo;
}

template <class P> bool isBlanked(const P& p) { return p.status & StatusBit::Blanked; }
template <class P> constexpr bool hasColorIndex() {
    return requires(P p) { p.colorIndex; };
}

// The colour a tool gives points. Indexed frames store the palette index; true-colour frames
// store `rgb`, the index's palette colour or a colour picked for them. Built from an index alone
// it has no RGB (black), as code that knows only indexed frames gives.
struct Ink {
    uint8_t index = 1;
    Rgb rgb = 0;
    Ink(uint8_t i = 1, Rgb c = 0) : index(i), rgb(c) {}
};

// The point takes the ink's colour, whatever its status.
template <class P> void setColor(P& p, const Ink& ink) {
    if constexpr (hasColorIndex<P>()) {
        p.colorIndex = ink.index;
    } else {
        p.red = uint8_t(redOf(ink.rgb)), p.green = uint8_t(greenOf(ink.rgb)), p.blue = uint8_t(blueOf(ink.rgb));
    }
}
// A new point's colour: a blanked true-colour point carries no light, so its colour is black.
template <class P> void paintNew(P& p, const Ink& ink) {
    setColor(p, hasColorIndex<P>() || !isBlanked(p) ? ink : Ink(ink.index));
}

// Nearest integer, halves to even, as every rounding of the tools is.
inline int32_t nearest(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

// Status of a point drawn with a mouse button: visible for the left button alone.
inline uint8_t statusForButton(int button) { return button == 1 ? 0 : StatusBit::Blanked; }

}  // namespace quorvel
