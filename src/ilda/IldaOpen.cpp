// SPDX-License-Identifier: GPL-3.0-or-later
#include "ilda/IldaOpen.h"

#include "model/SystemText.h"

namespace quorvel {

namespace {

// The frame buffer file, made when it is not there, as the place for the frames a file holds.
class SlotSink final : public FrameSink {
public:
    explicit SlotSink(const FrameBufferFile& buffer) : file_(buffer.path(), SlotAccess::Create) {}
    bool put(int frame, const FrameHeader& h, const void* points, int64_t bytes) override {
        return file_.writeSlot(frame, h, points, bytes);
    }
    std::string error() const override { return toSystem(file_.error()); }

private:
    SlotFile file_;
};

std::string_view viewOf(const QByteArray& bytes) { return {bytes.constData(), size_t(bytes.size())}; }

}  // namespace

FrameScan seekFrames(const QString& path, const SectionVisitor& visit) { return seekFrames(toSystem(path), visit); }

FrameScan seekFrames(const QByteArray& bytes, const QString& fileName) {
    return seekFrames(viewOf(bytes), toSystem(fileName));
}

CopyReport copyFrames(const QString& path, const FrameScan& scan, const FrameBufferFile& buffer) {
    SlotSink target(buffer);
    return copyFrames(toSystem(path), scan, target);
}

CopyReport copyFrames(const QByteArray& bytes, const FrameScan& scan, const FrameBufferFile& buffer) {
    SlotSink target(buffer);
    return copyFrames(viewOf(bytes), scan, target);
}

OpenedFrames openFrames(const QString& path, const FrameBufferFile& buffer) {
    SlotSink target(buffer);
    return openFrames(toSystem(path), target);
}

}  // namespace quorvel
