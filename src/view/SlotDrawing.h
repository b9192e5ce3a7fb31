// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a frame straight from its slot in the frame buffer file, as the strip, Open and the
// command-line tool show it, without loading it as the working frame.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "view/Renderer.h"

#include <vector>

namespace quorvel {

// Clears the surface and draws the frame's path. `scratch` holds at least one point area.
// Returns the frame's point count (0 for a slot that cannot be read).
int drawFrameFromSlot(SlotFile& file, int frame, const Palette& pal, const PathStyle& style, Surface& s,
                      std::vector<uint8_t>& scratch);

// The canvas right after the frame is chosen in the strip: the path with its markers under the
// axes and grid, or in beam view the frame drawn as the working frame is.
int drawChosenFrame(const FrameBufferFile& buffer, int frame, const Palette& pal, const ViewSettings& view, Surface& s);

}  // namespace quorvel
