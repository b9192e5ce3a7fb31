// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the sequence in the frame buffer file out as an ILDA file.
#include "ilda/IldaFileWriter.h"
#include "model/FrameBuffer.h"

#include <QString>

namespace quorvel {

// The sequence in the frame buffer file, in slot order, through an IldaFileWriter.
WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path,
                          const SdCardColors* sdCard = nullptr);

// A name such projectors read: up to eight characters, a dot and up to three more, plain ones.
bool isShortFileName(const QString& fileName);

}  // namespace quorvel
