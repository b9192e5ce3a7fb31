#include "vector/OutlineTrace.h"

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
    return std::isfinite(n) ? std::clamp(int(n), 1, 1024) : 1;
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
            lines.push_back({{placeOf(p)}, false});
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
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
    for (Polyline& l : lines) l.closed = l.points.size() > 2 && l.points.front() == l.points.back();
    return lines;
}

QTransform fitIntoCanvas(const QRectF& area, int margin) {
    const double room = 2.0 * (32767 - 128 * margin);
    const double w = area.width(), h = area.height();
    double scale = std::min(w > 0 ? room / w : HUGE_VAL, h > 0 ? room / h : HUGE_VAL);
    if (!std::isfinite(scale)) scale = 1;  // a single point: where it is, at the centre
    const QPointF c = area.center();
    return QTransform(scale, 0, 0, -scale, 32767 - scale * c.x(), 32767 + scale * c.y());
}

}  // namespace quorvel
