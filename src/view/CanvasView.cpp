// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CanvasView.h"

#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {
constexpr QRgb OutsideTheFrame = qRgb(40, 40, 40);  // where a view larger than the frame shows none
}  // namespace

CanvasView::CanvasView() : image_(makeDrawingImage(CanvasSize, CanvasSize)) { image_.fill(Qt::black); }

ImageSurface CanvasView::surface() {
    const QImage* backdrop = !restored_.isNull() ? &restored_ : background_.isNull() ? nullptr : &background_;
    ImageSurface s(image_, backdrop);
    s.setOrigin(view_.left, view_.top);
    return s;
}

ImageSurface CanvasView::bareSurface() {
    ImageSurface s(image_);
    s.setOrigin(view_.left, view_.top);
    return s;
}

void CanvasView::setViewPort(const ViewPort& view) {
    if (view == view_) return;
    if (view.width != view_.width || view.height != view_.height) {
        image_ = makeDrawingImage(view.width, view.height);
        image_.fill(Qt::black);
    }
    view_ = view;
    snapshot_ = restored_ = QImage();
    compose();
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
    const bool normal = view_.isNormal();
    if (underlay_.isNull() && normal) {
        background_ = picture_;
        return;
    }
    if (normal) {
        background_ = picture_.isNull() ? QImage(CanvasSize, CanvasSize, QImage::Format_RGB32) : picture_.copy();
        if (picture_.isNull()) background_.fill(Qt::black);
    } else {
        // The picture stretched over the frame as the zoom shows it, grey beyond the frame.
        background_ = QImage(view_.width, view_.height, QImage::Format_RGB32);
        background_.fill(OutsideTheFrame);
        QPainter painter(&background_);
        const QRectF frame(-view_.left, -view_.top, view_.grid.span(), view_.grid.span());
        painter.fillRect(frame, Qt::black);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!picture_.isNull()) painter.drawImage(frame, picture_);
    }
    if (underlay_.size() != background_.size()) return;  // drawn for another view: it comes again
    for (int y = 0; y < background_.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(underlay_.constScanLine(y));
        QRgb* to = reinterpret_cast<QRgb*>(background_.scanLine(y));
        // Lit pixels of the earlier frame cover the picture; black ones let it show.
        std::transform(from, from + background_.width(), to, to,
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

int CanvasView::redraw(const WorkingFrame& wf, const Palette& pal, ViewSettings view) {
    ImageSurface s = surface();
    view.scale = view_.scale();
    return redrawCanvas(s, wf, pal, view);
}

}  // namespace quorvel
