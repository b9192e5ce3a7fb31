// SPDX-License-Identifier: GPL-3.0-or-later
// Frames added, copied and moved in the sequence around the one being edited.
#include "framelist/FrameMoves.h"
#include "model/Text.h"
#include "shell/Editor.h"

#include <algorithm>

namespace quorvel {

bool Editor::readyToMoveFrames(int adding) {
    if (!seq.editEnabled) return false;  // they work around the frame being edited
    if (seq.totalFrames + adding > MaxFrames) {
        prompts.message(SequenceFullNote, MessageIcon::Exclamation);
        return false;
    }
    // The working frame goes to its slot first, so its edits travel with it.
    if (!writeBackWorkingFrame()) return false;
    seq.framechanged = false;
    return true;
}

bool Editor::framesMoved(const MoveResult& moved, int totalFrames, int current) {
    if (!moved.ok) {  // every frame is where it was
        prompts.message(BufferWriteFailed.arg(moved.error), MessageIcon::Exclamation);
        return false;
    }
    seq.totalFrames = totalFrames;
    seq.currentFrame = current;
    seq.selFrameStart = current, seq.selFrameLen = 1;
    buffer.sync();  // on disk even when the count, and so the marker, stays as it was (Earlier, Later)
    setFileChanged(true);
    strip.setRange(totalFrames);
    strip.setPosition((current - 1) / 4);  // the strip keeps the current frame in view
    redrawStrip();
    win.deleteFramesEnabled = true;
    if (showPreviousFrame) showUnderlay();
    return true;
}

void Editor::frameStep(const QString& what, int first, int replacing, const std::function<int()>& change) {
    std::unique_ptr<SequenceStep> step = beginStep(what, first, replacing);
    if (!step) return;
    if (const int left = change(); left >= 0) endStep(std::move(step), left);
}

void Editor::insertFrame() {
    if (!readyToMoveFrames(1)) return;
    SlotBytes empty;
    frame.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        empty.header = r.header;  // as Add New Frame makes it: the current frame's fields, no points
        empty.header.setPointCount(0);
        empty.header.formatCode = formatOf<P>();
    });
    const int at = seq.currentFrame;
    frameStep(StepInsertFrame, at, 0, [&] {
        return framesMoved(quorvel::insertFrame(buffer, at, seq.totalFrames, empty), seq.totalFrames + 1, at + 1) ? 1
                                                                                                                  : -1;
    });
}

void Editor::duplicateFrame() {
    if (!readyToMoveFrames(1)) return;
    const int at = seq.currentFrame;
    const std::optional<SlotBytes> copy = readFrame(buffer, at);
    if (!copy) {
        prompts.message(BufferWriteFailed.arg(unreadable(at)), MessageIcon::Exclamation);
        return;
    }
    frameStep(StepDuplicateFrame, at + 1, 0, [&] {
        return framesMoved(quorvel::insertFrame(buffer, at + 1, seq.totalFrames, *copy), seq.totalFrames + 1, at) ? 1
                                                                                                                  : -1;
    });
}

void Editor::reverseFrames() {
    if (!readyToMoveFrames(0)) return;
    // The range selected in the strip; with one frame selected there is no range: all of them.
    const bool range = seq.selFrameLen > 1;
    const int first = range ? seq.selFrameStart : 1;
    const int last = range ? std::min(seq.selFrameStart + seq.selFrameLen - 1, seq.totalFrames) : seq.totalFrames;
    frameStep(StepReverseFrames, first, last - first + 1, [&] {
        MoveResult moved;
        int swapped = 0;
        for (; first + swapped < last - swapped; ++swapped)
            if (moved = swapFrames(buffer, first + swapped, last - swapped); !moved.ok) break;
        if (!moved.ok)  // all or nothing: the pairs already turned go back
            while (swapped-- > 0) swapFrames(buffer, first + swapped, last - swapped);
        // The working frame went with its slot.
        const int current = seq.currentFrame;
        const int follows = first <= current && current <= last ? first + last - current : current;
        const int selStart = seq.selFrameStart, selLen = seq.selFrameLen;
        if (!framesMoved(moved, seq.totalFrames, follows)) return -1;
        seq.selFrameStart = selStart, seq.selFrameLen = selLen;
        redrawStrip();
        return last - first + 1;
    });
}

void Editor::transformFrames(const Transform& t) {
    if (t.isIdentity() || !readyToMoveFrames(0)) return;
    const int first = seq.selFrameStart, last = std::min(seq.selFrameStart + seq.selFrameLen - 1, seq.totalFrames);
    WorkingFrame each;
    double aboutX = 32767, aboutY = 32767;
    if (t.about == Pivot::Given)
        aboutX = t.aboutX, aboutY = t.aboutY;
    else if (t.about != Pivot::Canvas && buffer.copyFrameToRam(first, each))
        pivotOf(each, Pivot::Frame, aboutX, aboutY);  // the selected points belong to one frame only
    frameStep(StepTransformFrames, first, last - first + 1, [&] {
        for (int f = first; f <= last; ++f) {
            const double share = last == first ? 1.0 : double(f - first) / (last - first);
            bool written = buffer.copyFrameToRam(f, each);
            if (written) {
                each.clearSelection();
                quorvel::transformPoints(each, partOf(t, share, aboutX, aboutY));
                written = buffer.saveRamToBuffer(f, each);
            }
            if (!written) {  // the frames done stay so, and Undo takes them all back
                prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
                break;
            }
        }
        buffer.sync();
        // The working frame is loaded again as its slot now holds it.
        if (first <= seq.currentFrame && seq.currentFrame <= last) {
            buffer.copyFrameToRam(seq.currentFrame, frame);
            frame.clearSelection();
        }
        setFileChanged(true);
        if (showPreviousFrame) refreshUnderlay(seq.currentFrame);
        refreshCanvas();
        redrawStrip();
        return last - first + 1;
    });
}

int Editor::tweenKeyB() const {
    const int end = seq.selFrameStart + seq.selFrameLen - 1;
    return end > seq.currentFrame ? std::min(end, seq.totalFrames) : std::min(seq.currentFrame + 1, seq.totalFrames);
}

void Editor::tween(const TweenChoice& c) {
    const int a = seq.currentFrame;
    const int between = c.insert ? c.count : c.keyB - a - 1;
    if (c.keyB <= a || c.keyB > seq.totalFrames || between < 1 || !readyToMoveFrames(c.insert ? between : 0)) return;
    WorkingFrame b;
    if (!buffer.copyFrameToRam(c.keyB, b)) {
        prompts.message(BufferWriteFailed.arg(unreadable(c.keyB)), MessageIcon::Exclamation);
        return;
    }
    const std::vector<SlotBytes> frames =
        tweenFrames(frame, b, between, c.easing, palette, paletteEntries(settings.paletteChoice));
    const int replacing = c.insert ? 0 : between;
    frameStep(StepTween, a + 1, replacing, [&] {
        const MoveResult done = replaceFrames(
            buffer, a + 1, replacing, between, [&](int i) { return std::optional(frames[size_t(i)]); },
            seq.totalFrames);
        return framesMoved(done, seq.totalFrames + between - replacing, a) ? between : -1;
    });
}

void Editor::moveFrame(int by) {
    const int to = seq.currentFrame + by;
    if (to < 1 || to > seq.totalFrames || !readyToMoveFrames(0)) return;
    frameStep(StepMoveFrame, std::min(seq.currentFrame, to), 2,
              [&] { return framesMoved(swapFrames(buffer, seq.currentFrame, to), seq.totalFrames, to) ? 2 : -1; });
}

}  // namespace quorvel
