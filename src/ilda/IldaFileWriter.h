// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing an ILDA file frame by frame, from whatever holds the frames: the frame buffer file on
// Save As, or the file being read in the command-line tool's copy and repair.
#include "model/FrameSlots.h"
#include "model/PaletteTable.h"
#include "model/SafeFile.h"

#include <memory>
#include <string>
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
    IldaFileWriter(const std::string& path, int totalFrames, const SdCardColors* sdCard = nullptr);
    ~IldaFileWriter() override;
    bool isOpen() const { return out_.isOpen(); }
    // Frame `frame` as a slot holds it; points beyond `available` bytes are written as zeros.
    // A failed write shows at commit().
    bool put(int frame, const FrameHeader& h, const void* points, int64_t available) override;
    std::string error() const override { return out_.error(); }
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

// The header that ends the file: the last frame's header renamed, with no points.
FrameHeader closingHeader(const FrameHeader& last, int totalFrames);

}  // namespace quorvel
