// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Transform tool's handles on the box around the selection (or the whole frame): inside the
// box moves, a corner scales about the opposite corner, just outside a corner turns about the
// box's centre. Positions are canvas pixels of the grid, y upward; the transform is in units.
#include "model/Coordinates.h"
#include "tools/Transform.h"
#include "view/Surface.h"

namespace quorvel {

enum class Handle : uint8_t { None, Move, Scale, Rotate };

struct TransformDrag {
    Handle handle = Handle::None;
    int corner = 0;  // 0 bottom left, 1 bottom right, 2 top right, 3 top left
    UnitBox box;
    double pressX = 0, pressY = 0;  // units
};

constexpr int HandleReach = 5;   // pixels around a corner that grab its handle
constexpr int RotateReach = 20;  // pixels outside a corner that turn the box

// What a press at (x, y) takes hold of.
TransformDrag grab(const UnitBox& box, double x, double y, PixelGrid g);
// The transform the drag from the press to (x, y) makes. `shift` keeps a scale's proportions
// and turns in steps of 15 degrees.
Transform dragged(const TransformDrag& d, double x, double y, bool shift, PixelGrid g);
// The box and its four corner handles.
void drawHandles(Surface& s, const UnitBox& box, PixelGrid g);

}  // namespace quorvel
