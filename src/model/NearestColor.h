// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matching a colour to a palette entry as the eye sees it.
#include "model/PaletteTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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

// The same answers, each colour searched for once: a show repeats its colours, and a search
// costs a look at every palette entry.
class RememberedPaletteColor {
public:
    RememberedPaletteColor(const Palette& pal, int entries) : nearest_(pal, entries), slots_(1 << 12) {}
    uint8_t operator()(Rgb c);

private:
    struct Slot {
        uint32_t key = 0;  // the colour + 1; 0: empty
        uint8_t index = 0;
    };
    void grow();
    NearestPaletteColor nearest_;
    std::vector<Slot> slots_;  // open addressing, a power of two long, at most half full
    size_t used_ = 0;
};

}  // namespace quorvel
