#include "vector/SvgImport.h"

#include "model/NearestColor.h"
#include "vector/OutlineTrace.h"

namespace quorvel {

namespace {

constexpr double HalfPixel = 64;  // canvas units

template <class P> std::vector<P> tracedDrawing(const FrameRecord<P>& r, const SvgDrawing& drawing,
                                                const ImportRules& rules,
                                                const std::function<Ink(std::optional<Rgb>)>& inkFor, int& outlines) {
    const QTransform fit = fitIntoCanvas(drawing.area, SvgMarginPixels);
    const TraceSpacing spacing{128.0 * rules.pointSpace, 128.0 * rules.blankSpace};
    // The frame's last point leads in, so the move from it gets its anchors as well.
    std::vector<P> raw;
    std::optional<Place> from;
    if (r.pointCount > 0) raw.push_back(r.points[size_t(r.pointCount) - 1]), from = placeOf(raw.back());
    for (const DrawnOutline& o : drawing.outlines) {
        const Ink ink = inkFor(o.color);
        for (const Polyline& drawn : flatten(o.path, o.transform * fit, HalfPixel)) {
            for (const Polyline& line : clippedToCanvas(drawn)) {
                const size_t before = raw.size();
                traceOutline(raw, line, from, spacing, ink);
                if (raw.size() == before) continue;
                from = placeOf(raw.back());
                ++outlines;
            }
        }
    }
    std::vector<P> ready = optimisedForProjector(raw.data(), int(raw.size()), {spacing.pointSpace, rules.dwell});
    if (r.pointCount > 0) ready.erase(ready.begin());
    return ready;
}

}  // namespace

ImportReport importDrawing(WorkingFrame& wf, const SvgDrawing& drawing, const ImportRules& rules, const Ink& ink,
                           const Palette& pal, int paletteEntries) {
    const NearestPaletteColor nearest(pal, paletteEntries);
    const auto inkFor = [&](std::optional<Rgb> c) {
        if (!c || *c == 0) return ink;
        return Ink(nearest(*c), *c);
    };
    ImportReport report;
    wf.visit([&](auto& r) {
        const auto added = tracedDrawing(r, drawing, rules, inkFor, report.outlines);
        const int room = MaxPoints - r.pointCount;
        report.added = std::min(room, int(added.size()));
        report.fit = report.added == int(added.size());
        std::copy_n(added.begin(), report.added, r.points.data() + r.pointCount);
        r.pointCount += report.added;
    });
    return report;
}

namespace {
// The points to optimise: the selection when it holds a point, else the whole frame.
struct OptimisedRange {
    int first, last;
    bool selected;
};
template <class P> OptimisedRange optimisedRange(const WorkingFrame& wf, const FrameRecord<P>& r) {
    const int end = std::min(wf.selEnd, r.pointCount - 1);  // a selection may run past the last point
    if (wf.selStart >= 0 && wf.selStart <= end) return {wf.selStart, end, true};
    return {0, r.pointCount - 1, false};
}
template <class P> std::vector<P> optimisedPart(const WorkingFrame& wf, const FrameRecord<P>& r, int pointSpace,
                                                int dwell, OptimiseCount* count = nullptr) {
    const auto [first, last, selected] = optimisedRange(wf, r);
    return optimisedForProjector(r.points.data() + first, last - first + 1, {128.0 * pointSpace, dwell}, count);
}
}  // namespace

OptimisePlan optimisationOf(const WorkingFrame& wf, int pointSpace, int dwell) {
    OptimisePlan plan;
    wf.visit([&](const auto& r) {
        const auto [first, last, selected] = optimisedRange(wf, r);
        OptimiseCount count;
        const int made = int(optimisedPart(wf, r, pointSpace, dwell, &count).size());
        plan = {r.pointCount, r.pointCount - (last - first + 1) + made, count.cornersHeld};
    });
    return plan;
}

bool optimiseForProjector(WorkingFrame& wf, int pointSpace, int dwell) {
    bool fit = true;
    wf.visit([&](auto& r) {
        const auto [first, last, selected] = optimisedRange(wf, r);
        const auto done = optimisedPart(wf, r, pointSpace, dwell);
        const int grown = int(done.size()) - (last - first + 1);
        if (r.pointCount + grown > MaxPoints) {
            fit = false;
            return;
        }
        std::copy_backward(r.points.data() + last + 1, r.points.data() + r.pointCount,
                           r.points.data() + r.pointCount + grown);
        std::copy(done.begin(), done.end(), r.points.data() + first);
        r.pointCount += grown;
        if (selected) wf.selEnd = last + grown;
    });
    return fit;
}

}  // namespace quorvel
