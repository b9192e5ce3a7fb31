// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving frames between slots of the frame buffer file: deleting a range (the frames after it
// move down), inserting a frame (the frames from its place move up) and swapping two frames.
// Only what a later read of a slot can see travels: its header and its valid point records.
// Each completes or changes nothing: the room it writes is reserved first, and a move that still
// fails is taken back.
#include "model/FrameBuffer.h"

#include <vector>

namespace quorvel {

struct MoveResult {
    bool ok = true;
    QString error;  // why a slot could not be moved
};

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

}  // namespace quorvel
