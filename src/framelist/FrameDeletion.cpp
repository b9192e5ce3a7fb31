#include "framelist/FrameDeletion.h"

#include <vector>

namespace quorvel {

Deletion deleteFrames(const FrameBufferFile& buffer, int first, int count, int totalFrames) {
    if (first + count > totalFrames) return {};  // nothing follows the range
    SlotFile file(buffer.path(), SlotAccess::Write);
    std::vector<uint8_t> points(PointAreaSize);
    for (int to = first; to <= totalFrames - count; ++to) {
        const int from = to + count;
        const std::optional<FrameHeader> h = file.readHeader(from);
        if (!h) return {false, QStringLiteral("frame %1 cannot be read").arg(from)};
        const int64_t bytes =
            std::min<int64_t>(int64_t(std::min(h->pointCount(), MaxPoints)) * recordSize(h->formatCode), PointAreaSize);
        const int64_t got = file.readPoints(from, points.data(), bytes);
        if (!file.writeSlot(to, *h, points.data(), got)) return {false, file.error()};
    }
    return {};
}

}  // namespace quorvel
