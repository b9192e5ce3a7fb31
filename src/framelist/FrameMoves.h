// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving frames between slots of the frame buffer file: deleting a range (the frames after it
// move down), inserting a frame (the frames from its place move up) and swapping two frames.
// Only what a later read of a slot can see travels: its header and its valid point records.
// Each completes or changes nothing: a file-size limit stops it before the first move, a slot that
// is to hold more bytes has its room reserved before it is written, and a move that fails is
// taken back.
#include "model/FrameBuffer.h"

#include <functional>
#include <vector>

namespace quorvel {

struct MoveResult {
    bool ok = true;
    QString error;  // why a slot could not be moved
};

// "frame N cannot be read", as every frame command says it.
QString unreadable(int frame);

// A frame as a later read of its slot sees it.
struct SlotBytes {
    FrameHeader header{};
    std::vector<uint8_t> points;
};
std::optional<SlotBytes> readFrame(const FrameBufferFile& buffer, int frame);

// Moves frames first + count .. totalFrames down by `count` slots.
MoveResult deleteFrames(const FrameBufferFile& buffer, int first, int count, int totalFrames);
// Moves frames at..totalFrames up one slot and puts `frame` in slot `at`.
MoveResult insertFrame(const FrameBufferFile& buffer, int at, int totalFrames, const SlotBytes& frame);
// Frames a and b trade slots.
MoveResult swapFrames(const FrameBufferFile& buffer, int a, int b);

// Frame i (from 0) of some frames to be written; nothing when it cannot be had.
using FrameSource = std::function<std::optional<SlotBytes>(int i)>;
// The `taken` frames from `first` on replaced by `count` frames from `frameAt`, the frames after
// them moving up or down to follow. Every frame command is one case of it.
MoveResult replaceFrames(const FrameBufferFile& buffer, int first, int taken, int count, const FrameSource& frameAt,
                         int totalFrames);

// Frames kept in a file of their own (whose name is never followed as a link), in the order
// kept; the file goes when the stash does.
class FrameStash {
public:
    explicit FrameStash(const QString& path);
    ~FrameStash();
    FrameStash(const FrameStash&) = delete;
    FrameStash& operator=(const FrameStash&) = delete;
    bool keep(const FrameHeader& h, const void* points, int64_t bytes);
    bool keep(const SlotBytes& s) { return keep(s.header, s.points.data(), int64_t(s.points.size())); }
    std::optional<FrameHeader> header(size_t i) const;
    std::optional<SlotBytes> take(size_t i) const;
    int size() const { return int(offsets_.size()); }
    const QString& error() const { return error_; }

private:
    bool put(const void* data, int64_t bytes);
    QByteArray path_;
    int fd_ = -1;
    int64_t end_ = 0;
    std::vector<int64_t> offsets_;
    QString error_;
};

// Frames first..first + count - 1 added to `stash`.
MoveResult keepFrames(const FrameBufferFile& buffer, int first, int count, FrameStash& stash);

}  // namespace quorvel
