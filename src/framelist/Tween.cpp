// SPDX-License-Identifier: GPL-3.0-or-later
#include "framelist/Tween.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorvel {

double eased(Easing e, double t) {
    switch (e) {
    case Easing::In: return t * t;
    case Easing::Out: return 1 - (1 - t) * (1 - t);
    case Easing::InOut: return t < 0.5 ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t);
    case Easing::Linear: break;
    }
    return t;
}

namespace {
template <class P> KeyPoint keyPointOf(const P& p, const Palette& pal) {
    KeyPoint k{double(toCanvas(p.xHi, p.xLo)), double(toCanvas(p.yHi, p.yLo)), 0, 0,
               bool(p.status & StatusBit::Blanked)};
    if constexpr (requires { p.zHi; }) k.z = double(toCanvas(p.zHi, p.zLo));
    if constexpr (requires { p.colorIndex; })
        k.color = pal.color[p.colorIndex], k.index = p.colorIndex;
    else
        k.color = rgb(p.red, p.green, p.blue);
    return k;
}

double mix(double a, double b, double t) { return a + (b - a) * t; }
// Halves away from zero, as lround, for the values here (none below zero) at a fraction of its
// cost: it runs for every coordinate and colour of every in-between.
int32_t rounded(double v) { return int32_t(v + 0.5); }
Rgb mixColor(Rgb a, Rgb b, double t) {
    if (a == b) return a;
    const auto part = [&](int x, int y) { return int(rounded(mix(double(x), double(y), t))); };
    return rgb(part(redOf(a), redOf(b)), part(greenOf(a), greenOf(b)), part(blueOf(a), blueOf(b)));
}

template <class P> void put(P& p, const KeyPoint& k, RememberedPaletteColor& nearest) {
    p = P{};
    const auto at = [](double v) { return fromCanvas(std::clamp(rounded(std::max(v, 0.0)), 0, 65534)); };
    const StoredBytes x = at(k.x), y = at(k.y);
    p.xHi = x.hi, p.xLo = x.lo, p.yHi = y.hi, p.yLo = y.lo;
    if constexpr (requires { p.zHi; }) {
        const StoredBytes z = at(k.z);
        p.zHi = z.hi, p.zLo = z.lo;
    }
    p.status = k.blanked ? StatusBit::Blanked : 0;
    if constexpr (requires { p.colorIndex; })
        p.colorIndex = k.index >= 0 ? uint8_t(k.index) : nearest(k.color);
    else if (!k.blanked)
        p.red = uint8_t(redOf(k.color)), p.green = uint8_t(greenOf(k.color)), p.blue = uint8_t(blueOf(k.color));
}
}  // namespace

std::vector<KeyPoint> keyPoints(const WorkingFrame& wf, const Palette& pal) {
    std::vector<KeyPoint> out;
    wf.visit([&](const auto& r) {
        for (const auto& p : r.used()) out.push_back(keyPointOf(p, pal));
    });
    return out;
}

std::vector<KeyPoint> resampled(const std::vector<KeyPoint>& key, size_t count) {
    if (key.size() >= count || key.empty()) return key;
    std::vector<KeyPoint> out(count);
    const double last = double(key.size() - 1);
    for (size_t j = 0; j < count; ++j) {
        const double at = count == 1 ? 0 : j * last / double(count - 1);
        const size_t i = std::min(size_t(at), key.size() - 1), next = std::min(i + 1, key.size() - 1);
        const KeyPoint &p = key[i], &q = key[next];
        const double t = p.blanked == q.blanked ? at - double(i) : 0;
        const KeyPoint& by = t < 0.5 ? p : q;
        out[j] = {mix(p.x, q.x, t), mix(p.y, q.y, t), mix(p.z, q.z, t), by.color, p.blanked, by.index};
    }
    return out;
}

std::string countedOn(std::string_view name, int by) {
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);  // a header pads its names
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    if (digits == name.size()) return std::string(name);
    const std::string_view number = name.substr(digits);
    std::string counted = std::to_string(std::stoll(std::string(number)) + by);
    if (counted.size() < number.size()) counted.insert(0, number.size() - counted.size(), '0');
    return std::string(name.substr(0, digits)) + counted;
}

std::vector<SlotBytes> tweenFrames(const WorkingFrame& a, const WorkingFrame& b, int count, Easing easing,
                                   const Palette& pal, int paletteEntries) {
    const std::vector<KeyPoint> ka0 = keyPoints(a, pal), kb0 = keyPoints(b, pal);
    const size_t n = std::max(ka0.size(), kb0.size());
    const std::vector<KeyPoint> ka = resampled(ka0, n), kb = resampled(kb0, n);
    RememberedPaletteColor nearest(pal, paletteEntries);
    std::vector<SlotBytes> frames;
    a.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        for (int i = 1; i <= count; ++i) {
            const double t = eased(easing, double(i) / (count + 1));
            SlotBytes s;
            s.header = r.header;
            s.header.setFrameName(countedOn(r.header.frameNameText(), i));
            s.header.setPointCount(int(n));
            s.header.formatCode = formatOf<P>();
            s.points.resize(n * sizeof(P));
            for (size_t k = 0; k < n; ++k) {
                const KeyPoint& p = k < ka.size() ? ka[k] : kb[k];
                const KeyPoint& q = k < kb.size() ? kb[k] : ka[k];
                // A point whose keys share a palette colour keeps it: no search for what is known.
                const KeyPoint mid{mix(p.x, q.x, t),
                                   mix(p.y, q.y, t),
                                   mix(p.z, q.z, t),
                                   mixColor(p.color, q.color, t),
                                   t <= 0.5 ? p.blanked : q.blanked,  // halfway: the first key's
                                   p.index >= 0 && p.index == q.index ? p.index : -1};
                P point;
                put(point, mid, nearest);
                if (k + 1 == n) point.status |= StatusBit::LastPoint;
                std::memcpy(s.points.data() + k * sizeof(P), &point, sizeof(P));
            }
            frames.push_back(std::move(s));
        }
    });
    return frames;
}

}  // namespace quorvel
