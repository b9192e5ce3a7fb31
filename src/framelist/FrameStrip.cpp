// SPDX-License-Identifier: GPL-3.0-or-later
#include "framelist/FrameStrip.h"

#include "view/ImageSurface.h"
#include "view/SlotDrawing.h"

#include <algorithm>
#include <utility>

namespace quorvel {

void FrameStrip::setRange(int totalFrames) {
    // The last position always shows a frame: 8 frames scroll to 5..8, not to an empty strip.
    range_ = std::max(totalFrames - 1, 0) / 4;
    position_ = std::clamp(position_, 0, range_);
}

bool FrameStrip::setPosition(int position) {
    const int before = std::exchange(position_, std::clamp(position, 0, range_));
    return position_ != before;
}

int FrameStrip::wheelTarget(int delta, bool buttonsOrKeysHeld) {
    if (!buttonsOrKeysHeld) {
        if (delta == -120 || delta == -240 || delta == -360) wheelStep_ = -1;
        if (delta == 120 || delta == 240 || delta == 360) wheelStep_ = 1;
    }
    // Turning away scrolls towards frame 1; a position outside the range is refused.
    const int wanted = position_ - wheelStep_;
    return wanted >= 0 && wanted <= range_ ? wanted : position_;
}

PathStyle thumbnailStyle(int pointSize) {
    PathStyle style;
    style.scale = ThumbnailScale;
    style.markers = false;
    style.pointSize = pointSize;
    return style;
}

namespace {
// Clearing leaves a black ground inside a two-pixel frame of the highlight colour.
class FramedSurface final : public Surface {
public:
    FramedSurface(QImage& image, Rgb frame) : image_(image), frame_(frame) {}
    void clear() override {
        image_.clear();
        image_.box(0, 0, ThumbnailSize - 1, ThumbnailSize - 1, frame_, false);
        image_.box(1, 1, ThumbnailSize - 2, ThumbnailSize - 2, frame_, false);
    }
    void line(int x0, int y0, int x1, int y1, Rgb c) override { image_.line(x0, y0, x1, y1, c); }
    void circle(int cx, int cy, int r, Rgb c) override { image_.circle(cx, cy, r, c); }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override { image_.box(x0, y0, x1, y1, c, filled); }
    void pixel(int x, int y, Rgb c) override { image_.pixel(x, y, c); }

private:
    ImageSurface image_;
    Rgb frame_;
};
}  // namespace

template <class Draw> void FrameStrip::drawInto(Thumbnail& t, bool selected, Draw&& draw) {
    t.selected = selected;
    if (selected) {
        FramedSurface surface(t.image, highlightColor);
        draw(static_cast<Surface&>(surface));
    } else {
        ImageSurface surface(t.image);
        draw(static_cast<Surface&>(surface));
    }
}

void FrameStrip::drawWorkingFrame(const WorkingFrame& wf, const Palette& pal, int pointSize, const Sequence& seq) {
    const int index = seq.currentFrame - frameAt(0);
    if (index < 0 || index >= StripThumbnails) return;  // frame 0 is before the strip too
    drawInto(thumbnails[index], seq.isSelected(seq.currentFrame), [&](Surface& s) {
        s.clear();
        wf.visit([&](const auto& r) { drawPoints(s, r.points.data(), r.pointCount, pal, thumbnailStyle(pointSize)); });
    });
}

void FrameStrip::draw(const FrameBufferFile& buffer, const Palette& pal, int pointSize, const Sequence& seq) {
    SlotFile file(buffer.path(), SlotAccess::Read);
    const PathStyle style = thumbnailStyle(pointSize);
    for (int i = 0; i < StripThumbnails; ++i) {
        Thumbnail& t = thumbnails[i];
        const int frame = frameAt(i);
        if (frame > seq.totalFrames) {
            t.image.fill(ImageSurface::toArgb(emptyThumbnailColor));
            t.label.clear();
            t.selected = false;
            continue;
        }
        t.label = QString::number(frame);
        drawInto(t, seq.isSelected(frame),
                 [&](Surface& s) { drawFrameFromSlot(file, frame, pal, style, s, scratch_); });
    }
}

}  // namespace quorvel
