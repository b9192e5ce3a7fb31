// The frame strip: eight thumbnails of consecutive frames, scrolled four frames at a time,
// and choosing the frame to edit.
#include "shell/Editor.h"
#include "shell/Wheel.h"


namespace quorvel {

int Editor::drawFrameFromBuffer(int frameNumber, const PixelScale& scale, bool markers, Surface& s) const {
    s.clear();
    SlotFile file(buffer.path(), false);
    const auto header = file.readHeader(frameNumber);
    if (!header) return 0;
    const int count = std::min(header->pointCount(), MaxPoints);
    const int size = recordSize(header->formatCode);
    const int64_t bytes = file.readPoints(frameNumber, rawFrameBytes_.data(), int64_t(count) * size);
    const int available = size ? static_cast<int>(bytes / size) : 0;
    PathStyle style;
    style.scale = scale;
    style.markers = markers;
    style.pointSize = settings.pointSize;
    const auto draw = [&](const auto* points) { drawPoints(s, points, std::min(count, available), palette, style); };
    switch (header->formatCode) {
    case 0: draw(reinterpret_cast<const Point3D*>(rawFrameBytes_.data())); break;
    case 1: draw(reinterpret_cast<const Point2D*>(rawFrameBytes_.data())); break;
    case 5: draw(reinterpret_cast<const PointTrue2D*>(rawFrameBytes_.data())); break;
    default: break;
    }
    return count;
}

void Editor::setStripRange(int range) {
    win.stripRange = range;
    win.stripPosition = std::clamp(win.stripPosition, 0, range);
}

void Editor::setStripPosition(int position) {
    position = std::clamp(position, 0, win.stripRange);
    if (position == win.stripPosition) return;
    win.stripPosition = position;
    redrawStrip();
}

void Editor::wheel(int delta, bool buttonsOrKeysHeld) {
    wheelStep = nextWheelStep(wheelStep, delta, buttonsOrKeysHeld);
    setStripPosition(scrolledPosition(win.stripPosition, wheelStep, win.stripRange));
}

void Editor::redrawStrip() {
    for (int i = 0; i < StripThumbnails; ++i) {
        Thumbnail& t = thumbnails[i];
        const int frameNumber = win.stripPosition * 4 + i + 1;
        if (frameNumber > seq.totalFrames) {
            t.image.fill(ImageSurface::toArgb(emptyThumbnailColour));
            t.label.clear();
            t.selected = false;
            continue;
        }
        t.selected = seq.selFrameStart <= frameNumber && frameNumber < seq.selFrameStart + seq.selFrameLen;
        t.label = QString::number(frameNumber);
        ImageSurface surface(t.image, nullptr, t.selected ? highlightColour : rgb(0, 0, 0));
        drawFrameFromBuffer(frameNumber, ThumbnailScale, false, surface);
    }
}

void Editor::chooseThumbnail(int index, bool leftButton) {
    const int chosen = win.stripPosition * 4 + index + 1;
    if (chosen > seq.totalFrames) return;
    if (leftButton) {
        seq.selFrameStart = chosen;
        seq.selFrameLen = 1;
    } else if (chosen < seq.selFrameStart) {
        seq.selFrameLen = seq.selFrameStart - chosen + 1;
        seq.selFrameStart = chosen;
    } else {
        seq.selFrameLen = chosen - seq.selFrameStart + 1;
    }
    win.undoEnabled = false;
    if (seq.framechanged) buffer.saveRamToBuffer(seq.currentFrame, frame);
    if (win.currentTool != PointTool) resetBackdrop();
    ImageSurface surface = canvasSurface();
    win.pointsLabel = QString::number(drawFrameFromBuffer(chosen, CanvasScale, true, surface));
    drawGrid(surface, settings.gridStep);
    canvasSnapshot = canvas.copy();
    seq.currentFrame = chosen;
    redrawStrip();
    buffer.copyFrameToRam(chosen, frame);
    seq.editEnabled = true;
    seq.framechanged = false;
    resetUndo();
    makeUndo();
    if (settings.beamMode) {
        redrawCanvas();
        canvasSnapshot = canvas.copy();
    }
}

}  // namespace quorvel
