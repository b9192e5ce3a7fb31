// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editing canvas as a picture: what it shows, the snapshot that drag feedback is drawn over,
// and the backdrop that clearing it leaves (the background picture, or the restored snapshot
// while a drag goes on).
#include "view/ImageSurface.h"
#include "view/Renderer.h"
#include "view/ViewPort.h"

#include <QImage>

namespace quorvel {

class CanvasView {
public:
    CanvasView();

    const QImage& image() const { return image_; }
    const QImage& snapshot() const { return snapshot_; }
    // Draws onto the canvas; clear() leaves the current backdrop.
    ImageSurface surface();
    // Draws onto the canvas with no backdrop at all: clear() leaves it black.
    ImageSurface bareSurface();

    const ViewPort& viewPort() const { return view_; }
    const PixelGrid& grid() const { return view_.grid; }
    // Another zoom, pan or size: the image takes the view's size, the snapshot goes, and the
    // backdrop is made again for it; the caller draws the frame again.
    void setViewPort(const ViewPort& view);
    // The picture and the earlier frame laid under it are drawn for the view; `underlay` (see
    // setUnderlay) must be drawn for it too.

    void takeSnapshot() { snapshot_ = image_.copy(); }
    void dropSnapshot() { snapshot_ = QImage(); }
    // The backdrop becomes the snapshot as it is now, and stays that picture (later snapshots do
    // not change it) until the backdrop is reset; the canvas is cleared down to it.
    void restoreSnapshot();
    // The backdrop becomes the background picture, or none; this wipes all drawing.
    void resetBackdrop();
    void setBackground(QImage picture);
    // A drawing laid over the background picture (black where it draws nothing), or none when
    // null: the frame before the working one. Like the picture, it shows after the next reset.
    void setUnderlay(QImage underlay);

    // Clears to the backdrop and draws axes, grid and the frame; -1 for a format without drawing.
    int redraw(const WorkingFrame& wf, const Palette& pal, ViewSettings view);

private:
    void compose();

    QImage image_;
    QImage snapshot_;
    QImage picture_;     // the loaded background picture, or null
    QImage underlay_;    // null when nothing is laid over the picture
    QImage background_;  // the two together; null when both are
    QImage restored_;    // the backdrop while a drag goes on; null otherwise
    ViewPort view_;
};

}  // namespace quorvel
