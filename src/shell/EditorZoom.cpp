// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and pan of the canvas.
#include "shell/Editor.h"

namespace quorvel {

void Editor::showView(const ViewPort& view) {
    if (tools.gestureHeld()) {
        // Only a new size is kept for after the drag; a zoom or pan asked for during it is not.
        if (view.width != canvas.viewPort().width || view.height != canvas.viewPort().height) pendingView_ = view;
        return;
    }
    if (view == canvas.viewPort()) return;
    canvas.setViewPort(view);
    refreshUnderlay(seq.editEnabled ? seq.currentFrame : 0);
    canvas.resetBackdrop();
    if (seq.editEnabled) {
        redrawCanvas();
    } else if (seq.totalFrames > 0) {
        drawFirstFrame();  // before a frame is chosen the canvas shows the first, as Open left it
    }
    canvas.takeSnapshot();
}

void Editor::zoomAt(int steps, double x, double y) {
    int divisor = canvas.grid().divisor;
    for (int i = 0; i < std::abs(steps); ++i) divisor = steps > 0 ? zoomInDivisor(divisor) : zoomOutDivisor(divisor);
    fitting_ = false;
    showView(zoomedAbout(canvas.viewPort(), divisor, x, y));
}

void Editor::zoomIn() { zoomAt(1, canvas.viewPort().width / 2.0, canvas.viewPort().height / 2.0); }
void Editor::zoomOut() { zoomAt(-1, canvas.viewPort().width / 2.0, canvas.viewPort().height / 2.0); }

void Editor::actualSize() {
    const ViewPort& v = canvas.viewPort();
    fitting_ = false;
    showView(zoomedAbout(v, NormalDivisor, v.width / 2.0, v.height / 2.0));
}

void Editor::zoomToFit() {
    fitting_ = true;
    showView(fitted(canvas.viewPort()));
}

void Editor::panTo(int left, int top) {
    ViewPort v = canvas.viewPort();
    v.left = left, v.top = top;
    showView(keptInBounds(v));
}

void Editor::setViewSize(int width, int height) {
    const ViewPort v = resized(canvas.viewPort(), width, height);
    showView(fitting_ ? fitted(v) : v);
}

}  // namespace quorvel
