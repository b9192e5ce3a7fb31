#pragma once
// Writing the sequence in the frame buffer file out as an ILDA file.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "model/SafeFile.h"

#include <QString>

namespace quorvel {

// For stand-alone (SD-card) projectors, which mostly read only 3-D indexed frames in the
// standard ILDA palette: every frame is written as format 0 with Z 0, true-colour points take
// the nearest ILDA palette colour, indexed points of another palette go through their colour.
struct SdCardColors {
    const Palette& ilda;   // the standard palette the projector knows
    const Palette& inUse;  // what the indexed frames' indices mean here
    bool inUseIsIlda = true;
};

// Frames go out in slot order with renumbered headers, then a closing header. The target is
// replaced only once the whole file has been written, so a failed save leaves it as it was.
WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path,
                          const SdCardColors* sdCard = nullptr);

// A name such projectors read: up to eight characters, a dot and up to three more, plain ones.
bool isShortFileName(const QString& fileName);

// The header that ends the file: the last frame's header renamed, with no points.
FrameHeader closingHeader(const FrameHeader& last, int totalFrames);

}  // namespace quorvel
