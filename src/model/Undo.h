#pragma once
// Up to ten earlier states of the working frame. Each saved state remembers the format it was
// taken in, so undoing a change that switched formats brings the old format back too.
#include "model/WorkingFrame.h"

#include <array>

namespace quorvel {

class UndoHistory {
public:
    static constexpr int Depth = 10;

    // Saves the live record of the working frame as the newest state.
    void makeUndo(const WorkingFrame& wf);
    // Puts the newest saved state back into the working frame. False when there is none.
    bool undo(WorkingFrame& wf);
    void resetUndo() { undocounter_ = 0; }
    int undocounter() const { return undocounter_; }

private:
    // Each slot holds a record of every kind, allocated once, and the format that is valid.
    struct Slot {
        WorkingFrame state;
    };
    std::array<Slot, Depth> slots_;
    int newest_ = 0;
    uint8_t undocounter_ = 0;
};

}  // namespace quorvel
