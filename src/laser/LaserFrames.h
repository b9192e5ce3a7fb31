// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frames as a projector gets them: each point a laser sample in the output area, a blanked start
// so the jump from the last frame is dark, and never fewer than 20 samples.
#include "laser/IdnPackets.h"
#include "model/MoreSettings.h"
#include "model/Palette.h"
#include "model/WorkingFrame.h"

#include <algorithm>

namespace quorvel::idn {

constexpr int MinFrameSamples = 20;

int16_t placed(int16_t v, bool flip, int sizePercent, int offset);

// A point's sample: its stored X and Y in the area, its colour from the palette (indexed) or its
// own bytes (true colour) at full intensity; all dark when blanked.
template <class P> Sample sampleOf(const P& p, const Palette& pal, const OutputArea& area) {
    Sample s;
    s.x = placed(int16_t(p.xHi << 8 | p.xLo), area.flipX, area.sizeX, area.offsetX);
    s.y = placed(int16_t(p.yHi << 8 | p.yLo), area.flipY, area.sizeY, area.offsetY);
    if (p.status & StatusBit::Blanked) return s;
    if constexpr (requires { p.colorIndex; }) {
        s.r = pal.red[p.colorIndex], s.g = pal.green[p.colorIndex], s.b = pal.blue[p.colorIndex];
    } else {
        s.r = p.red, s.g = p.green, s.b = p.blue;
    }
    s.i = 255;
    return s;
}

// The same place with the beam off.
inline Sample dark(Sample s) {
    s.r = s.g = s.b = s.i = 0;
    return s;
}

// The samples of a frame: a blanked start at its first point, its points, then blanked samples
// at its last point up to 20. An empty frame gives 20 blanked samples at the centre.
std::vector<Sample> frameSamples(const WorkingFrame& wf, const Palette& pal, const OutputArea& area);
// The beam dark where it is: 20 blanked samples at `at`.
std::vector<Sample> blackout(Sample at = {});
// For setting up size, position and colours: the output area's border, a cross through the
// centre and a circle, in red, green and blue.
std::vector<Sample> testPattern(const OutputArea& area);

}  // namespace quorvel::idn
