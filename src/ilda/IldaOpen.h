// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ILDA reader as the editor calls it: names in Qt's text, frames into the frame buffer file.
#include "ilda/IldaReader.h"
#include "model/FrameBuffer.h"

#include <QByteArray>
#include <QString>

namespace quorvel {

FrameScan seekFrames(const QString& path, const SectionVisitor& visit = {});
FrameScan seekFrames(const QByteArray& bytes, const QString& fileName);

CopyReport copyFrames(const QString& path, const FrameScan& scan, const FrameBufferFile& buffer);
CopyReport copyFrames(const QByteArray& bytes, const FrameScan& scan, const FrameBufferFile& buffer);

// Both passes in one walk, each frame into its slot of a frame buffer file started anew.
OpenedFrames openFrames(const QString& path, const FrameBufferFile& buffer);

}  // namespace quorvel
