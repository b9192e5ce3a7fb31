#include "view/CanvasView.h"

namespace quorvel {

CanvasView::CanvasView() : image_(makeDrawingImage(CanvasSize, CanvasSize)) { image_.fill(Qt::black); }

ImageSurface CanvasView::surface() {
    const QImage* backdrop = !restored_.isNull() ? &restored_ : background_.isNull() ? nullptr : &background_;
    return ImageSurface(image_, backdrop);
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
