// SPDX-License-Identifier: GPL-3.0-or-later
#include "vector/OutlineTrace.h"

#include "model/LineCut.h"

namespace quorvel {

namespace {

Place placeOf(QPointF p) { return {p.x(), p.y()}; }

// A cubic cut into n equal steps of its parameter strays from the chords by at most
// max|B''| / (8 n^2), and |B''| is at most 6 times the larger second difference of its
// control points.
int stepsFor(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance) {
    const QPointF d1 = p0 - 2 * p1 + p2, d2 = p1 - 2 * p2 + p3;
    const double bend = 6 * std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
    const double n = std::ceil(std::sqrt(bend / (8 * tolerance)));
    // Clamped while still a double: a curve of huge bends has no int of steps.
    return std::isfinite(n) ? int(std::clamp(n, 1.0, 1024.0)) : 1;
}

QPointF cubicAt(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double t) {
    const double s = 1 - t;
    return s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
}

}  // namespace

std::vector<Polyline> flatten(const QPainterPath& path, const QTransform& m, double tolerance) {
    std::vector<Polyline> lines;
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPointF p = m.map(QPointF(e.x, e.y));
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return {};  // nothing sensible to draw
        if (e.type == QPainterPath::MoveToElement || lines.empty()) {
            lines.push_back({{placeOf(p)}});
        } else if (e.type == QPainterPath::CurveToElement) {  // its two data elements always follow
            const QPointF c2 = m.map(QPointF(path.elementAt(i + 1))), end = m.map(QPointF(path.elementAt(i + 2)));
            const int n = stepsFor(last, p, c2, end, tolerance);
            for (int k = 1; k <= n; ++k)
                lines.back().points.push_back(placeOf(cubicAt(last, p, c2, end, double(k) / n)));
            last = end;
            i += 2;
            continue;
        } else {
            lines.back().points.push_back(placeOf(p));
        }
        last = p;
    }
    return lines;
}

namespace {
constexpr double CanvasEnd = 65534;

bool onCanvas(Place p) { return p.x >= 0 && p.x <= CanvasEnd && p.y >= 0 && p.y <= CanvasEnd; }

// Cuts the segment a-b to the canvas square; false when none of it is on it.
bool clip(Place& a, Place& b) { return cutToBox(a.x, a.y, b.x, b.y, 0, 0, CanvasEnd, CanvasEnd); }
}  // namespace

namespace {
constexpr int Cells = 64;
constexpr double CellSize = 65536.0 / Cells;
int cellOf(double v) { return std::clamp(int(v / CellSize), 0, Cells - 1); }
double squaredDistance(Place a, Place b) { return (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y); }
}  // namespace

TravelOrder::TravelOrder(const std::vector<Polyline>& lines, std::optional<Place> from)
    : lines_(lines), grid_(Cells * Cells) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].points.empty()) continue;
        const Place s = lines[i].points.front();
        grid_[size_t(cellOf(s.y) * Cells + cellOf(s.x))].push_back(i);
        if (!from) from = s;
        ++left_;
    }
    at_ = from.value_or(Place{});
}

std::optional<size_t> TravelOrder::next() {
    if (left_ == 0) return std::nullopt;
    // Squared distances: the nearest is the same, without a square root for every start. A
    // ring whose cells all lie further than the nearest start found so far ends the search.
    const int cx = cellOf(at_.x), cy = cellOf(at_.y);
    double best = HUGE_VAL;
    std::vector<size_t>* bestCell = nullptr;
    size_t bestSlot = 0;
    const auto search = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= Cells || y >= Cells) return;
        std::vector<size_t>& cell = grid_[size_t(y * Cells + x)];
        for (size_t slot = 0; slot < cell.size(); ++slot) {
            const double d = squaredDistance(at_, lines_[cell[slot]].points.front());
            if (d < best || (d == best && cell[slot] < (*bestCell)[bestSlot]))
                best = d, bestCell = &cell, bestSlot = slot;
        }
    };
    for (int r = 0; r < Cells; ++r) {
        const double ringGap = (r - 1) * CellSize;  // no start in ring r lies nearer than this
        if (r > 1 && ringGap * ringGap > best) break;
        for (int x = cx - r; x <= cx + r; ++x) {
            search(x, cy - r);
            if (r > 0) search(x, cy + r);
        }
        for (int y = cy - r + 1; y < cy + r; ++y) search(cx - r, y), search(cx + r, y);
    }
    const size_t next = (*bestCell)[bestSlot];
    (*bestCell)[bestSlot] = bestCell->back();
    bestCell->pop_back();
    --left_;
    at_ = lines_[next].points.back();
    return next;
}

std::vector<size_t> travelOrder(const std::vector<Polyline>& lines, std::optional<Place> from) {
    TravelOrder order(lines, from);
    std::vector<size_t> all;
    while (const auto next = order.next()) all.push_back(*next);
    return all;
}

std::vector<Polyline> clippedToCanvas(const Polyline& line) {
    if (std::all_of(line.points.begin(), line.points.end(), onCanvas)) return {line};
    std::vector<Polyline> parts;
    Polyline part;
    const auto close = [&] {
        if (!part.points.empty()) parts.push_back(std::move(part));
        part = {};
    };
    for (size_t k = 0; k + 1 < line.points.size(); ++k) {
        Place a = line.points[k], b = line.points[k + 1];
        if (!clip(a, b)) {
            close();
            continue;
        }
        if (part.points.empty() || !(part.points.back() == a)) close(), part.points.push_back(a);
        part.points.push_back(b);
        if (!(b == line.points[k + 1])) close();  // left the canvas
    }
    close();
    return parts;
}

QTransform fitIntoCanvas(const QRectF& area, int margin) {
    const double room = 2.0 * (32767 - 128 * margin);
    const double w = area.width(), h = area.height();
    double scale = std::min(room / w, room / h);  // a side of 0 gives infinity
    if (!std::isfinite(scale)) scale = 1;         // a single point: where it is, at the centre
    const QPointF c = area.center();
    return QTransform(scale, 0, 0, -scale, 32767 - scale * c.x(), 32767 + scale * c.y());
}

}  // namespace quorvel
