// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CanvasView.h"

#include <algorithm>

namespace quorvel {

CanvasView::CanvasView() : image_(makeDrawingImage(CanvasSize, CanvasSize)) { image_.fill(Qt::black); }

ImageSurface CanvasView::surface() {
    const QImage* backdrop = !restored_.isNull() ? &restored_ : background_.isNull() ? nullptr : &background_;
    return ImageSurface(image_, backdrop);
}

void CanvasView::setBackground(QImage picture) {
    picture_ = std::move(picture);
    compose();
}

void CanvasView::setUnderlay(QImage underlay) {
    underlay_ = std::move(underlay);
    compose();
}

void CanvasView::compose() {
    if (underlay_.isNull()) {
        background_ = picture_;
        return;
    }
    background_ = picture_.isNull() ? QImage(CanvasSize, CanvasSize, QImage::Format_RGB32) : picture_.copy();
    if (picture_.isNull()) background_.fill(Qt::black);
    for (int y = 0; y < CanvasSize; ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(underlay_.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(background_.scanLine(y));
        // Lit pixels of the earlier frame cover the picture; black ones let it show.
        std::transform(from, from + CanvasSize, to, to,
                       [](QRgb lit, QRgb picture) { return lit & 0xFFFFFF ? lit : picture; });
    }
}

void CanvasView::restoreSnapshot() {
    restored_ = snapshot_;  // shared, not copied
    surface().clear();
}

void CanvasView::resetBackdrop() {
    restored_ = QImage();
    surface().clear();
}

int CanvasView::redraw(const WorkingFrame& wf, const Palette& pal, const ViewSettings& view) {
    ImageSurface s = surface();
    return redrawCanvas(s, wf, pal, view);
}

}  // namespace quorvel
