// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/SvgImport.h"

#include "model/NearestColor.h"
#include "vector/OutlineTrace.h"

namespace quorvel {

namespace {

constexpr double HalfPixel = 64;  // canvas units

// The drawing's points after the frame's last point, ready for a projector, with as many whole
// outlines as fit in `room` points: outlines in the order the beam reaches them soonest.
template <class P>
std::vector<P> tracedDrawing(const FrameRecord<P>& r, const SvgDrawing& drawing, const ImportRules& rules,
                             const std::function<Ink(std::optional<Rgb>)>& inkFor, int room, ImportReport& report) {
    const QTransform fit = fitIntoCanvas(drawing.area, SvgMarginPixels);
    const TraceSpacing spacing{128.0 * rules.pointSpace, 128.0 * rules.blankSpace};
    std::vector<Polyline> lines;
    std::vector<Ink> inks;
    for (const DrawnOutline& o : drawing.outlines) {
        const Ink ink = inkFor(o.color);
        for (const Polyline& drawn : flatten(o.path, o.transform * fit, HalfPixel))
            for (Polyline& line : clippedToCanvas(drawn)) lines.push_back(std::move(line)), inks.push_back(ink);
    }
    // The frame's last point leads in, so the move from it gets its anchors as well.
    std::vector<P> raw;
    std::optional<Place> from;
    if (r.pointCount > 0) raw.push_back(r.points[size_t(r.pointCount) - 1]), from = placeOf(raw.back());
    const size_t lead = raw.size();
    std::vector<size_t> ends;  // where each traced outline's points end in `raw`
    TravelOrder order(lines, from);
    // The optimiser only adds points: once the traced ones outgrow the room, no later outline
    // can come in, and tracing (or even ordering) more would only cost time and memory.
    while (raw.size() - lead <= size_t(room)) {
        const auto next = order.next();
        if (!next) break;
        const size_t k = *next;
        const size_t before = raw.size();
        traceOutline(raw, lines[k], from, spacing, inks[k]);
        if (raw.size() == before) continue;
        from = placeOf(raw.back());
        ends.push_back(raw.size());
    }
    const auto ready = [&](size_t outlines) {
        std::vector<P> out = optimisedForProjector(raw.data(), int(outlines ? ends[outlines - 1] : lead),
                                                   {spacing.pointSpace, rules.dwell});
        out.erase(out.begin(), out.begin() + std::min(out.size(), lead));
        return out;
    };
    report.traced = int(ends.size());
    report.outlines =
        int(std::count_if(lines.begin(), lines.end(), [](const Polyline& l) { return !l.points.empty(); }));
    std::vector<P> all = ready(ends.size());
    if (int(all.size()) <= room && int(ends.size()) == report.outlines) {
        report.outlinesIn = report.outlines;
        return all;
    }
    // The most whole outlines that fit: the optimised points only grow with the outlines.
    size_t lo = 0, hi = ends.size() - 1;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (int(ready(mid).size()) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    report.outlinesIn = int(lo);
    report.fit = false;
    if (lo > 0 || room < MaxPoints) return ready(lo);
    // One outline more detailed than a whole frame: as much of it as an empty frame holds,
    // rather than nothing.
    std::vector<P> cut = ready(1);
    cut.resize(size_t(room));
    report.cut = true;
    return cut;
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
        const auto added = tracedDrawing(r, drawing, rules, inkFor, MaxPoints - r.pointCount, report);
        report.added = int(added.size());
        std::copy(added.begin(), added.end(), r.points.data() + r.pointCount);
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

void optimiseForProjector(WorkingFrame& wf, int pointSpace, int dwell) {
    wf.visit([&](auto& r) {
        const auto [first, last, selected] = optimisedRange(wf, r);
        const auto done = optimisedPart(wf, r, pointSpace, dwell);
        const int grown = int(done.size()) - (last - first + 1);
        if (r.pointCount + grown > MaxPoints) return;
        std::copy_backward(r.points.data() + last + 1, r.points.data() + r.pointCount,
                           r.points.data() + r.pointCount + grown);
        std::copy(done.begin(), done.end(), r.points.data() + first);
        r.pointCount += grown;
        if (selected) wf.selEnd = last + grown;
    });
}

}  // namespace quorvel
