// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frames between two key frames: point k of the first moves towards point k of the second,
// its colour from one to the other, eased as the artist chooses.
#include "framelist/FrameMoves.h"
#include "model/NearestColor.h"
#include "model/Palette.h"
#include "model/WorkingFrame.h"

#include <string>
#include <vector>

namespace quorvel {

enum class Easing : uint8_t { Linear, In, Out, InOut };
// How far along the way (0 to 1) a frame at share `t` of the time is.
double eased(Easing e, double t);

struct KeyPoint {
    double x = 0, y = 0, z = 0;  // canvas units
    Rgb color = 0;
    bool blanked = false;
    int index = -1;  // the palette index of an indexed point
};
std::vector<KeyPoint> keyPoints(const WorkingFrame& wf, const Palette& pal);

// The key with `count` points (at least as many as it has): new point j lies at j/(count-1) of
// the way through its point list, between the two points around it when both are in the same run
// (both lit or both blanked), else on the earlier one; so lit lines gain points along themselves
// and a blanked jump stays a jump.
std::vector<KeyPoint> resampled(const std::vector<KeyPoint>& key, size_t count);

// "LOGO0001" and 2 give "LOGO0003": digits at the end count on, at their width; a name without
// them stays as it is.
std::string countedOn(std::string_view name, int by);

// `count` frames between keys a and b, in a's format and with a's header (names counted on).
// A point is blanked in an in-between when it is in the key the in-between is nearer to (halfway:
// the first key).
std::vector<SlotBytes> tweenFrames(const WorkingFrame& a, const WorkingFrame& b, int count, Easing easing,
                                   const Palette& pal, int paletteEntries);

}  // namespace quorvel
