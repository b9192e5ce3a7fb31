// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversion between the two stored bytes of an ILDA coordinate and the canvas coordinate
// 0..65534 (centre 32767), and the colour in which an indexed point is drawn.
#include <cstdint>
#include <utility>

namespace quorvel {

using Rgb = uint32_t;  // r + 256*g + 65536*b

constexpr Rgb rgb(int r, int g, int b) { return static_cast<Rgb>(r + 256 * g + 65536 * b); }
constexpr int redOf(Rgb c) { return c & 0xFF; }
constexpr int greenOf(Rgb c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Rgb c) { return (c >> 16) & 0xFF; }

constexpr Rgb BlankedGray = rgb(96, 96, 96);

// ILDA -1 and 0 both land on the centre; every other value keeps its own place.
constexpr int32_t toCanvas(uint8_t hi, uint8_t lo) {
    const int32_t u = hi * 256 + lo;
    return u >= 32768 ? u - 32768 : u + 32767;
}

struct StoredBytes {
    uint8_t hi, lo;
    bool operator==(const StoredBytes&) const = default;
};

constexpr StoredBytes fromCanvas(int32_t c) {
    const int32_t v = c <= 32766 ? c + 32768 : c - 32767;
    return {static_cast<uint8_t>((v / 256) & 0xFF), static_cast<uint8_t>(v % 256)};
}

// A pixel of the canvas: how many units of the frame one pixel of the zoomed canvas covers, 128 at the
// normal view (the frame 512 pixels across) down to 2 at 64 times. Points are placed on its grid.
struct PixelGrid {
    int32_t divisor = 128;
    int32_t last() const { return 65534 / divisor; }  // the highest pixel a point can lie on
    int32_t span() const { return last() + 1; }       // the frame's size on the screen
    // A distance in pixels of the normal view, in this grid's pixels.
    double fromNormal(double pixels) const { return pixels * 128 / divisor; }
};
inline constexpr PixelGrid NormalGrid{};

}  // namespace quorvel
