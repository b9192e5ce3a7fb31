// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings the "View Options" dialog sets, and the sample of the point marker it shows.
#include "view/Surface.h"

#include <cstdint>

namespace quorvel {

struct ViewOptions {
    uint8_t gridStep = 10;
    uint8_t pointSize = 1;
    uint8_t playFps = 1;
    uint8_t paletteChoice = 1;
    int projectorKpps = 30;
    int cornerDwell = 3;
    int onionBefore = 1, onionAfter = 0;  // frames the onion skin shows around the working one
    bool operator==(const ViewOptions&) const = default;
};

// A red line across the middle of a width x height box, and on it, half the box's height from its
// left edge, a red circle of the point size: the marker as the canvas will draw it.
void drawPointSample(Surface& s, int width, int height, int pointSize);

}  // namespace quorvel
