// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and Redo over the whole sequence: the frame commands as steps of their own, in one order
// with the edits of the working frame (whose states the working frame's own history keeps).
#include "framelist/FrameMoves.h"

#include <deque>
#include <memory>

namespace quorvel {

// A change of the sequence's frames: the `count` frames it left from `first` on, and, in a file
// beside the frame buffer file, the frames they replaced.
struct SequenceStep {
    QString what;  // the command's name, for the status bar
    int first = 1, count = 0;
    std::unique_ptr<FrameStash> replaced;
    int currentBefore = 0, currentAfter = 0;  // the working frame before and after (0: none)
};

// Takes the step back, or forward again: its frames and the replaced ones trade places (those
// taken out kept in a new stash at `stashPath` first), and the step then describes the way back.
// `totalFrames` follows. When the frames taken out cannot be kept, nothing changes.
MoveResult turnStep(const FrameBufferFile& buffer, SequenceStep& step, int& totalFrames, const QString& stashPath);

class SequenceHistory {
public:
    static constexpr int Depth = 10;
    // An entry without a step is an edit of the working frame.
    using Entry = std::unique_ptr<SequenceStep>;

    // A new edit or step: what could be redone goes. True when the oldest entry fell out.
    bool add(Entry e);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Whether the next Undo (Redo) is an edit of the working frame.
    bool undoIsFrameEdit() const { return !undo_.back(); }
    bool redoIsFrameEdit() const { return !redo_.back(); }
    Entry takeUndo();
    Entry takeRedo();
    // An entry undone (redone) goes to the other side, what could be redone staying. Both sides
    // together never hold more than the depth: nothing falls out.
    void undone(Entry e) { redo_.push_back(std::move(e)); }
    void redone(Entry e) { undo_.push_back(std::move(e)); }
    // Edits of the working frame on both sides.
    int frameEdits() const;
    // Another frame becomes the working frame: the edits of this one leave the history.
    void forgetFrameEdits();
    void forgetRedo() { redo_.clear(); }
    void clear() { undo_.clear(), redo_.clear(); }

private:
    bool keepDepth();
    std::deque<Entry> undo_, redo_;
};

}  // namespace quorvel
