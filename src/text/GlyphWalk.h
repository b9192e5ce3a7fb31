// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Walking a glyph's outline records into contours of points: lines as they are, quadratic
// splines as the polyline through their implied on-curve points, repeated points dropped.
#include <QString>
#include <cstdint>
#include <vector>

namespace quorvel {

struct OutlinePoint {
    double x = 0, y = 0;  // transformed glyph units, y upward
    int16_t kind = 0;     // 0 contour start, 1 line point, -1 spline start, 2 spline sample
};
using Contour = std::vector<OutlinePoint>;

struct GlyphError {
    int64_t number = 0;
    QString description;
};

// The number and text of a record type the walk does not know.
constexpr int64_t UnsupportedCurveError = -2147220503;
QString unsupportedCurveText();

// The contours of the outline in `records`, in their order; `curveStep` is the parameter step
// with which spline pieces are sampled. False, with `error`, for an outline it cannot walk (an
// empty one, a record type other than line or quadratic spline, a record cut short); `contours`
// is then left as it was.
bool walkGlyph(const std::vector<uint8_t>& records, float curveStep, std::vector<Contour>& contours, GlyphError& error);

}  // namespace quorvel
