#include "model/Undo.h"

namespace quorvel {

namespace {
void copyLive(const WorkingFrame& from, WorkingFrame& to) {
    to.format = from.format;
    from.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        to.record<P>() = r;
    });
}
}  // namespace

// The oldest state falls out when all ten are in use.
void UndoHistory::Ring::push(const WorkingFrame& wf) {
    newest = (newest + 1) % Depth;
    copyLive(wf, states[newest]);
}

void UndoHistory::Ring::popInto(WorkingFrame& wf) {
    copyLive(states[newest], wf);
    newest = (newest + Depth - 1) % Depth;
}

void UndoHistory::makeUndo(const WorkingFrame& wf) {
    if (!wf.hasLiveRecord()) return;
    undo_.push(wf);
    if (undocounter_ < Depth) ++undocounter_;
    redoCount_ = 0;
}

bool UndoHistory::undo(WorkingFrame& wf) {
    if (undocounter_ == 0) return false;
    if (wf.hasLiveRecord()) {
        redo_.push(wf);
        ++redoCount_;  // undone and redoable steps together never pass Depth
    }
    undo_.popInto(wf);
    --undocounter_;
    wf.clearSelection();
    return true;
}

bool UndoHistory::redo(WorkingFrame& wf) {
    if (redoCount_ == 0) return false;
    undo_.push(wf);
    ++undocounter_;  // back to at most where the undo it reverses left it
    redo_.popInto(wf);
    --redoCount_;
    wf.clearSelection();
    return true;
}

}  // namespace quorvel
