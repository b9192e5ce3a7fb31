// The frame strip: eight thumbnails of consecutive frames, scrolled four frames at a time,
// and choosing the frame to edit.
#include "shell/Editor.h"
#include "shell/Wheel.h"
#include "view/SlotDrawing.h"

namespace quorvel {

int Editor::drawFrameFromBuffer(int frameNumber, const PixelScale& scale, bool markers, Surface& s) const {
    SlotFile file(buffer.path(), false);
    PathStyle style;
    style.scale = scale;
    style.markers = markers;
    style.pointSize = settings.pointSize;
    return drawFrameFromSlot(file, frameNumber, palette, style, s, rawFrameBytes_);
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
    // An edit that cannot be written back stays loaded, so it is not lost.
    if (!writeBackWorkingFrame()) return;
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
