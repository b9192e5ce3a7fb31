#include "model/FrameBuffer.h"

#include <QFile>

namespace quorvel {

SlotFile::SlotFile(const QString& path, bool writable) : file_(path) {
    file_.open(writable ? QIODevice::ReadWrite : QIODevice::ReadOnly);
}

bool SlotFile::writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes) {
    const int64_t pos = framePos(frame);
    if (pos == 0 || !file_.isOpen() || !file_.seek(pos - 1)) return false;
    if (file_.write(reinterpret_cast<const char*>(&h), sizeof h) != sizeof h) return false;
    return bytes == 0 || file_.write(static_cast<const char*>(points), bytes) == bytes;
}

std::optional<FrameHeader> SlotFile::readHeader(int frame) {
    const int64_t pos = framePos(frame);
    FrameHeader h{};
    if (pos == 0 || !file_.isOpen() || !file_.seek(pos - 1)) return std::nullopt;
    if (file_.read(reinterpret_cast<char*>(&h), sizeof h) != sizeof h) return std::nullopt;
    return h;
}

int64_t SlotFile::readPoints(int frame, void* dst, int64_t bytes) {
    const int64_t pos = framePos(frame);
    if (pos == 0 || !file_.isOpen() || !file_.seek(pos - 1 + 32)) return 0;
    return std::max<int64_t>(0, file_.read(static_cast<char*>(dst), bytes));
}

bool FrameBufferFile::writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes) const {
    return SlotFile(path_, true).writeSlot(frame, h, points, bytes);
}

std::optional<FrameHeader> FrameBufferFile::readHeader(int frame) const {
    return SlotFile(path_, false).readHeader(frame);
}

int64_t FrameBufferFile::readPoints(int frame, void* dst, int64_t bytes) const {
    return SlotFile(path_, false).readPoints(frame, dst, bytes);
}

bool FrameBufferFile::saveRamToBuffer(int frame, WorkingFrame& wf) const {
    bool written = false;
    wf.visit([&](auto& r) {
        refreshForWrite(r);
        written = writeRecord(frame, r);
    });
    return written;
}

bool FrameBufferFile::copyFrameToRam(int frame, WorkingFrame& wf) const {
    SlotFile file(path_, false);
    const auto header = file.readHeader(frame);
    if (!header) return false;
    bool loaded = false;
    wf.visitFormat(header->formatCode, [&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        r.header = *header;
        file.readPoints(frame, r.points.data(), sizeof(P) * MaxPoints);
        r.pointCount = std::min(header->pointCount(), MaxPoints);
        wf.format = formatOf<P>();
        loaded = true;
    });
    return loaded;
}

bool FrameBufferFile::remove() const { return QFile::remove(path_); }

}  // namespace quorvel
