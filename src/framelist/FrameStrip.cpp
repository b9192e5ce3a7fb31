#include "framelist/FrameStrip.h"

#include "view/ImageSurface.h"
#include "view/SlotDrawing.h"

#include <algorithm>

namespace quorvel {

void FrameStrip::setRange(int totalFrames) {
    // The last position always shows a frame: 8 frames scroll to 5..8, not to an empty strip.
    range_ = totalFrames > 0 ? (totalFrames - 1) / 4 : 0;
    position_ = std::clamp(position_, 0, range_);
}

bool FrameStrip::setPosition(int position) {
    position = std::clamp(position, 0, range_);
    if (position == position_) return false;
    position_ = position;
    return true;
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

void FrameStrip::draw(const FrameBufferFile& buffer, const Palette& pal, int pointSize, const Sequence& seq) {
    SlotFile file(buffer.path(), SlotAccess::Read);
    PathStyle style;
    style.scale = ThumbnailScale;
    style.markers = false;
    style.pointSize = pointSize;
    for (int i = 0; i < StripThumbnails; ++i) {
        Thumbnail& t = thumbnails[i];
        const int frame = frameAt(i);
        if (frame > seq.totalFrames) {
            t.image.fill(ImageSurface::toArgb(emptyThumbnailColor));
            t.label.clear();
            t.selected = false;
            continue;
        }
        t.selected = seq.isSelected(frame);
        t.label = QString::number(frame);
        ImageSurface surface(t.image, nullptr, t.selected ? highlightColor : rgb(0, 0, 0));
        drawFrameFromSlot(file, frame, pal, style, surface, scratch_);
    }
}

}  // namespace quorvel
