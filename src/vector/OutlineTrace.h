// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Outlines of any drawing made into laser points: flattened to polylines on the canvas, then
// traced the way a projector draws them, each reached by a blanked travel line.
#include "tools/PointAccess.h"
#include "vector/ProjectorOptimiser.h"

#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <optional>
#include <vector>

namespace quorvel {

struct Polyline {
    std::vector<Place> points;
};

// The parts of a polyline on the canvas, each a polyline of its own: what lies past an edge
// cannot be shown, and the beam travels blanked between the parts.
std::vector<Polyline> clippedToCanvas(const Polyline& line);

// Every subpath of `path` mapped by `toCanvas`, curves cut into straight pieces so that no point
// of a curve lies further than `tolerance` (canvas units) from them.
std::vector<Polyline> flatten(const QPainterPath& path, const QTransform& toCanvas, double tolerance);

// The order to draw polylines in so that the beam travels little: from `from` (else the
// first polyline's start) always to the nearest start not yet drawn, the earlier in the list
// where two are as near. Worked out one polyline at a time, so a caller that stops early (a
// frame full after a few thousand of a drawing's outlines) pays only for what it took.
class TravelOrder {
public:
    TravelOrder(const std::vector<Polyline>& lines, std::optional<Place> from);
    // The index of the next polyline into `lines`, each once; none when all are drawn. Empty
    // polylines are never drawn.
    std::optional<size_t> next();

private:
    const std::vector<Polyline>& lines_;
    std::vector<std::vector<size_t>> grid_;  // starts sorted into cells, searched ring by ring
    size_t left_ = 0;
    Place at_{};
};
// The whole order at once.
std::vector<size_t> travelOrder(const std::vector<Polyline>& lines, std::optional<Place> from);

// `area` fitted into the canvas, centred on its middle with `margin` pixels left free on every
// side, proportions kept; y turned upward.
QTransform fitIntoCanvas(const QRectF& area, int margin);

struct TraceSpacing {
    double pointSpace, blankSpace;  // canvas units
};

// The points of one polyline after `from`: a blanked travel line at most `blankSpace` apart to
// its start (a single blanked point there when there is no `from`), then the polyline lit with
// points at most `pointSpace` apart along it, every vertex where it turns by more than 30
// degrees kept.
template <class P> void traceOutline(std::vector<P>& out, const Polyline& line, std::optional<Place> from,
                                     TraceSpacing sp, const Ink& ink) {
    std::vector<Place> v;
    for (const Place& p : line.points) {
        const Place whole{std::round(p.x), std::round(p.y)};
        if (v.empty() || !(v.back() == whole)) v.push_back(whole);
    }
    if (v.empty()) return;
    const auto addPoint = [&](Place at, bool lit) {
        P q{};
        q.status = lit ? 0 : StatusBit::Blanked;
        putAt(q, at);
        paintNew(q, ink);
        out.push_back(q);
    };
    const Place start = v.front(), origin = from.value_or(start);
    const int travel = from ? piecesFor(distance(origin, start), sp.blankSpace) : 1;
    for (int k = 1; k <= travel; ++k) {
        const double t = double(k) / travel;
        addPoint({origin.x + (start.x - origin.x) * t, origin.y + (start.y - origin.y) * t}, false);
    }
    addPoint(start, true);
    // Sections run from corner to corner; each is cut into equal pieces along its length.
    size_t a = 0;
    for (size_t b = 1; b < v.size(); ++b) {
        const bool end = b + 1 == v.size();
        if (!end && turnDegrees(v[b - 1], v[b], v[b + 1]) <= CornerTurnDegrees) continue;
        double length = 0;
        for (size_t k = a; k < b; ++k) length += distance(v[k], v[k + 1]);
        const int pieces = piecesFor(length, sp.pointSpace);
        size_t k = a;
        double walked = 0;  // along the section up to vertex k
        for (int j = 1; j < pieces; ++j) {
            const double want = length * j / pieces;
            while (k + 1 < b && walked + distance(v[k], v[k + 1]) < want) walked += distance(v[k], v[k + 1]), ++k;
            const double t = (want - walked) / std::max(distance(v[k], v[k + 1]), 1e-9);
            addPoint({v[k].x + (v[k + 1].x - v[k].x) * t, v[k].y + (v[k + 1].y - v[k].y) * t}, true);
        }
        addPoint(v[b], true);
        a = b;
    }
}

}  // namespace quorvel
