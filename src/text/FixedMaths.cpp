// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/FixedMaths.h"

#include <cmath>

namespace quorvel {

Fixed fixedFromDouble(double d) {
    const auto value = static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(std::floor(d)) & 0xFFFF));
    const auto fract = static_cast<uint16_t>(static_cast<int64_t>(std::nearbyint(d * 65536.0)) & 0xFFFF);
    return {fract, value};
}

double doubleFromFixed(Fixed f) { return f.value + f.fract / 65536.0; }

int32_t fixedBits(Fixed f) { return int32_t(uint32_t(uint16_t(f.value)) << 16 | f.fract); }

float degToRad(float degrees) { return degrees * 0.0174533f; }

Mat2 rotationMatrix(float theta) {
    const auto twoDecimals = [](double v) { return std::nearbyint(v * 100.0) / 100.0; };
    const double c = twoDecimals(std::cos(double(theta))), s = twoDecimals(std::sin(double(theta)));
    const auto scaled = [](double v) { return fixedFromDouble(doubleFromFixed(fixedFromDouble(v)) * 256); };
    return {scaled(c), scaled(-s), scaled(s), scaled(c)};
}

}  // namespace quorvel
