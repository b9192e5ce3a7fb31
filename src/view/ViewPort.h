// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What part of the frame the canvas shows, and how large: the zoom (a grid of 128 units a pixel
// at the normal view, down to 2 at 64 times) and the pan (the view's top-left pixel).
#include "model/Coordinates.h"
#include "view/Renderer.h"

namespace quorvel {

constexpr int NormalDivisor = 128, FinestDivisor = 2;  // 1× and 64×

struct ViewPort {
    PixelGrid grid;
    // The frame pixel (rows from the top) at the view's top-left. Negative when the frame is
    // smaller than the view: it is then centred in it.
    int left = 0, top = 0;
    int width = CanvasSize, height = CanvasSize;

    PixelScale scale() const { return {grid.divisor, grid.span()}; }
    double zoom() const { return double(NormalDivisor) / grid.divisor; }
    // The canvas shows exactly what it always showed: the frame 512 pixels across, nothing else.
    bool isNormal() const {
        return grid.divisor == NormalDivisor && left == 0 && top == 0 && width == CanvasSize && height == CanvasSize;
    }
    bool operator==(const ViewPort& o) const {
        return grid.divisor == o.grid.divisor && left == o.left && top == o.top && width == o.width &&
               height == o.height;
    }
};

// The pan kept in bounds: a frame smaller than the view centred in it, a larger one never
// scrolled past its edges.
ViewPort keptInBounds(ViewPort v);
// Another zoom, the frame point under view pixel (atX, atY) staying under it.
ViewPort zoomedAbout(ViewPort v, int divisor, double atX, double atY);
// The zoom of the next step in (2×, 4× … 64×) or out (… 1×), from any zoom.
int zoomInDivisor(int divisor);
int zoomOutDivisor(int divisor);
// The largest zoom at which the whole frame fits the view (never under 1×), centred.
ViewPort fitted(ViewPort v);
// A new size of the view, keeping the frame point at its centre where it was.
ViewPort resized(ViewPort v, int width, int height);

}  // namespace quorvel
