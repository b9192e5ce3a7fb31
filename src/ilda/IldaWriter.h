#pragma once
// Writing the sequence in the frame buffer file out as an ILDA file.
#include "model/FrameBuffer.h"
#include "model/SafeFile.h"

#include <QString>

namespace quorvel {

// Frames go out in slot order with renumbered headers, then a closing header. The target is
// replaced only once the whole file has been written, so a failed save leaves it as it was.
WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path);

// The header that ends the file: the last frame's header renamed, with no points.
FrameHeader closingHeader(const FrameHeader& last, int totalFrames);

}  // namespace quorvel
