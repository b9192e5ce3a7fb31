#include "tools/ColorConversion.h"

#include <cmath>
#include <limits>

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
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}
}  // namespace

NearestPaletteColor::NearestPaletteColor(const Palette& pal, int entries) : entries_(std::clamp(entries, 1, 256)) {
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

bool convertToPaletteColors(WorkingFrame& wf, const Palette& pal, int entries) {
    if (wf.format != 5) return false;
    const NearestPaletteColor nearest(pal, entries);
    const Frame5& from = *wf.frame5;
    Frame1& to = *wf.frame1;
    to.header = from.header;
    to.header.formatCode = 1;
    to.pointCount = from.pointCount;
    // Shows keep few colours: the last one found is asked for again far more often than not.
    Rgb last = std::numeric_limits<Rgb>::max();
    uint8_t lastIndex = 0;
    for (int i = 0; i < from.pointCount; ++i) {
        const PointTrue2D& p = from.points[i];
        const Rgb c = rgb(p.red, p.green, p.blue);
        if (c != last) last = c, lastIndex = nearest(c);
        to.points[i] = {p.xHi, p.xLo, p.yHi, p.yLo, p.status, lastIndex};
    }
    wf.format = 1;
    return true;
}

bool convertToTrueColor(WorkingFrame& wf, const Palette& pal) {
    Frame5& to = *wf.frame5;
    const auto convert = [&](const auto& from) {
        to.header = from.header;
        to.header.formatCode = 5;
        to.header.reserved[0] = to.header.reserved[1] = to.header.reserved[2] = 0;
        to.pointCount = from.pointCount;
        for (int i = 0; i < from.pointCount; ++i) {
            const auto& p = from.points[i];
            const uint8_t c = p.colorIndex;
            to.points[i] = {p.xHi, p.xLo, p.yHi, p.yLo, p.status, pal.blue[c], pal.green[c], pal.red[c]};
        }
    };
    if (wf.format == 0)
        convert(*wf.frame0);
    else if (wf.format == 1)
        convert(*wf.frame1);
    else
        return false;
    wf.format = 5;
    return true;
}

}  // namespace quorvel
