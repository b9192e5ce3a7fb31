// SPDX-License-Identifier: GPL-3.0-or-later
// Frames and points through the clipboard, point status, deleting frames, and the picture under
// the canvas.
#include "framelist/FrameMoves.h"
#include "model/RegularFile.h"
#include "shell/Editor.h"
#include "view/BackgroundPicture.h"

#include <algorithm>

namespace quorvel {

namespace {
// Selected points that exist: a selection can outlive the frame it was made in.
bool hasSelectedPoints(const WorkingFrame& wf) {
    return wf.selStart >= 0 && wf.selEnd >= wf.selStart && wf.selStart < wf.pointCount();
}
}  // namespace

void Editor::copyFrame() {
    if (!seq.editEnabled) return;
    clipboard.copyFrame(frame);
    win.pasteFrameEnabled = true;
}

void Editor::cutFrame() {
    if (!seq.editEnabled) return;
    clipboard.copyFrame(frame);
    win.pasteFrameEnabled = true;
    edit(Edit::FrameChanged, [&] {
        frame.visit([](auto& r) {
            r.pointCount = 0;
            r.header.setPointCount(0);
        });
    });
}

void Editor::pasteFrame() {
    if (!seq.editEnabled) return;
    edit(Edit::FrameChanged, [&] { clipboard.pasteFrame(frame); });
}

void Editor::deleteFrames() {
    if (seq.totalFrames == 0) return;
    if (!writeBackWorkingFrame()) return;  // no edit is lost to the slots that move
    seq.framechanged = false;              // written back, or no frame to write
    const int first = seq.selFrameStart, count = std::min(seq.selFrameLen, seq.totalFrames - first + 1);
    frameStep(StepDeleteFrames, first, count, [&] {
        const MoveResult moved = quorvel::deleteFrames(buffer, first, count, seq.totalFrames);
        if (!moved.ok) {  // frames may now stand twice, but none is gone
            prompts.message(BufferWriteFailed.arg(moved.error), MessageIcon::Exclamation);
            return -1;
        }
        seq.totalFrames -= count;
        setFileChanged(true);  // the marker counts the frames as they now stand once the file is synced
        const int current = seq.currentFrame;
        if (current >= first + count)
            seq.currentFrame = current - count;  // it moved down and stays loaded
        else if (current >= first)
            unloadWorkingFrame();  // gone: nothing is loaded, as after New File
        strip.setRange(seq.totalFrames);
        seq.selFrameStart = seq.selFrameLen = 1;
        redrawStrip();
        if (showPreviousFrame) showUnderlay();  // the frame before the working one may be another now
        if (seq.totalFrames == 0) win.deleteFramesEnabled = false;
        return 0;
    });
}

void Editor::copyPoints() {
    if (!seq.editEnabled) return;
    if (!hasSelectedPoints(frame)) {
        prompts.message(NoPointsToCopy, MessageIcon::None);
        return;
    }
    clipboard.copyPoints(frame);
    win.pastePointsEnabled = true;
    // Written back all the same when another frame is chosen, though nothing in it changed.
    edit(Edit::KeepsUndo | Edit::WriteBack, [] {});
}

void Editor::cutPoints() {
    if (!seq.editEnabled) return;
    if (!hasSelectedPoints(frame)) {
        prompts.message(NoPointsToCut, MessageIcon::None);
        return;
    }
    win.pastePointsEnabled = true;
    edit(Edit::FrameChanged, [&] {
        clipboard.copyPoints(frame);
        deletePoints(frame, frame.selStart);
        tools.clearSelection();
    });
}

void Editor::deleteSelectedPoints() {
    if (!seq.editEnabled || !hasSelectedPoints(frame)) return;
    edit(Edit::FrameChanged, [&] {
        deletePoints(frame, frame.selStart);
        tools.clearSelection();
    });
}

void Editor::transformPoints(const Transform& t) {
    if (!seq.editEnabled || t.isIdentity() || frame.pointCount() == 0) return;
    edit(Edit::FrameChanged, [&] { quorvel::transformPoints(frame, t); });
}

void Editor::pastePoints() {
    if (!seq.editEnabled) return;
    Pasted result = Pasted::Nothing;
    edit(Edit::FrameChanged,
         [&] { result = quorvel::pastePoints(frame, clipboard.records(), settings.blankSpace, ink(), palette); });
    if (result == Pasted::TrueColorIntoIndexed) prompts.message(TrueColorIntoIndexed, MessageIcon::None);
    if (result == Pasted::NoRoom) prompts.message(NoRoomForPaste, MessageIcon::None);
}

void Editor::setPointStatus(bool visible) {
    if (!seq.editEnabled || frame.selStart == -1) return;
    edit(Edit::FrameChanged, [&] { quorvel::setPointStatus(frame, visible); });
}

void Editor::loadImage() { loadImageFile(prompts.openFileName(ImageFilter)); }

void Editor::loadImageFile(const QString& path) {
    if (path.isEmpty()) return;
    if (const QString odd = notRegularFile(path); !odd.isEmpty()) {  // a pipe would hold the window
        prompts.message(odd, MessageIcon::Exclamation);
        return;
    }
    QImage picture = loadBackgroundPicture(path);
    if (picture.isNull()) {  // the background stays as it was
        prompts.message(PictureUnreadable, MessageIcon::Exclamation);
        return;
    }
    tools.reset();
    canvas.setBackground(std::move(picture));
    canvas.resetBackdrop();
    redrawCanvas();
}

void Editor::removeImage() {
    tools.reset();
    canvas.setBackground(QImage());
    canvas.resetBackdrop();
    redrawCanvas();
}

}  // namespace quorvel
