// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Editor.h"
#include "tools/ColorConversion.h"
#include "view/OnionSkin.h"

namespace quorvel {

void Editor::convertToPaletteColors() {
    if (!seq.editEnabled || frame.format != 5) return;
    edit(Edit::FrameChanged,
         [&] { quorvel::convertToPaletteColors(frame, palette, paletteEntries(settings.paletteChoice)); });
}

void Editor::convertToTrueColor() {
    if (!seq.editEnabled || (frame.format != 0 && frame.format != 1)) return;
    edit(Edit::FrameChanged, [&] { quorvel::convertToTrueColor(frame, palette); });
}

void Editor::toggleShowPreviousFrame() {
    showPreviousFrame = !showPreviousFrame;
    showUnderlay();
}

void Editor::showUnderlay() {
    refreshUnderlay(seq.editEnabled ? seq.currentFrame : 0);
    if (!seq.editEnabled) return;  // what the canvas shows of an unchosen frame stays
    canvas.resetBackdrop();
    redrawCanvas();
}

void Editor::refreshUnderlay(int current) {
    const bool any = current > 1 || (more.onionAfter > 0 && current >= 1 && current < seq.totalFrames);
    canvas.setUnderlay(showPreviousFrame && any ? drawOnionFrames(buffer, current, seq.totalFrames, more.onionBefore,
                                                                  more.onionAfter, palette, canvas.viewPort())
                                                : QImage());
}

}  // namespace quorvel
