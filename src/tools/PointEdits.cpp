// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/PointEdits.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace quorvel {

namespace {
constexpr double FullTurn = 6.2831853;

template <class P> bool appendTo(FrameRecord<P>& r, int32_t x, int32_t y, int button, const Ink& ink, PixelGrid g) {
    if (r.pointCount >= MaxPoints) return false;  // the one gate every added point passes
    P& p = r.points[r.pointCount];
    p = P{};
    setPixel(p, x, y, g);
    p.status = statusForButton(button);
    paintNew(p, ink);
    ++r.pointCount;
    return true;
}

bool isIndexed(const WorkingFrame& wf) { return wf.format == 0 || wf.format == 1; }

int32_t selectionEnd(const WorkingFrame& wf, int32_t count) { return std::min(wf.selEnd, count - 1); }
}  // namespace

LineStart lineStartOf(const WorkingFrame& wf, LineStart fallback, PixelGrid g) {
    wf.visit([&](const auto& r) {
        if (r.pointCount == 0) return;
        const auto& last = r.points[r.pointCount - 1];
        const double d = g.divisor, top = g.last();
        fallback = {std::min(toCanvas(last.xHi, last.xLo) / d, top), std::min(toCanvas(last.yHi, last.yLo) / d, top),
                    false};
    });
    return fallback;
}

bool appendPoint(WorkingFrame& wf, int32_t x, int32_t y, int button, const Ink& ink, PixelGrid g) {
    bool added = true;
    wf.visit([&](auto& r) { added = appendTo(r, x, y, button, ink, g); });
    return added;
}

namespace {
// Points `spacing` apart from `from` to (x, y), then (x, y) itself, each added by `add`.
bool appendLine(WorkingFrame& wf, LineStart& from, float x, float y, int button, int spacing, const Ink& ink,
                PixelGrid g = NormalGrid) {
    bool fit = true;
    stepLine(from.x, from.y, x, y, spacing,
             [&](double px, double py) { fit &= appendPoint(wf, nearest(px), nearest(py), button, ink, g); });
    return appendPoint(wf, nearest(x), nearest(y), button, ink, g) && fit;
}
}  // namespace

bool lineTo(WorkingFrame& wf, LineStart& from, float x, float y, int button, int spacing, const Ink& ink, PixelGrid g) {
    return appendLine(wf, from, x, y, button, spacing, ink, g);
}

// Larger ellipses get smaller steps, so the points stay about PointSpace apart.
double ellipseAngleStep(int pointSpace, int32_t rx, int32_t ry, PixelGrid g) {
    const double normal = g.divisor / 128.0;
    return pointSpace / (rx * normal / 3.0 + 10 + ry * normal / 3.0);
}

Pixel ellipsePoint(double a, int32_t cx, int32_t cy, int32_t rx, int32_t ry) {
    return {nearest(rx * std::sin(a) + cx), nearest(ry * std::cos(a) + cy)};
}

bool addEllipse(WorkingFrame& wf, LineStart& from, int32_t cx, int32_t cy, int32_t rx, int32_t ry, ShapeSpacing sp,
                const Ink& ink, PixelGrid g) {
    const double step = ellipseAngleStep(sp.pointSpace, rx, ry, g);
    const int32_t last = g.last();
    const int blankSpace = nearest(g.fromNormal(sp.blankSpace));
    bool fit = true, first = true;
    int status = 0;
    Pixel start{};
    const int steps = int(FullTurn / step);  // angles 0, step, 2 step, ... up to the full turn
    for (int k = 0; k <= steps; ++k) {
        Pixel p = ellipsePoint(k * step, cx, cy, rx, ry);
        const Pixel pinned{std::clamp(p.x, 0, last), std::clamp(p.y, 0, last)};
        status = pinned.x != p.x || pinned.y != p.y ? 2 : 1;  // a point pinned to the edge is blanked
        p = pinned;
        if (first) {
            start = p;
            first = false;
            if (!from.frameWasEmpty) fit &= lineTo(wf, from, p.x, p.y, 2, blankSpace, ink, g);
        }
        fit &= appendPoint(wf, p.x, p.y, status, ink, g);
    }
    fit &= appendPoint(wf, start.x, start.y, status, ink, g);  // closes it, as the last point was
    from = lineStartOf(wf, from, g);
    return fit;
}

