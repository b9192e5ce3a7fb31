// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame before the working one, drawn dimmed under it while a frame is drawn by hand
// against the last: the onion skin of cel animation.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "view/ViewPort.h"

#include <QImage>

namespace quorvel {

// A dim violet that no frame's travel (grey) or points are drawn in: the previous frame can never
// be taken for blanked lines of the working one.
constexpr Rgb OnionTint = rgb(88, 40, 120);

// Frames after the working one, in a tint of their own.
constexpr Rgb OnionAfterTint = rgb(30, 100, 90);

// The frames' lit paths (no blanked travel, no unlit points, no markers) on black, as the view
// shows them; a slot that cannot be read draws nothing. Up to `before` frames before `current` and `after` frames after
// it (among 1..total), each fainter the farther it is (the fifth a fifth as bright), nearer ones drawn over farther
// ones.
QImage drawOnionFrames(const FrameBufferFile& buffer, int current, int total, int before, int after, const Palette& pal,
                       const ViewPort& view = {});
// The tint of a frame `distance` away (1 to 5), before or after.
Rgb onionTint(int distance, bool after);

}  // namespace quorvel
