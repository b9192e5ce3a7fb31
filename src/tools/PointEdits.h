// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Point edits as plain functions over the working frame: everything the canvas tools, the point
// clipboard and the text tool do to points, with no canvas and no undo. Positions are canvas
// pixels with y upward, of the grid given (the normal view's when none is). Each returns false where a frame full at
// 20000 points refused a point.
#include "model/Palette.h"
#include "model/Text.h"
#include "model/WorkingFrame.h"
#include "tools/PointAccess.h"

#include <QString>
#include <cmath>

namespace quorvel {

inline constexpr Text FrameFullNote{QT_TRANSLATE_NOOP("Texts", "The frame is full (20000 points).")};

// Where the next line of points starts: the frame's last point, or the press on an empty frame.
struct LineStart {
    double x = 0, y = 0;
    bool frameWasEmpty = true;
};

// The frame's last point as a line start; a point on the right or top edge lies on pixel 512,
// which no point can be stored at, so starts are limited to 0..511. `fallback` when empty.
LineStart lineStartOf(const WorkingFrame& wf, LineStart fallback, PixelGrid g = NormalGrid);

// One point at the end of the live record of any format: Z starts at 0.
bool appendPoint(WorkingFrame& wf, int32_t x, int32_t y, int button, const Ink& ink, PixelGrid g = NormalGrid);

// The stepping shared by lines and their preview: from (fromX, fromY) towards (x, y) in steps of
// `s` along the longer axis; `visit` gets each position. The start moves to the last position.
template <class Visit> void stepLine(double& fromX, double& fromY, double x, double y, int s, Visit&& visit) {
    const double dx = std::abs(x - fromX), dy = std::abs(y - fromY);
    const bool steep = dy >= dx;
    double& major = steep ? fromY : fromX;
    double& minor = steep ? fromX : fromY;
    const double target = steep ? y : x, other = steep ? x : y;
    const double sign = target - major < 0 ? -1 : 1;
    float n = static_cast<float>(std::abs(target - major) / s);
    if (n == 0) n = 1;
    const double minorStep = (other - minor) / n;
    const double step = s * sign, start = major;
    for (double t = start; sign > 0 ? t <= target : t >= target; t += step) {
        steep ? visit(minor, t) : visit(t, minor);
        minor += minorStep;
        major = t;
    }
}

// Spacing of a line drawn with `button`: point spacing for the left button, blank otherwise.
inline int lineSpacing(int button, int pointSpace, int blankSpace) { return button == 1 ? pointSpace : blankSpace; }

// Points `spacing` apart from `from` to (x, y), then (x, y) itself (doubled when the steps land
// on it).
bool lineTo(WorkingFrame& wf, LineStart& from, float x, float y, int button, int spacing, const Ink& ink,
            PixelGrid g = NormalGrid);

struct ShapeSpacing {
    int pointSpace, blankSpace;
};

// An ellipse around (cx, cy), joined to the path by a blanked line unless the frame was empty.
// Points pushed past the canvas edge are pinned there and blanked.
bool addEllipse(WorkingFrame& wf, LineStart& from, int32_t cx, int32_t cy, int32_t rx, int32_t ry, ShapeSpacing sp,
                const Ink& ink, PixelGrid g = NormalGrid);
// Angle step and point of an ellipse, shared with its preview: angle 0 is the top, clockwise.
// The step is that of the same ellipse at the normal view, whatever the grid: a circle gets as
// many points zoomed in as out.
double ellipseAngleStep(int pointSpace, int32_t rx, int32_t ry, PixelGrid g = NormalGrid);
Pixel ellipsePoint(double a, int32_t cx, int32_t cy, int32_t rx, int32_t ry);

// A rectangle from corner (cx, cy) to (x, y), reached by a blanked line.
bool addRectangle(WorkingFrame& wf, LineStart& from, float cx, float cy, float x, float y, ShapeSpacing sp,
                  const Ink& ink, PixelGrid g = NormalGrid);

// The point nearest to (x, y) closer than 10 pixels, -1 if none; earlier points win ties.
int32_t findNearestPoint(const WorkingFrame& wf, float x, float y, PixelGrid g = NormalGrid);
// The segment k (points k, k + 1) whose ends lie nearest to (x, y) in sum, -1 if none.
int32_t findNearestSegment(const WorkingFrame& wf, float x, float y, PixelGrid g = NormalGrid);
// Selects the object around point i: its run of visible points and the blanked point the beam
// starts it from. False (nothing selected) for a blanked point.
bool selectObjectAround(WorkingFrame& wf, int32_t i);

// Moves the selected points by (dx, dy) pixels, pinning and blanking those pushed off the canvas.
void movePoints(WorkingFrame& wf, int32_t dx, int32_t dy, PixelGrid g = NormalGrid);
enum class Inserted { Yes, NoSegment, FrameFull };
// A point at (x, y) between points k and k + 1, in the ink's colour. Z is its follower's.
Inserted insertPoint(WorkingFrame& wf, int32_t k, int32_t x, int32_t y, int button, const Ink& ink,
                     PixelGrid g = NormalGrid);
// Point i, and the selection when there is one, takes the ink's colour.
void recolorPoints(WorkingFrame& wf, int32_t i, const Ink& ink);
// Point i, or the whole selection when i lies in it, leaves the frame; the selection is cleared.
void deletePoints(WorkingFrame& wf, int32_t i);
// Every selected point becomes visible (status 0) or blanked (64), its other status bits cleared.
void setPointStatus(WorkingFrame& wf, bool visible);

enum class Pasted { Yes, Nothing, TrueColorIntoIndexed, NoRoom };
// The clipboard's points (its live record) at the end of the working frame: an empty frame takes
// the clipboard's content as it is; otherwise a blanked travel line `blankSpace` apart leads to
// them and the selection runs from its end to the last pasted point. Indexed points of either
// format go into indexed frames, and into true-colour frames with their colours in `pal`;
// true-colour points only into true-colour frames. A paste that would take the frame past 20000
// points pastes nothing.
Pasted pastePoints(WorkingFrame& wf, const WorkingFrame& clip, int blankSpace, const Ink& ink, const Palette& pal);

}  // namespace quorvel
