// SPDX-License-Identifier: GPL-3.0-or-later
#include "laser/LaserFrames.h"

#include <cmath>
#include <numbers>

namespace quorvel::idn {

int16_t placed(int16_t v, bool flip, int sizePercent, int offset) {
    int32_t w = flip ? -int32_t(v) : int32_t(v);
    w = int32_t(int64_t(w) * sizePercent / 100) + offset;
    return int16_t(std::clamp(w, -32768, 32767));
}

std::vector<Sample> blackout(Sample at) { return std::vector<Sample>(MinFrameSamples, dark(at)); }

std::vector<Sample> frameSamples(const WorkingFrame& wf, const Palette& pal, const OutputArea& area) {
    std::vector<Sample> out;
    wf.visit([&](const auto& r) {
        out.reserve(size_t(r.pointCount) + MinFrameSamples);
        for (const auto& p : r.used()) out.push_back(sampleOf(p, pal, area));
    });
    if (out.empty()) return blackout();
    out.insert(out.begin(), dark(out.front()));
    out.resize(std::max<size_t>(out.size(), MinFrameSamples), dark(out.back()));
    return out;
}

std::vector<Sample> testPattern(const OutputArea& area) {
    std::vector<Sample> out;
    const auto at = [&](double x, double y, uint8_t r, uint8_t g, uint8_t b) {
        Sample s;
        s.x = placed(int16_t(std::lround(x)), area.flipX, area.sizeX, area.offsetX);
        s.y = placed(int16_t(std::lround(y)), area.flipY, area.sizeY, area.offsetY);
        s.r = r, s.g = g, s.b = b, s.i = r || g || b ? 255 : 0;  // the dark moves between the parts
        out.push_back(s);
    };
    const auto line = [&](double x0, double y0, double x1, double y1, uint8_t r, uint8_t g, uint8_t b) {
        at(x0, y0, 0, 0, 0);  // reached dark
        for (int k = 0; k <= 32; ++k) at(x0 + (x1 - x0) * k / 32, y0 + (y1 - y0) * k / 32, r, g, b);
    };
    const double e = 32767;
    line(-e, -e, e, -e, 255, 0, 0), line(e, -e, e, e, 255, 0, 0), line(e, e, -e, e, 255, 0, 0),
        line(-e, e, -e, -e, 255, 0, 0);
    line(-e / 2, 0, e / 2, 0, 0, 255, 0), line(0, -e / 2, 0, e / 2, 0, 255, 0);
    at(e / 2, 0, 0, 0, 0);
    for (int k = 0; k <= 96; ++k) {
        const double a = 2 * std::numbers::pi * k / 96;
        at(e / 2 * std::cos(a), e / 2 * std::sin(a), 0, 0, 255);
    }
    out.push_back(dark(out.back()));
    return out;
}

}  // namespace quorvel::idn
