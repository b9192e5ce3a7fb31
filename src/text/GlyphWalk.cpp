// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/GlyphWalk.h"
#include "model/Text.h"

#include "text/FixedMaths.h"
#include "text/GlyphFont.h"

#include <cstring>

namespace quorvel {

QString unsupportedCurveText() {
    return QStringLiteral(
        "Unsupported Font Style. Please contact technical support (the README of Quorvel Laser "
        "Editor) for additional information on this error.");
}

namespace {
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : b_(bytes) {}
    bool has(size_t n) const { return at_ + n <= b_.size(); }
    bool done() const { return at_ == b_.size(); }
    size_t at() const { return at_; }
    template <class T> T take() {
        T v;
        std::memcpy(&v, b_.data() + at_, sizeof v);
        at_ += sizeof v;
        return v;
    }
    OutlinePoint point(int16_t kind) {
        const Fixed x = take<Fixed>(), y = take<Fixed>();
        return {doubleFromFixed(x), doubleFromFixed(y), kind};
    }

private:
    const std::vector<uint8_t>& b_;
    size_t at_ = 0;
};

// Samples of one quadratic piece at t = 0, step, ... up to 1, each rounded to a 32-bit float.
void addSplinePoints(const OutlinePoint& p0, const OutlinePoint& p1, const OutlinePoint& p2, float step,
                     std::vector<OutlinePoint>& out) {
    for (float t = 0; t <= 1; t += step) {
        const double T = t;
        const auto at = [&](double a, double b, double c) {
            return double(float(T * T * (a - 2 * b + c) + T * (2 * b - 2 * a) + a));
        };
        out.push_back({at(p0.x, p1.x, p2.x), at(p0.y, p1.y, p2.y), 2});
    }
}
}  // namespace

bool walkGlyph(const std::vector<uint8_t>& records, float curveStep, std::vector<Contour>& contours,
               GlyphError& error) {
    const auto fail = [&](int64_t number, QString text) {
        error = {number, std::move(text)};
        return false;
    };
    if (records.empty()) return fail(9, Text(QT_TRANSLATE_NOOP("Texts", "The character has no outline.")));
    if (curveStep <= 0) return fail(5, Text(QT_TRANSLATE_NOOP("Texts", "The curve step must be above 0.")));
    std::vector<OutlinePoint> points{{0, 0, 0}};  // element 0: the point before the first
    Reader r(records);
    const auto cutShort = [&] { return fail(9, Text(QT_TRANSLATE_NOOP("Texts", "The glyph outline is cut short."))); };
    while (!r.done()) {
        if (!r.has(16)) return cutShort();
        const size_t contourStart = r.at();
        const uint32_t cb = r.take<uint32_t>();
        r.take<uint32_t>();
        points.push_back(r.point(0));
        if (cb < 16 || !r.has(cb - 16)) return cutShort();
        while (r.at() - contourStart < cb) {
            if (!r.has(12)) return cutShort();
            const uint16_t type = r.take<uint16_t>(), count = r.take<uint16_t>();
            if (count == 0 || !r.has(8 * size_t(count))) return cutShort();
            const size_t before = points.size() - 1;  // the point ahead of this record
            points.push_back(r.point(1));
            std::vector<OutlinePoint> rest;
            for (int k = 1; k < count; ++k) rest.push_back(r.point(1));
            if (type == PrimLine) {
                points.insert(points.end(), rest.begin(), rest.end());
            } else if (type == PrimQSpline) {
                std::vector<OutlinePoint> s{points[before], points.back()};
                s.insert(s.end(), rest.begin(), rest.end());
                points.back() = {s[0].x, s[0].y, -1};
                OutlinePoint a = s[0];
                for (int j = 1; j <= count - 1; ++j) {
                    const OutlinePoint b = a, c = s[j];
                    a = j < count - 1 ? OutlinePoint{(s[j].x + s[j + 1].x) / 2, (s[j].y + s[j + 1].y) / 2, 1}
                                      : s[count];
                    addSplinePoints(b, c, a, curveStep, points);
                }
            } else {
                return fail(UnsupportedCurveError, unsupportedCurveText());
            }
        }
    }
    std::vector<Contour> built;
    for (size_t i = 1; i < points.size(); ++i) {
        if (points[i].kind == 0) built.emplace_back();
        if (points[i].x == points[i - 1].x && points[i].y == points[i - 1].y) continue;
        if (!built.empty()) built.back().push_back(points[i]);
    }
    contours = std::move(built);
    return true;
}

}  // namespace quorvel
