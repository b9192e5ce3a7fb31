// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The palette strip under the canvas: 256 columns, one band per palette entry.
#include "model/Palette.h"
#include "view/Surface.h"

#include <QString>

namespace quorvel {

constexpr int PaletteStripWidth = 256;

void drawPaletteStrip(Surface& s, const Palette& pal, uint8_t choice, int height);
// Palette index chosen by a press at x; presses right of the last column choose the last band.
uint8_t colorIndexAt(double x, uint8_t choice);
// "R:255 G:0 B:0": the colour new points take, a palette entry's or one picked for true colour.
QString colorReadout(Rgb color);

}  // namespace quorvel
