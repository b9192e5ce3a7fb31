// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one canvas gesture (press, moves, release) carries from event to event.
#include "tools/PointEdits.h"
#include "tools/TransformHandles.h"

#include <cmath>
#include <cstdint>

namespace quorvel {

struct Gesture {
    int32_t centerx = 0, centery = 0;  // press pixel, y upward
    LineStart from;                    // where the next line of points starts
    int32_t strokeX = 0, strokeY = 0;  // last point of a pen stroke
    bool penDown = false;
    bool drawingLine = false, drawingCircle = false, drawingRectangle = false;
    bool recoloring = false, inserting = false, moving = false, transforming = false;
    TransformDrag transform;  // what the Transform tool took hold of
    bool shift = false;       // Shift held at the last mouse event
    int32_t insertSegment = -1, moveIndex = -1;
    uint8_t selectClickPhase = 0;
    bool penMode = false;  // the "Pen mode" check box
    int buttonsHeld = 0;   // canvas buttons pressed and not yet released
};

// Only the left (1), right (2) and middle (4) buttons act on the canvas.
inline bool isCanvasButton(int button) { return button == 1 || button == 2 || button == 4; }

}  // namespace quorvel
