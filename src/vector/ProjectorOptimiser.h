// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points a projector draws cleanly. Galvos overshoot a corner they are not held at, and a laser
// switched on or off while they move bleeds light along the move; long lit segments come out
// dim and bent. The optimiser adds what each needs and nothing else, so running it twice adds
// nothing the second time.
//
// A segment takes the blanking of the point it leads to, as the canvas draws it. The rules:
// - a lit segment longer than the point spacing gets evenly spaced points in between;
// - a corner (a lit point between lit segments, where the path turns by more than 30 degrees)
//   is held: the point is there `dwell` times in all;
// - where blanking changes, the beam waits blanked where the laser switches: the blanked
//   point before a lit segment is repeated twice, and after the last lit point come two blanked
//   points at its place.
#include "model/Coordinates.h"
#include "model/Records.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel {

constexpr double CornerTurnDegrees = 30;
constexpr int AnchorPoints = 2;

// Positions in canvas units (0..65534, 128 to a canvas pixel), y upward.
struct Place {
    double x = 0, y = 0;
    bool operator==(const Place&) const = default;
};
template <class P> Place placeOf(const P& p) {
    return {double(toCanvas(p.xHi, p.xLo)), double(toCanvas(p.yHi, p.yLo))};
}
template <class P> void putAt(P& p, Place at) {
    const auto unit = [](double v) { return std::clamp(int32_t(std::lround(v)), 0, 65534); };
    const StoredBytes X = fromCanvas(unit(at.x)), Y = fromCanvas(unit(at.y));
    p.xHi = X.hi, p.xLo = X.lo, p.yHi = Y.hi, p.yLo = Y.lo;
}
inline double distance(Place a, Place b) { return std::hypot(b.x - a.x, b.y - a.y); }
// How far the path turns at `b` on its way from `a` to `c`, 0..180 degrees.
double turnDegrees(Place a, Place b, Place c);
// Pieces of at most `space` for a length: rounding points to whole units may leave a piece a
// unit longer, which is no reason to split it again.
inline int piecesFor(double length, double space) { return std::max(1, int(std::ceil((length - 1) / space))); }

struct OptimiseRules {
    double pointSpace;  // canvas units
    int dwell;          // points held at a corner
};
// What an optimisation did, for the artist.
struct OptimiseCount {
    int cornersHeld = 0;  // corners that got points to hold them
};

// A new point like `p`: the last-point mark belongs to the last point of a frame only.
template <class P> P copyOf(const P& p) {
    P q = p;
    q.status &= uint8_t(~StatusBit::LastPoint);
    return q;
}
// A blanked true-colour point carries no light: black.
template <class P> P blankedCopyOf(const P& p) {
    P q = copyOf(p);
    q.status |= StatusBit::Blanked;
    if constexpr (requires { q.red; }) q.red = q.green = q.blue = 0;
    return q;
}

template <class P>
std::vector<P> optimisedForProjector(const P* pts, int n, OptimiseRules rules, OptimiseCount* count = nullptr) {
    struct Stop {
        int first, count;
        Place at;
        bool lit;
    };
    std::vector<Stop> stops;  // runs of points at one place with one blanking
    for (int i = 0; i < n; ++i) {
        const Place at = placeOf(pts[i]);
        const bool lit = !(pts[i].status & StatusBit::Blanked);
        if (!stops.empty() && stops.back().at == at && stops.back().lit == lit)
            ++stops.back().count;
        else
            stops.push_back({i, 1, at, lit});
    }
    std::vector<P> out;
    out.reserve(size_t(n) * 2);
    const auto repeat = [&](const P& p, int times) {
        for (int k = 0; k < times; ++k) out.push_back(copyOf(p));
    };
    for (size_t s = 0; s < stops.size(); ++s) {
        const Stop& st = stops[s];
        const P& first = pts[st.first];
        const P& last = pts[st.first + st.count - 1];
        if (s > 0 && st.lit) {
            const Place from = stops[s - 1].at;
            const int pieces = piecesFor(distance(from, st.at), rules.pointSpace);
            for (int k = 1; k < pieces; ++k) {
                P q = copyOf(first);
                const double t = double(k) / pieces;
                putAt(q, {from.x + (st.at.x - from.x) * t, from.y + (st.at.y - from.y) * t});
                if constexpr (requires { q.zHi; }) {
                    const P& before = pts[stops[s - 1].first + stops[s - 1].count - 1];
                    const double z0 = toCanvas(before.zHi, before.zLo), z1 = toCanvas(first.zHi, first.zLo);
                    const StoredBytes z = fromCanvas(int32_t(std::lround(z0 + (z1 - z0) * t)));
                    q.zHi = z.hi, q.zLo = z.lo;
                }
                out.push_back(q);
            }
        }
        out.insert(out.end(), pts + st.first, pts + st.first + st.count);
        if (s + 1 >= stops.size()) break;
        const Stop& next = stops[s + 1];
        if (s > 0 && st.lit && next.lit && stops[s - 1].at != st.at &&
            turnDegrees(stops[s - 1].at, st.at, next.at) > CornerTurnDegrees && rules.dwell > st.count) {
            repeat(last, rules.dwell - st.count);
            if (count) ++count->cornersHeld;
        }
        if (st.lit == next.lit) continue;
        if (!st.lit) {
            repeat(last, AnchorPoints - (st.count - 1));  // the first of them arrived; the rest wait
        } else {
            const int waiting = next.at == st.at ? next.count : 0;
            for (int k = waiting; k < AnchorPoints; ++k) out.push_back(blankedCopyOf(last));
        }
    }
    return out;
}

}  // namespace quorvel
