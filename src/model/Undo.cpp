// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Undo.h"

#include <cstring>

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

bool UndoHistory::makeUndo(const WorkingFrame& wf) {
    if (!wf.hasLiveRecord()) return false;
    undo_.push(wf);
    ++made_;
    if (undocounter_ < Depth) ++undocounter_;
    redoCount_ = 0;
    return true;
}

bool UndoHistory::canUndo(const WorkingFrame& wf) const {
    if (undocounter_ != 1) return undocounter_ > 1;
    const WorkingFrame& newest = undo_.states[size_t(undo_.newest)];
    if (newest.format != wf.format) return true;
    bool same = true;
    wf.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        const auto& kept = newest.record<P>();
        same = kept.pointCount == r.pointCount && std::memcmp(&kept.header, &r.header, sizeof r.header) == 0 &&
               std::memcmp(kept.points.data(), r.points.data(), sizeof(P) * size_t(r.pointCount)) == 0;
    });
    return !same;
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
