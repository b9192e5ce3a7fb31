// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Up to ten earlier states of the working frame. Each saved state remembers the format it was
// taken in, so undoing a change that switched formats brings the old format back too.
#include "model/WorkingFrame.h"

#include <algorithm>
#include <array>

namespace quorvel {

class UndoHistory {
public:
    static constexpr int Depth = 10;

    // Saves the live record of the working frame as the newest state; what could be redone goes.
    // False when the frame has no live record to save.
    bool makeUndo(const WorkingFrame& wf);
    // Puts the newest saved state back into the working frame, keeping the frame as it was for
    // Redo. False when there is none.
    bool undo(WorkingFrame& wf);
    // Takes back the last Undo. False when there is nothing to redo.
    bool redo(WorkingFrame& wf);
    // A change that took no snapshot still ends what could be redone.
    void clearRedo() { redoCount_ = 0; }
    void resetUndo() { undocounter_ = redoCount_ = 0; }
    // Only the newest `states` stay to be undone.
    void keepNewest(int states) { undocounter_ = uint8_t(std::min<int>(undocounter_, states)); }
    int undocounter() const { return undocounter_; }
    // Whether Undo would change the frame: a state older than the newest is kept, or the frame
    // differs from the newest (the state taken when it was loaded is no step of its own).
    bool canUndo(const WorkingFrame& wf) const;
    int redoCount() const { return redoCount_; }
    // How many states were ever saved: tells whether a step was taken since some moment.
    uint64_t statesMade() const { return made_; }

private:
    // A ring of states, each with a record of every kind (allocated once) and its format.
    struct Ring {
        std::array<WorkingFrame, Depth> states;
        int newest = 0;
        void push(const WorkingFrame& wf);
        void popInto(WorkingFrame& wf);
    };
    Ring undo_, redo_;
    uint8_t undocounter_ = 0, redoCount_ = 0;
    uint64_t made_ = 0;
};

}  // namespace quorvel
