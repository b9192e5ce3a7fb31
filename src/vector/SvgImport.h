// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An SVG drawing laid onto a frame: fitted into the canvas, traced as laser points in the
// colours of its outlines, nearest outline next, made ready for a projector, and appended after
// the frame's points, as many whole outlines as the frame has room for.
#include "model/Palette.h"
#include "model/WorkingFrame.h"
#include "tools/PointAccess.h"
#include "vector/SvgDrawing.h"

namespace quorvel {

constexpr int SvgMarginPixels = 16;

struct ImportRules {
    int pointSpace, blankSpace;  // canvas pixels, as the tools space their points
    int dwell;                   // points held at a corner
};

struct ImportReport {
    int outlines = 0;    // subpaths traced
    int outlinesIn = 0;  // of them, those that came in whole: all, unless the frame filled up
    int traced = 0;      // of them, those traced before the frame was known to be full
    int added = 0;       // points appended
    bool fit = true;     // false when the frame filled up before the drawing was all in
    bool cut = false;    // an empty frame took the first outline in part: none fit whole
};

// `ink` is what an outline without a colour of its own takes, and a black one: black light is
// none at all. Indexed frames take the palette entry nearest to each outline's colour among the
// first `paletteEntries`.
ImportReport importDrawing(WorkingFrame& wf, const SvgDrawing& drawing, const ImportRules& rules, const Ink& ink,
                           const Palette& pal, int paletteEntries);

// Optimises the selected points, or all of them when none are selected; nothing changes when
// the result would not fit in the frame (optimisationOf tells beforehand).
void optimiseForProjector(WorkingFrame& wf, int pointSpace, int dwell);
// What optimising would make of the frame, without changing it: its points before and after
// (more than the frame holds, maybe) and the corners it would hold.
struct OptimisePlan {
    int before = 0, after = 0, cornersHeld = 0;
    bool changes() const { return after != before; }  // it only ever adds points
};
OptimisePlan optimisationOf(const WorkingFrame& wf, int pointSpace, int dwell);

}  // namespace quorvel
