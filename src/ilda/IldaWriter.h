#pragma once
// Writing the sequence in the frame buffer file out as an ILDA file.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "model/SafeFile.h"

#include <QString>
#include <memory>
#include <vector>

namespace quorvel {

// For stand-alone (SD-card) projectors, which mostly read only 3-D indexed frames in the
// standard ILDA palette: every frame is written as format 0 with Z 0, true-colour points take
// the nearest ILDA palette colour, indexed points of another palette go through their colour.
struct SdCardColors {
    const Palette& ilda;   // the standard palette the projector knows
    const Palette& inUse;  // what the indexed frames' indices mean here
    bool inUseIsIlda = true;
};

namespace detail {
class SdCardPoints;
}

// An ILDA file written frame by frame: each frame with its header renumbered, then a closing
// header. The target is replaced only once the whole file has been written, so a failed save
// leaves it as it was.
class IldaFileWriter final : public FrameSink {
public:
    IldaFileWriter(const QString& path, int totalFrames, const SdCardColors* sdCard = nullptr);
    ~IldaFileWriter() override;
    bool isOpen() const { return out_.isOpen(); }
    // Frame `frame` as a slot holds it; points beyond `available` bytes are written as zeros.
    // A failed write shows at commit().
    bool put(int frame, const FrameHeader& h, const void* points, int64_t available) override;
    QString error() const override { return out_.error(); }
    WriteResult commit();
    // What a frame's points take in the file; 0 for a slot with no place there.
    static int64_t pointBytes(const FrameHeader& h);

private:
    static int recordSizeOf(int formatCode);
    SafeFile out_;
    int totalFrames_;
    std::unique_ptr<detail::SdCardPoints> sd_;
    FrameHeader last_{};
    std::vector<char> padded_;
};

// The sequence in the frame buffer file, in slot order, through an IldaFileWriter.
WriteResult writeIldaFile(const FrameBufferFile& buffer, int totalFrames, const QString& path,
                          const SdCardColors* sdCard = nullptr);

// A name such projectors read: up to eight characters, a dot and up to three more, plain ones.
bool isShortFileName(const QString& fileName);

// The header that ends the file: the last frame's header renamed, with no points.
FrameHeader closingHeader(const FrameHeader& last, int totalFrames);

}  // namespace quorvel
