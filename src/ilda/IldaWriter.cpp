#include "ilda/IldaWriter.h"

#include <QSaveFile>
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
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return {false, out.errorString()};
    SlotFile source(buffer.path(), false);
    std::vector<char> points(PointAreaSize);
    FrameHeader last{};
    for (int i = 1; i <= totalFrames; ++i) {
        FrameHeader h = source.readHeader(i).value_or(FrameHeader{});
        h.setSignature("ILDA");
        h.setTotalFrames(totalFrames);
        h.setFrameNumber(i);
        last = h;
        const int size = h.formatCode == 4 ? 0 : recordSize(h.formatCode);
        if (size == 0 || h.formatCode == 2) continue;  // only point frames have a place in the file
        const int64_t bytes = int64_t(std::min(h.pointCount(), MaxPoints)) * size;
        const int64_t got = source.readPoints(i, points.data(), bytes);
        std::fill(points.begin() + got, points.begin() + bytes, 0);
        out.write(reinterpret_cast<const char*>(&h), sizeof h);
        out.write(points.data(), bytes);
    }
    const FrameHeader end = closingHeader(last, totalFrames);
    out.write(reinterpret_cast<const char*>(&end), sizeof end);
    if (!out.commit()) return {false, out.errorString()};
    return {true, {}};
}

}  // namespace quorvel
