// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/OnionSkin.h"

#include "view/ImageSurface.h"
#include "view/SlotDrawing.h"

namespace quorvel {

namespace {
// Passes on the lit part of a drawing in one colour.
class DimSurface final : public Surface {
public:
    explicit DimSurface(Surface& target) : target_(target) {}
    void clear() override { target_.clear(); }
    void line(int x0, int y0, int x1, int y1, Rgb c) override {
        if (lit(c)) target_.line(x0, y0, x1, y1, OnionTint);
    }
    void circle(int cx, int cy, int r, Rgb c) override {
        if (lit(c)) target_.circle(cx, cy, r, OnionTint);
    }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override {
        if (lit(c)) target_.box(x0, y0, x1, y1, OnionTint, filled);
    }
    void pixel(int x, int y, Rgb c) override {
        if (lit(c)) target_.pixel(x, y, OnionTint);
    }

private:
    static bool lit(Rgb c) { return c != BlankedGray && c != rgb(0, 0, 0); }
    Surface& target_;
};
}  // namespace

QImage drawOnionFrame(const FrameBufferFile& buffer, int frame, const Palette& pal, const ViewPort& view) {
    QImage picture(view.width, view.height, QImage::Format_RGB32);
    ImageSurface target(picture);
    target.setOrigin(view.left, view.top);
    DimSurface dim(target);
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    style.scale = view.scale();
    drawFrameFromSlot(file, frame, pal, style, dim, scratch);
    return picture;
}

}  // namespace quorvel
