// SPDX-License-Identifier: GPL-3.0-or-later
#include "framelist/SequenceHistory.h"

#include <algorithm>

namespace quorvel {

MoveResult turnStep(const FrameBufferFile& buffer, SequenceStep& step, int& totalFrames, const QString& stashPath) {
    auto taken = std::make_unique<FrameStash>(stashPath);
    if (MoveResult kept = keepFrames(buffer, step.first, step.count, *taken); !kept.ok) return kept;
    const FrameStash& put = *step.replaced;
    const MoveResult moved = replaceFrames(
        buffer, step.first, step.count, put.size(), [&](int i) { return put.take(size_t(i)); }, totalFrames);
    if (!moved.ok) return moved;
    totalFrames += put.size() - step.count;
    step.count = put.size();
    step.replaced = std::move(taken);
    std::swap(step.currentBefore, step.currentAfter);
    return {};
}

bool SequenceHistory::add(Entry e) {
    redo_.clear();
    undo_.push_back(std::move(e));
    return keepDepth();
}

bool SequenceHistory::keepDepth() {
    if (int(undo_.size()) <= Depth) return false;
    undo_.pop_front();  // a step's stash goes with it
    return true;
}

SequenceHistory::Entry SequenceHistory::takeUndo() {
    Entry e = std::move(undo_.back());
    undo_.pop_back();
    return e;
}

SequenceHistory::Entry SequenceHistory::takeRedo() {
    Entry e = std::move(redo_.back());
    redo_.pop_back();
    return e;
}

int SequenceHistory::frameEdits() const {
    const auto edits = [](const std::deque<Entry>& side) { return int(std::count(side.begin(), side.end(), nullptr)); };
    return edits(undo_) + edits(redo_);
}

void SequenceHistory::forgetFrameEdits() {
    std::erase(undo_, nullptr);
    std::erase(redo_, nullptr);
}

}  // namespace quorvel
