// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NearestColor.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace quorvel {

namespace {
struct Lab {
    float l, a, b;
};

// sRGB with the D65 white, the usual way.
Lab toLab(Rgb c) {
    static const std::array<float, 256> linear = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double v = i / 255.0;
            t[i] = float(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    const float r = linear[c & 0xFF], g = linear[(c >> 8) & 0xFF], b = linear[(c >> 16) & 0xFF];
    const auto f = [](float t) { return t > 0.008856f ? std::cbrt(t) : 7.787f * t + 16.0f / 116.0f; };
    const float x = f((0.4124f * r + 0.3576f * g + 0.1805f * b) / 0.95047f);
    const float y = f(0.2126f * r + 0.7152f * g + 0.0722f * b);
    const float z = f((0.0193f * r + 0.1192f * g + 0.9505f * b) / 1.08883f);
    return {116 * y, 500 * (x - y), 200 * (y - z)};  // L without its offset of -16: only differences count
}
}  // namespace

NearestPaletteColor::NearestPaletteColor(const Palette& pal, int entries)
    : entries_(std::clamp(entries, 1, int(l_.size()))) {
    for (int i = 0; i < entries_; ++i) {
        const Lab lab = toLab(pal.color[i]);
        l_[i] = lab.l, a_[i] = lab.a, b_[i] = lab.b;
    }
}

uint8_t NearestPaletteColor::operator()(Rgb c) const {
    const Lab p = toLab(c);
    std::array<float, 256> distance;
    for (int i = 0; i < entries_; ++i) {
        const float dl = l_[i] - p.l, da = a_[i] - p.a, db = b_[i] - p.b;
        distance[i] = dl * dl + da * da + db * db;
    }
    int best = 0;
    for (int i = 1; i < entries_; ++i)
        if (distance[i] < distance[best]) best = i;
    return uint8_t(best);
}

namespace {
// The high bits of a Fibonacci hash: every bit of the colour counts, so neighbours on a rainbow
// do not crowd one run of places.
size_t slotOf(uint32_t key, size_t size) {
    return size_t((uint64_t(key) * 0x9E3779B97F4A7C15ull) >> (64 - std::countr_zero(size)));
}
}  // namespace

uint8_t RememberedPaletteColor::operator()(Rgb c) {
    const uint32_t key = (c & 0xFFFFFF) + 1;
    size_t i = slotOf(key, slots_.size());
    for (; slots_[i].key != 0; i = (i + 1) & (slots_.size() - 1))
        if (slots_[i].key == key) return slots_[i].index;
    const uint8_t index = nearest_(c & 0xFFFFFF);
    slots_[i] = {key, index};
    if (++used_ * 2 > slots_.size()) grow();
    return index;
}

void RememberedPaletteColor::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& s : old) {
        if (s.key == 0) continue;
        size_t i = slotOf(s.key, slots_.size());
        while (slots_[i].key != 0) i = (i + 1) & (slots_.size() - 1);
        slots_[i] = s;
    }
}

}  // namespace quorvel
