// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame buffer file's shape (one fixed-size slot per frame) and where a reader puts the
// frames it takes from a file. Nothing here needs more than the standard library, so the
// command-line tool that reads and writes ILDA files starts without loading Qt.
#include "model/Records.h"

#include <cstdint>
#include <string>

namespace quorvel {

constexpr int MaxFrames = 10000;
constexpr int64_t PointAreaSize = 200000;
constexpr int64_t FrameSlotSize = 32 + PointAreaSize;

// 1-based byte position of a frame's slot, 0 for frame numbers that name no slot.
constexpr int64_t framePos(int64_t frame) {
    return frame >= 1 && frame <= MaxFrames ? 1 + (frame - 1) * FrameSlotSize : 0;
}

// Where Open puts each frame it reads: the frame buffer file, or straight into a file being
// written when nothing needs the frames in between.
class FrameSink {
public:
    virtual ~FrameSink() = default;
    // The frame's header and `bytes` of its point records; false when they could not be kept.
    virtual bool put(int frame, const FrameHeader& h, const void* points, int64_t bytes) = 0;
    // Why the last put failed.
    virtual std::string error() const = 0;
};

}  // namespace quorvel