bool addRectangle(WorkingFrame& wf, LineStart& from, float cx, float cy, float x, float y, ShapeSpacing sp,
                  const Ink& ink, PixelGrid g) {
    const int blankSpace = nearest(g.fromNormal(sp.blankSpace)), pointSpace = nearest(g.fromNormal(sp.pointSpace));
    bool fit = lineTo(wf, from, cx, cy, 2, blankSpace, ink, g);  // blanked travel to the first corner
    const float corners[4][2] = {{x, cy}, {x, y}, {cx, y}, {cx, cy}};
    for (const auto& c : corners) {
        from = lineStartOf(wf, from, g);
        fit &= lineTo(wf, from, c[0], c[1], 1, pointSpace, ink, g);
    }
    return fit;
}

int32_t findNearestPoint(const WorkingFrame& wf, float x, float y, PixelGrid g) {
    int32_t best = -1;
    int32_t bestD = 100;  // closer than 10 pixels
    wf.visit([&](const auto& r) {
        for (int32_t k = 0; k < r.pointCount; ++k) {
            const Pixel p = pixelOf(r.points[k], g);
            const float d = (y - p.y) * (y - p.y) + (x - p.x) * (x - p.x);
            // The kept distance is rounded, so a later point must beat the rounded value.
            if (d < bestD) best = k, bestD = nearest(d);
        }
    });
    return best;
}

int32_t findNearestSegment(const WorkingFrame& wf, float x, float y, PixelGrid g) {
    int32_t best = -1;
    int32_t bestD = 200000;
    wf.visit([&](const auto& r) {
        for (int32_t k = 0; k + 1 < r.pointCount; ++k) {
            const Pixel a = pixelOf(r.points[k], g), b = pixelOf(r.points[k + 1], g);
            const int64_t d1 = nearest(x - a.x), d2 = nearest(y - a.y), d3 = nearest(x - b.x), d4 = nearest(y - b.y);
            const int64_t d = d1 * d1 + d2 * d2 + d3 * d3 + d4 * d4;
            if (d < bestD) best = k, bestD = d;
        }
    });
    return best;
}

bool selectObjectAround(WorkingFrame& wf, int32_t i) {
    bool selected = false;
    wf.visit([&](const auto& r) {
        const auto points = r.used();
        if (i < 0 || i >= r.pointCount || isBlanked(points[i])) return;
        // The lit run around the point, with the blanked move into it.
        const auto blanked = [](const auto& p) { return isBlanked(p); };
        const auto end = std::find_if(points.begin() + i, points.end(), blanked);
        const auto start = std::find_if(std::make_reverse_iterator(points.begin() + i), points.rend(), blanked).base();
        wf.selStart = std::max(int32_t(start - points.begin()) - 1, 0);
        wf.selEnd = int32_t(end - points.begin()) - 1;
        selected = true;
    });
    return selected;
}

void movePoints(WorkingFrame& wf, int32_t dx, int32_t dy, PixelGrid g) {
    wf.visit([&](auto& r) {
        for (int32_t k = std::max(wf.selStart, 0); k <= selectionEnd(wf, r.pointCount); ++k) {
            auto& p = r.points[k];
            Pixel px = pixelOf(p, g);
            px.x += dx, px.y += dy;
            // Points pushed off the canvas are pinned to its edge and blanked.
            const Pixel pinned{std::clamp(px.x, 0, g.last()), std::clamp(px.y, 0, g.last())};
            if (pinned.x != px.x || pinned.y != px.y) p.status = StatusBit::Blanked;
            setPixel(p, pinned.x, pinned.y, g);
        }
    });
}

Inserted insertPoint(WorkingFrame& wf, int32_t k, int32_t x, int32_t y, int button, const Ink& ink, PixelGrid g) {
    Inserted result = Inserted::NoSegment;
    wf.visit([&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        const int32_t n = r.pointCount;
        if (k < 0 || k + 1 >= n) return;  // the segment is gone: nothing to insert into
        if (n >= MaxPoints) {
            result = Inserted::FrameFull;
            return;
        }
        std::move_backward(r.points.begin() + k + 1, r.points.begin() + n, r.points.begin() + n + 1);
        // The new point still holds its follower's bytes: Z is not written.
        P& p = r.points[k + 1];
        setPixel(p, x, y, g);
        p.status = statusForButton(button);
        paintNew(p, ink);
        ++r.pointCount;
        result = Inserted::Yes;
    });
    return result;
}

