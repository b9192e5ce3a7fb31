// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OnionSkin.h"

#include "view/ImageSurface.h"
#include "view/SlotDrawing.h"

#include <algorithm>

namespace quorvel {

namespace {
// Passes on the lit part of a drawing in one colour.
class DimSurface final : public Surface {
public:
    DimSurface(Surface& target, Rgb tint = OnionTint) : target_(target), tint_(tint) {}
    void clear() override { target_.clear(); }
    void line(int x0, int y0, int x1, int y1, Rgb c) override {
        if (lit(c)) target_.line(x0, y0, x1, y1, tint_);
    }
    void circle(int cx, int cy, int r, Rgb c) override {
        if (lit(c)) target_.circle(cx, cy, r, tint_);
    }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override {
        if (lit(c)) target_.box(x0, y0, x1, y1, tint_, filled);
    }
    void pixel(int x, int y, Rgb c) override {
        if (lit(c)) target_.pixel(x, y, tint_);
    }

private:
    static bool lit(Rgb c) { return c != BlankedGray && c != rgb(0, 0, 0); }
    Surface& target_;
    Rgb tint_;
};

// Leaves the drawing under it: frames are laid one over another.
class OverSurface final : public Surface {
public:
    explicit OverSurface(Surface& target) : target_(target) {}
    void clear() override {}
    void line(int x0, int y0, int x1, int y1, Rgb c) override { target_.line(x0, y0, x1, y1, c); }
    void circle(int cx, int cy, int r, Rgb c) override { target_.circle(cx, cy, r, c); }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override { target_.box(x0, y0, x1, y1, c, filled); }
    void pixel(int x, int y, Rgb c) override { target_.pixel(x, y, c); }

private:
    Surface& target_;
};
}  // namespace

Rgb onionTint(int distance, bool after) {
    const Rgb full = after ? OnionAfterTint : OnionTint;
    const int share = 6 - std::clamp(distance, 1, 5);  // fifths of the full tint
    return rgb(redOf(full) * share / 5, greenOf(full) * share / 5, blueOf(full) * share / 5);
}

QImage drawOnionFrames(const FrameBufferFile& buffer, int current, int total, int before, int after, const Palette& pal,
                       const ViewPort& view) {
    QImage picture(view.width, view.height, QImage::Format_RGB32);
    ImageSurface target(picture);
    target.setOrigin(view.left, view.top);
    target.clear();
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    style.scale = view.scale();
    OverSurface over(target);
    for (int distance = std::max(before, after); distance >= 1; --distance)
        for (const bool later : {true, false}) {
            const int frame = later ? current + distance : current - distance;
            if (distance > (later ? after : before) || frame < 1 || frame > total) continue;
            DimSurface dim(over, onionTint(distance, later));
            drawFrameFromSlot(file, frame, pal, style, dim, scratch);
        }
    return picture;
}

}  // namespace quorvel
