// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 16.16 fixed-point numbers as the glyph outline records hold them, and the glyph transform.
#include <cstdint>

namespace quorvel {

struct Fixed {
    uint16_t fract;  // in units of 1/65536
    int16_t value;   // the integer part
    bool operator==(const Fixed&) const = default;
};
static_assert(sizeof(Fixed) == 4);

// A glyph point (x, y) goes to (eM11 x + eM21 y, eM12 x + eM22 y).
struct Mat2 {
    Fixed eM11, eM12, eM21, eM22;
};

// floor(d) as the integer part, the low 16 bits of d * 65536 (halves to even) as the fraction.
Fixed fixedFromDouble(double d);
double doubleFromFixed(Fixed f);
int32_t fixedBits(Fixed f);  // as one 16.16 number
float degToRad(float degrees);
// A rotation by theta (sine and cosine to two decimals) that enlarges 256 times, quantised as
// the records hold it.
Mat2 rotationMatrix(float theta);

}  // namespace quorvel
