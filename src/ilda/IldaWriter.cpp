#include "ilda/IldaWriter.h"

#include <QFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
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

namespace {

// The new file is written beside the target and renamed over it only when complete, so a
// failed save never destroys the file that was there. Output is gathered into large writes.
class ReplacingFile {
public:
    explicit ReplacingFile(const QString& target) : target_(target), temp_(target + QStringLiteral(".XXXXXX")) {
        temp_.setAutoRemove(true);
        if (temp_.open()) buffer_.reserve(Chunk);
    }
    bool isOpen() const { return temp_.isOpen(); }
    QString errorString() const { return temp_.errorString(); }
    void write(const void* data, int64_t bytes) {
        buffer_.append(static_cast<const char*>(data), bytes);
        if (buffer_.size() >= Chunk) flush();
    }
    WriteResult commit() {
        flush();
        if (!ok_) return {false, temp_.errorString()};
        temp_.setPermissions(QFile::exists(target_) ? QFile::permissions(target_)
                                                    : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                          QFile::ReadOther);
        temp_.close();
        if (std::rename(QFile::encodeName(temp_.fileName()).constData(), QFile::encodeName(target_).constData()) != 0)
            return {false, QString::fromLocal8Bit(std::strerror(errno))};
        temp_.setAutoRemove(false);
        return {true, {}};
    }

private:
    static constexpr qsizetype Chunk = 1 << 20;
    void flush() {
        if (!buffer_.isEmpty() && temp_.write(buffer_) != buffer_.size()) ok_ = false;
        buffer_.clear();
    }
    QString target_;
    QTemporaryFile temp_;
    QByteArray buffer_;
    bool ok_ = true;
};

}  // namespace

WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path) {
    ReplacingFile out(path);
    if (!out.isOpen()) return {false, out.errorString()};
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
        out.write(&h, sizeof h);
        out.write(points.data(), bytes);
    }
    const FrameHeader end = closingHeader(last, totalFrames);
    out.write(&end, sizeof end);
    return out.commit();
}

}  // namespace quorvel
