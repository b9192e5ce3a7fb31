// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A palette as the program holds it once read: 256 colours, whatever file they came from.
#include "model/Coordinates.h"

#include <array>
#include <cstdint>

namespace quorvel {

enum PaletteChoice : uint8_t { PangolinPalette = 0, IldaPalette = 1 };

struct Palette {
    std::array<Rgb, 256> color{};
    std::array<uint8_t, 256> red{}, green{}, blue{};

    // Colour of an indexed point: the palette entry, or grey when the point is blanked.
    Rgb pointColor(uint8_t colorIndex, uint8_t status) const { return (status & 64) ? BlankedGray : color[colorIndex]; }
};

}  // namespace quorvel
