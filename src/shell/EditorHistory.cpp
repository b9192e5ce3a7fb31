// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo: the edits of the working frame and the frame commands, in the order they were
// made. A frame command keeps the frames it replaces in a file beside the frame buffer file until
// it falls out of the history.
#include "shell/Editor.h"

namespace quorvel {

void Editor::makeUndo() {  // the menu follows once the change is made
    if (history.makeUndo(frame)) addToHistory(nullptr);
}

void Editor::resetUndo() {
    history.resetUndo();
    steps.forgetFrameEdits();  // they belonged to the frame that was being edited
    showHistory();
}

void Editor::forgetHistory() {
    steps.clear();
    resetUndo();
}

void Editor::forgetRedo() {
    history.clearRedo();
    steps.forgetRedo();
}

void Editor::addToHistory(SequenceHistory::Entry e) {
    // What falls out of the history cannot be undone any more, nor can the working frame's states
    // older than it.
    if (steps.add(std::move(e))) history.keepNewest(steps.frameEdits());
}

void Editor::undo() {
    // A gesture in progress holds indices into the frame; undoing under it would pull them away.
    if (tools.gestureHeld()) return;
    if (steps.canUndo() && !steps.undoIsFrameEdit()) return turnSequenceStep(true);
    // An edit, or a change of the frame as loaded that took no step of its own (its names).
    if (!steps.canUndo() && !history.canUndo(frame)) return;
    if (!history.undo(frame)) return;
    steps.undone(steps.canUndo() ? steps.takeUndo() : nullptr);
    afterHistoryStep();
}

void Editor::redo() {
    if (tools.gestureHeld() || !steps.canRedo()) return;
    if (!steps.redoIsFrameEdit()) return turnSequenceStep(false);
    if (!history.redo(frame)) return;
    steps.redone(steps.takeRedo());
    afterHistoryStep();
}

void Editor::showHistory() {
    win.undoEnabled = steps.canUndo() || history.canUndo(frame);
    win.redoEnabled = steps.canRedo();
}

void Editor::afterHistoryStep() {
    showHistory();
    win.noteStale = true;
    // The frame now differs from its slot and from what was saved, as after any edit; a frame
    // command may have written it back since the step it takes back.
    seq.framechanged = true;
    setFileChanged(true);
    refreshCanvas();
    strip.drawWorkingFrame(frame, palette, settings.pointSize, seq);
}

QString Editor::nextStashPath() { return buffer.path() + QStringLiteral(".undo-") + QString::number(++stashes_); }

std::unique_ptr<SequenceStep> Editor::beginStep(const QString& what, int first, int replacing) {
    auto step = std::make_unique<SequenceStep>();
    step->what = what;
    step->first = first;
    step->currentBefore = seq.editEnabled ? seq.currentFrame : 0;
    step->replaced = std::make_unique<FrameStash>(nextStashPath());
    if (const MoveResult kept = keepFrames(buffer, first, replacing, *step->replaced); !kept.ok) {
        // Said before anything changes; the command may still go on, with no way back.
        if (prompts.askYesNo(NoRoomForUndo.arg(kept.error)) != Answer::Yes) return nullptr;
        step->replaced.reset();
    }
    return step;
}

void Editor::endStep(std::unique_ptr<SequenceStep> step, int count) {
    step->count = count;
    step->currentAfter = seq.editEnabled ? seq.currentFrame : 0;
    if (step->replaced) {
        addToHistory(std::move(step));
    } else {  // a step with no way back: nothing before it can be undone across it
        forgetHistory();
        if (seq.editEnabled) history.makeUndo(frame);
    }
    showHistory();
}

void Editor::turnSequenceStep(bool back) {
    if (!writeBackWorkingFrame()) return;  // the frame's edits travel with its slot
    seq.framechanged = false;
    SequenceHistory::Entry step = back ? steps.takeUndo() : steps.takeRedo();
    // The working frame is the one the step left, not one chosen since: its edits stay in step.
    const bool sameFrame = (seq.editEnabled ? seq.currentFrame : 0) == step->currentAfter;
    if (const MoveResult moved = turnStep(buffer, *step, seq.totalFrames, nextStashPath()); !moved.ok) {
        prompts.message(BufferWriteFailed.arg(moved.error), MessageIcon::Exclamation);
        back ? steps.redone(std::move(step)) : steps.undone(std::move(step));  // back where it was
        return;
    }
    const int current = step->currentAfter;
    const QString note = (back ? UndoneNote : RedoneNote).arg(step->what);
    back ? steps.undone(std::move(step)) : steps.redone(std::move(step));
    showSequenceAt(current, sameFrame);
    win.statusNote = note;
}

void Editor::showSequenceAt(int current, bool sameFrame) {
    buffer.sync();
    setFileChanged(true);
    strip.setRange(seq.totalFrames);
    if (current < 1 || current > seq.totalFrames || !buffer.copyFrameToRam(current, frame)) {
        unloadWorkingFrame();
    } else {
        seq.currentFrame = current;
        seq.editEnabled = true;
        frame.clearSelection();
        if (!sameFrame) {  // another frame: its history starts here
            resetUndo();
            history.makeUndo(frame);
        }
        strip.setPosition((current - 1) / 4);
    }
    seq.selFrameStart = std::max(seq.currentFrame, 1), seq.selFrameLen = 1;
    win.deleteFramesEnabled = seq.totalFrames > 0;
    showHistory();
    if (showPreviousFrame) refreshUnderlay(seq.currentFrame);
    refreshCanvas();
    redrawStrip();
}

void Editor::unloadWorkingFrame() {
    // As after New File: nothing can be written back into a slot another frame took.
    seq.currentFrame = 0;
    seq.editEnabled = seq.framechanged = false;
    frame.visit([](auto& r) { r.pointCount = 0; });
    frame.clearSelection();
    canvas.resetBackdrop();
    win.pointsLabel = QStringLiteral("0");
}

}  // namespace quorvel
