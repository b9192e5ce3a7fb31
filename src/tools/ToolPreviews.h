// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drag feedback: what the tools draw over the canvas snapshot while the mouse moves. Positions
// are canvas pixels with y upward unless a parameter says `row` (screen rows, downward).
#include "model/Palette.h"
#include "model/WorkingFrame.h"
#include "tools/PointEdits.h"
#include "view/Surface.h"

namespace quorvel {

struct PreviewStyle {
    Rgb color;
    int pointSize;
};

// The points a line would get from `from` to (x, row), each joined to the end.
void previewLine(Surface& s, LineStart from, float x, float row, int spacing, PreviewStyle st,
                 PixelGrid g = NormalGrid);
// The ellipse around (cx, cy) through the pointer (x, y).
void previewEllipse(Surface& s, int32_t cx, int32_t cy, float x, float y, int pointSpace, PreviewStyle st,
                    PixelGrid g = NormalGrid);
void previewRectangle(Surface& s, int32_t cx, int32_t cy, float x, float row, Rgb color, PixelGrid g = NormalGrid);
// The selection moved by (dx, dRow) pixels, in its points' own colours.
void previewMove(Surface& s, const WorkingFrame& wf, int dx, int dRow, const Palette& pal, int pointSize,
                 PixelGrid g = NormalGrid);
// The path through a new point at (x, y) between points k and k + 1.
void previewInsert(Surface& s, const WorkingFrame& wf, int32_t k, int32_t x, int32_t y, const Ink& ink,
                   PixelGrid g = NormalGrid);
// Where point i is drawn, for marking it.
Pixel shownAt(const WorkingFrame& wf, int32_t i, PixelGrid g = NormalGrid);

}  // namespace quorvel
