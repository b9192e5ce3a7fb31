#include "ilda/IldaWriter.h"

#include <vector>

namespace quorvel {

FrameHeader closingHeader(const FrameHeader& last, int totalFrames) {
    FrameHeader h = last;
    h.setSignature("ILDA");  // what readers that follow the ILDA standard look for
    h.setFrameName("FILE");
    h.setCompanyName("COMPANY");
    h.setPointCount(0);
    h.setFrameNumber(totalFrames + 1);
    h.setTotalFrames(totalFrames);
    return h;
}

WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path) {
    SlotFile source(buffer.path(), SlotAccess::Read);
    // A sequence that cannot be read back is never written over a file.
    if (totalFrames > 0 && !source.isOpen()) return {false, QStringLiteral("the frame buffer file cannot be read")};
    SafeFile out(path);
    if (!out.isOpen()) return {false, out.error()};
    std::vector<char> points;  // as large as the largest frame so far
    FrameHeader last{};
    for (int i = 1; i <= totalFrames; ++i) {
        const std::optional<FrameHeader> stored = source.readHeader(i);
        if (!stored) return {false, QStringLiteral("frame %1 cannot be read from the frame buffer file").arg(i)};
        FrameHeader h = *stored;
        h.setSignature("ILDA");
        h.setTotalFrames(totalFrames);
        h.setFrameNumber(i);
        last = h;
        const int size = h.formatCode == 4 ? 0 : recordSize(h.formatCode);
        if (size == 0 || h.formatCode == 2) continue;  // only point frames have a place in the file
        const int64_t bytes = int64_t(std::min(h.pointCount(), MaxPoints)) * size;
        if (int64_t(points.size()) < bytes) points.resize(bytes);
        const int64_t got = source.readPoints(i, points.data(), bytes);
        std::fill(points.begin() + got, points.begin() + bytes, 0);
        out.write(&h, sizeof h);
        out.write(points.data(), bytes);
    }
    const FrameHeader end = closingHeader(last, totalFrames);
    out.write(&end, sizeof end);
    return out.commit();
}

}  // namespace quorvel
