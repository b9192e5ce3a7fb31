// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a glyph's outline records: the walk reads nothing past them, and either fails
// with its error or gives contours of points that came from the records.
#include "FuzzTarget.h"
#include "text/GlyphWalk.h"

#include <cmath>

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static constexpr float Steps[] = {1.0f, 0.5f, 0.25f, 0.1f};  // the text dialog's kinds of step
    const float step = Steps[data[0] % 4];
    const std::vector<uint8_t> records(data + 1, data + size);
    std::vector<Contour> contours;
    GlyphError error;
    if (!walkGlyph(records, step, contours, error)) {
        FUZZ_CHECK(!error.description.isEmpty() && contours.empty());
        return 0;
    }
    size_t points = 0;
    for (const Contour& c : contours)
        for (const OutlinePoint& p : c) {
            FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y));
            ++points;
        }
    // Every 8 bytes of records give at most one point, or one spline piece of 1/step + 1 samples.
    FUZZ_CHECK(points <= records.size() / 8 * (size_t(1 / step) + 2));
    return 0;
}
