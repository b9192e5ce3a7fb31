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

// The frame's lit path (no blanked travel, no unlit points, no markers) in OnionTint on black,
// as the view shows it. A slot that cannot be read gives a black picture.
QImage drawOnionFrame(const FrameBufferFile& buffer, int frame, const Palette& pal, const ViewPort& view = {});

}  // namespace quorvel
