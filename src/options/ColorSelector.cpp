// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ColorSelector.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

void drawPaletteStrip(Surface& s, const Palette& pal, uint8_t choice, int height) {
    for (int x = 0; x < PaletteStripWidth; ++x)
        s.line(x, 0, x, height, pal.color[choice == PangolinPalette ? x / 4 : x]);
}

uint8_t colorIndexAt(double x, uint8_t choice) {
    const int column = std::clamp(static_cast<int>(std::nearbyint(x)), 0, PaletteStripWidth - 1);
    return static_cast<uint8_t>(choice == PangolinPalette ? column / 4 : column);
}

QString colorReadout(Rgb color) {
    return QStringLiteral("R:%1 G:%2 B:%3").arg(redOf(color)).arg(greenOf(color)).arg(blueOf(color));
}

}  // namespace quorvel
