// SPDX-License-Identifier: GPL-3.0-or-later
#include "ilda/IldaWriter.h"

#include "model/SystemText.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <vector>

namespace quorvel {

bool isShortFileName(const QString& fileName) {
    static const QRegularExpression shortName(QStringLiteral("^[A-Za-z0-9_\\-]{1,8}(\\.[A-Za-z0-9_\\-]{1,3})?$"));
    return shortName.match(fileName).hasMatch();
}

WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path,
                          const SdCardColors* sdCard) {
    SlotFile source(buffer.path(), SlotAccess::Read);
    // A sequence that cannot be read back is never written over a file.
    if (totalFrames > 0 && !source.isOpen()) return {false, "the frame buffer file cannot be read"};
    IldaFileWriter out(toSystem(path), totalFrames, sdCard);
    if (!out.isOpen()) return {false, out.error()};
    constexpr int64_t Header = sizeof(FrameHeader);
    std::vector<char> slot(Header);  // a header and points: as large as the largest frame so far
    int64_t guess = 0;               // point bytes of the frame before: frames of a show are alike
    for (int i = 1; i <= totalFrames; ++i) {
        // The header and, when the frame is no larger than the one before, its points in one read.
        const int64_t read = source.readSlot(i, slot.data(), Header + guess);
        if (read < Header) return {false, "frame " + std::to_string(i) + " cannot be read from the frame buffer file"};
        FrameHeader h;
        std::memcpy(&h, slot.data(), sizeof h);
        const int64_t bytes = IldaFileWriter::pointBytes(h);
        slot.resize(std::max(slot.size(), size_t(Header + bytes)));
        int64_t got = std::min(read - Header, bytes);
        if (got < bytes) got = source.readPoints(i, slot.data() + Header, bytes);
        guess = bytes;
        out.put(i, h, slot.data() + Header, got);
    }
    return out.commit();
}

}  // namespace quorvel
