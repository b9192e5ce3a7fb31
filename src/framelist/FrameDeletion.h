#pragma once
// Removing a range of frames from the frame buffer file: the frames after it move down.
#include "model/FrameBuffer.h"

namespace quorvel {

struct Deletion {
    bool ok = true;
    QString error;  // why a slot could not be moved
};

// Moves frames first + count .. totalFrames down by `count` slots. Only what a later read of a
// slot can see travels: its header and its valid point records.
Deletion deleteFrames(const FrameBufferFile& buffer, int first, int count, int totalFrames);

}  // namespace quorvel
