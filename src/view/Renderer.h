// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a frame's points onto a Surface: the canvas's path and beam views, and the same
// walk at thumbnail size for the frame strip.
#include "model/Palette.h"
#include "model/WorkingFrame.h"
#include "view/Surface.h"

namespace quorvel {

constexpr Rgb AxisColor = rgb(50, 50, 50);
constexpr Rgb GridColor = rgb(255, 255, 255);
constexpr Rgb SelectionColor = rgb(0, 255, 255);
constexpr Rgb FirstPointColor = rgb(0, 255, 0);
constexpr Rgb LastPointColor = rgb(255, 0, 0);
constexpr int CanvasSize = 512;

// How a point's canvas coordinate becomes a pixel: x = c div divisor, y = height - c div divisor.
struct PixelScale {
    int divisor = 128;
    int height = CanvasSize;
};
constexpr PixelScale CanvasScale{128, 512};
constexpr PixelScale ThumbnailScale{1024, 64};

struct ViewSettings {
    bool beamMode = false;
    uint8_t gridStep = 10;
    uint8_t pointSize = 1;
    PixelScale scale = CanvasScale;  // the canvas's zoom
};

struct PathStyle {
    PixelScale scale = CanvasScale;
    bool markers = true;  // point circles and first/last markers
    bool beams = false;   // rays from the canvas centre instead of segments
    int pointSize = 1;
    int32_t selStart = -1, selEnd = -1;
};

inline Rgb colorOf(const Point3D& p, const Palette& pal) { return pal.pointColor(p.colorIndex, p.status); }
inline Rgb colorOf(const Point2D& p, const Palette& pal) { return pal.pointColor(p.colorIndex, p.status); }
// A true-colour point that is blanked, or black, emits no light: it is drawn as travel, as a
// blanked indexed point is, never as a black line over lit ones.
inline Rgb colorOf(const PointTrue2D& p, const Palette&) {
    const Rgb c = rgb(p.red, p.green, p.blue);
    return (p.status & StatusBit::Blanked) || c == 0 ? BlankedGray : c;
}

// Axes through the centre and a dot every `gridStep` pixels of the normal view, at any zoom.
void drawGrid(Surface& s, uint8_t gridStep, PixelScale scale = CanvasScale);
void markFirstPoint(int x, int y, Surface& s);
void markLastPoint(int x, int y, Surface& s);
void markPoint(Surface& s, int x, int y);

template <class P> void drawPoints(Surface& s, const P* points, int n, const Palette& pal, const PathStyle& st) {
    int prevX = 0, prevY = 0, px = 0, py = 0;
    const int centre = st.scale.height / 2;
    for (int i = 0; i < n; ++i) {
        const P& p = points[i];
        px = toCanvas(p.xHi, p.xLo) / st.scale.divisor;
        py = st.scale.height - toCanvas(p.yHi, p.yLo) / st.scale.divisor;
        const Rgb c = colorOf(p, pal);
        if (i == 0) {
            prevX = px, prevY = py;
            if (st.markers) markFirstPoint(px, py, s);
        }
        if (st.beams)
            s.line(centre, centre, px, py, c);
        else
            s.line(prevX, prevY, px, py, c);
        if (st.markers) s.circle(px, py, st.pointSize, c);
        if (st.selStart <= i && i <= st.selEnd) markPoint(s, px, py);
        prevX = px, prevY = py;
    }
    if (n > 0 && st.markers) markLastPoint(px, py, s);
}

// Clears the surface and draws axes, grid and the working frame in the chosen view.
// Returns the number of points drawn, or -1 when the frame's format has no drawing.
int redrawCanvas(Surface& s, const WorkingFrame& wf, const Palette& pal, const ViewSettings& v);

}  // namespace quorvel