void recolorPoints(WorkingFrame& wf, int32_t i, const Ink& ink) {
    wf.visit([&](auto& r) {
        if (i >= 0 && i < r.pointCount) setColor(r.points[i], ink);
        for (int32_t k = std::max(wf.selStart, 0); k <= selectionEnd(wf, r.pointCount); ++k) setColor(r.points[k], ink);
    });
}

void setPointStatus(WorkingFrame& wf, bool visible) {
    wf.visit([&](auto& r) {
        for (int32_t k = std::max(wf.selStart, 0); k <= selectionEnd(wf, r.pointCount); ++k)
            r.points[k].status = visible ? 0 : StatusBit::Blanked;
    });
}

namespace {
// A clipboard point in the working frame's format: 2-D points get Z = 0, 3-D points lose it,
// indexed points in a true-colour frame take their palette colour.
template <class To, class From> To converted(const From& p, const Palette& pal) {
    if constexpr (std::is_same_v<To, From>) {
        return p;
    } else {
        To q{};
        q.xHi = p.xHi, q.xLo = p.xLo, q.yHi = p.yHi, q.yLo = p.yLo, q.status = p.status;
        if constexpr (hasColorIndex<To>())
            q.colorIndex = p.colorIndex;
        else
            setColor(q, Ink(p.colorIndex, pal.color[p.colorIndex]));
        return q;
    }
}

template <class To, class From> Pasted pasteInto(WorkingFrame& wf, FrameRecord<To>& r, const FrameRecord<From>& clip,
                                                 int blankSpace, const Ink& ink, const Palette& pal) {
    const int32_t c = clip.pointCount;
    if (c == 0) return Pasted::Nothing;
    const auto convert = [&](auto to) {
        std::ranges::transform(clip.used(), to, [&](const From& p) { return converted<To>(p, pal); });
    };
    if (r.pointCount == 0) {  // the frame takes the clipboard's content, header included
        if constexpr (std::is_same_v<To, From>) {
            r = clip;
        } else {
            r.header = clip.header;
            r.pointCount = c;
            convert(r.points.begin());
        }
        return Pasted::Yes;
    }
    LineStart from = lineStartOf(wf, {});
    const Pixel first = pixelOf(clip.points[0]);
    LineStart counting = from;
    int32_t travel = 1;  // the line's end point
    stepLine(counting.x, counting.y, first.x, first.y, blankSpace, [&](double, double) { ++travel; });
    if (r.pointCount + travel + c > MaxPoints) return Pasted::NoRoom;
    appendLine(wf, from, first.x, first.y, 2, blankSpace, ink);
    appendPoint(wf, first.x, first.y, 2, ink);  // overwritten by the first pasted point below
    const int32_t n = r.pointCount;
    wf.selStart = n - 2;  // the end of the travel line leads into the pasted points
    convert(r.points.begin() + n - 1);
    wf.selEnd = n + c - 2;
    r.pointCount = n + c - 1;
    return Pasted::Yes;
}
}  // namespace

Pasted pastePoints(WorkingFrame& wf, const WorkingFrame& clip, int blankSpace, const Ink& ink, const Palette& pal) {
    if (isIndexed(wf) && clip.format == 5) return Pasted::TrueColorIntoIndexed;
    Pasted result = Pasted::Nothing;
    wf.visit([&](auto& r) {
        clip.visit([&](const auto& c) {
            using To = typename std::decay_t<decltype(r)>::Point;
            using From = typename std::decay_t<decltype(c)>::Point;
            if constexpr (!hasColorIndex<To>() || hasColorIndex<From>())
                result = pasteInto(wf, r, c, blankSpace, ink, pal);
        });
    });
    return result;
}

void deletePoints(WorkingFrame& wf, int32_t i) {
    wf.visit([&](auto& r) {
        if (i < 0 || i >= r.pointCount) return;
        const bool inSelection = wf.selStart <= i && i <= wf.selEnd;  // no selection: both are -1
        const int32_t first = inSelection ? wf.selStart : i;
        const int32_t last = inSelection ? selectionEnd(wf, r.pointCount) : i;
        std::copy(r.points.begin() + last + 1, r.points.begin() + r.pointCount, r.points.begin() + first);
        r.pointCount -= last - first + 1;
    });
    wf.clearSelection();
}

}  // namespace quorvel
