#include "ilda/IldaWriter.h"

#include <unistd.h>
#include <QFile>
#include <QFileInfo>
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

namespace {

// QSaveFile's temporary file is the target's name with seven characters more.
bool tooLongForTemporaryName(const QString& target) {
    const QFileInfo info(target);
    const long max = ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
    return QFile::encodeName(info.fileName()).size() + 7 > (max > 0 ? max : 255);
}

// Output gathered into large writes, each checked (a buffered QSaveFile would swallow the
// failure of its last flush). QSaveFile writes beside the target and replaces it only
// once everything is on disk, so a failed save leaves the old file as it was; it writes through
// a symbolic link to its target, and straight into the file where the folder allows no
// temporary file. A name too long to take the temporary suffix is written straight, too.
class SavedFile {
public:
    explicit SavedFile(const QString& target) : save_(target), direct_(target) {
        save_.setDirectWriteFallback(true);
        if (tooLongForTemporaryName(target)) {
            if (direct_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
                device_ = &direct_;
            else
                error_ = direct_.errorString();
        } else if (save_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            device_ = &save_;
        } else {
            error_ = save_.errorString();
        }
        if (device_) buffer_.reserve(Chunk);
    }
    bool isOpen() const { return device_ != nullptr; }
    QString errorString() const { return error_; }
    void write(const void* data, int64_t bytes) {
        buffer_.append(static_cast<const char*>(data), bytes);
        if (buffer_.size() >= Chunk) flush();
    }
    WriteResult commit() {
        flush();
        if (!error_.isEmpty()) {
            save_.cancelWriting();
            return {false, error_};
        }
        if (device_ == &direct_) {
            ::fsync(direct_.handle());
            direct_.close();
            return direct_.error() == QFile::NoError ? WriteResult{true, {}}
                                                     : WriteResult{false, direct_.errorString()};
        }
        ::fsync(save_.handle());  // on disk before it takes the old file's place
        if (!save_.commit()) return {false, save_.errorString()};
        return {true, {}};
    }

private:
    static constexpr qsizetype Chunk = 1 << 20;
    void flush() {
        if (!buffer_.isEmpty() && error_.isEmpty() && device_->write(buffer_) != buffer_.size())
            error_ = device_->errorString();
        buffer_.clear();
    }
    QSaveFile save_;
    QFile direct_;
    QFileDevice* device_ = nullptr;
    QByteArray buffer_;
    QString error_;
};

}  // namespace

WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path) {
    SlotFile source(buffer.path(), SlotAccess::Read);
    // A sequence that cannot be read back is never written over a file.
    if (totalFrames > 0 && !source.isOpen()) return {false, QStringLiteral("the frame buffer file cannot be read")};
    SavedFile out(path);
    if (!out.isOpen()) return {false, out.errorString()};
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
