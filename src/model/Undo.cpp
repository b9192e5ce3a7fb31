#include "model/Undo.h"

namespace quorvel {

void UndoHistory::makeUndo(const WorkingFrame& wf) {
    if (!wf.hasLiveRecord()) return;
    newest_ = (newest_ + 1) % Depth;  // the oldest state falls out when all ten are in use
    WorkingFrame& saved = slots_[newest_].state;
    saved.format = wf.format;
    wf.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        saved.record<P>() = r;
    });
    if (undocounter_ < Depth) ++undocounter_;
}

bool UndoHistory::undo(WorkingFrame& wf) {
    if (undocounter_ == 0) return false;
    const WorkingFrame& saved = slots_[newest_].state;
    wf.format = saved.format;
    saved.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        wf.record<P>() = r;
    });
    newest_ = (newest_ + Depth - 1) % Depth;
    --undocounter_;
    wf.clearSelection();
    return true;
}

}  // namespace quorvel
