// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning a true-colour working frame into an indexed one and back, so that every tool that
// needs a palette index works on it.
#include "model/NearestColor.h"
#include "model/Palette.h"
#include "model/WorkingFrame.h"

#include <array>

namespace quorvel {

// A format-5 frame becomes a 2-D indexed frame (format 1): same positions and status bytes,
// each point's colour the nearest palette entry. False, and nothing changed, for another format.
bool convertToPaletteColors(WorkingFrame& wf, const Palette& pal, int entries);

// An indexed frame (format 0 or 1) becomes a format-5 frame: same X, Y and status bytes, each
// point's colour its palette entry's. A 3-D frame loses its Z. False for another format.
bool convertToTrueColor(WorkingFrame& wf, const Palette& pal);

}  // namespace quorvel
