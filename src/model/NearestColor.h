// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matching a colour to a palette entry as the eye sees it.
#include "model/PaletteTable.h"

#include <array>

namespace quorvel {

// The entry of a palette's first `entries` colours nearest to a colour as the eye sees it:
// the smallest distance in CIE L*a*b*, the lower index on a tie.
class NearestPaletteColor {
public:
    NearestPaletteColor(const Palette& pal, int entries);
    uint8_t operator()(Rgb c) const;

private:
    int entries_;
    std::array<float, 256> l_{}, a_{}, b_{};
};

}  // namespace quorvel
