// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving, scaling, rotating and mirroring points at the frame's own resolution (canvas units,
// 0..65534, y upward), for the Transform dialog and the Transform tool.
#include "model/WorkingFrame.h"

namespace quorvel {

enum class Pivot : uint8_t { Selection, Frame, Canvas, Given };

struct Transform {
    double moveX = 0, moveY = 0;        // units
    double scaleX = 100, scaleY = 100;  // per cent; negative mirrors as well
    double degrees = 0;                 // counter-clockwise, as on a drawing whose y runs upward
    bool mirrorX = false;               // left and right swap
    bool mirrorY = false;               // top and bottom swap
    Pivot about = Pivot::Selection;
    double aboutX = 32767, aboutY = 32767;  // the pivot when it is Given, in units

    bool isIdentity() const {
        return moveX == 0 && moveY == 0 && scaleX == 100 && scaleY == 100 && degrees == 0 && !mirrorX && !mirrorY;
    }
};

struct UnitBox {
    int32_t left = 0, bottom = 0, right = -1, top = -1;  // empty when right < left
    bool empty() const { return right < left; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (bottom + top) / 2.0; }
};

// The box around the selected points, or around all points when nothing is selected.
UnitBox transformedBox(const WorkingFrame& wf);
// The point everything turns and scales about.
void pivotOf(const WorkingFrame& wf, Pivot about, double& x, double& y);

// The share `f` (0 to 1) of a transform: a part of the move, the turn and the way from 100 % to
// the scale, a mirror taken as a scale of -100 %. About the pivot given.
Transform partOf(const Transform& t, double f, double aboutX, double aboutY);

// Mirrors, scales and rotates the selected points (all points when nothing is selected) about
// the pivot, then moves them. Colours, Z and status stay; a point pushed past the canvas edge is
// pinned there and blanked, as the drawing tools pin. False when there was nothing to change.
bool transformPoints(WorkingFrame& wf, const Transform& t);

}  // namespace quorvel
