// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strip of eight thumbnails beside the canvas, scrolled four frames at a time.
#include "model/FrameBuffer.h"
#include "model/Palette.h"
#include "model/Sequence.h"
#include "model/WorkingFrame.h"
#include "view/Renderer.h"

#include <QImage>
#include <QString>
#include <array>
#include <vector>

namespace quorvel {

constexpr int StripThumbnails = 8;
constexpr int ThumbnailSize = 64;

// How a frame is drawn in the strip: scaled down, without the canvas's point markers.
PathStyle thumbnailStyle(int pointSize);

struct Thumbnail {
    QImage image{ThumbnailSize, ThumbnailSize, QImage::Format_RGB32};
    QString label;  // frame number, empty when the place shows no frame
    bool selected = false;
};

class FrameStrip {
public:
    int position() const { return position_; }
    int range() const { return range_; }
    int16_t wheelStep() const { return wheelStep_; }
    // The frame shown at place `index` (0..7).
    int frameAt(int index) const { return position_ * 4 + index + 1; }
    // A range for `totalFrames` frames (every command that changes the count sets it).
    void setRange(int totalFrames);
    // False when the position stays as it was (out of range positions are limited to it).
    bool setPosition(int position);
    // The position a mouse-wheel notch asks for: only a plain notch decides the direction.
    int wheelTarget(int delta, bool buttonsOrKeysHeld);
    void draw(const FrameBufferFile& buffer, const Palette& pal, int pointSize, const Sequence& seq);
    // The working frame's thumbnail as it stands in memory, so that it follows every edit before
    // the frame goes back to its slot. Nothing when the frame is not in view.
    void drawWorkingFrame(const WorkingFrame& wf, const Palette& pal, int pointSize, const Sequence& seq);

    std::array<Thumbnail, StripThumbnails> thumbnails;
    Rgb highlightColor = rgb(48, 140, 198);
    Rgb emptyThumbnailColor = rgb(200, 200, 200);

private:
    // A selected thumbnail is framed in the highlight colour, around a black ground that
    // leaves every colour of the frame visible.
    template <class Draw> void drawInto(Thumbnail& t, bool selected, Draw&& draw);

    int position_ = 0, range_ = 0;
    int16_t wheelStep_ = 0;
    std::vector<uint8_t> scratch_ = std::vector<uint8_t>(PointAreaSize);
};

}  // namespace quorvel
