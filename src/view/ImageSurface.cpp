// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ImageSurface.h"

#include "model/LineCut.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quorvel {

QImage makeDrawingImage(int width, int height) {
    const qsizetype stride = qsizetype(width) * 4 + 64;
    auto* pixels = new uchar[size_t(stride * height)];
    return QImage(
        pixels, width, height, stride, QImage::Format_RGB32, [](void* p) { delete[] static_cast<uchar*>(p); }, pixels);
}

void ImageSurface::clear() {
    if (backdrop_ && !backdrop_->isNull()) {
        if (backdrop_->size() == image_.size() && backdrop_->format() == image_.format()) {
            const size_t row = size_t(image_.width()) * 4;
            for (int y = 0; y < image_.height(); ++y) std::memcpy(image_.scanLine(y), backdrop_->constScanLine(y), row);
        } else {
            QPainter painter(&image_);
            painter.drawImage(image_.rect(), *backdrop_);
        }
    } else {
        image_.fill(toArgb(background_));
    }
    attach();
}

namespace {
// A line longer than this, not wholly inside, is cut to the image (and a little more) before it
// is walked: zoomed in, most of a frame's lines run far past the view. Shorter ones keep every
// pixel exactly where the whole line would put it.
constexpr int LongLine = 1024;

}  // namespace

void ImageSurface::line(int x0, int y0, int x1, int y1, Rgb c) {
    x0 -= originX_, x1 -= originX_, y0 -= originY_, y1 -= originY_;
    const QRgb v = toArgb(c);
    if (!inside(x0, y0) || !inside(x1, y1)) {
        // Wholly to one side: no pixel of it shows.
        if (std::max(x0, x1) < 0 || std::min(x0, x1) >= width_ || std::max(y0, y1) < 0 || std::min(y0, y1) >= height_)
            return;
        if (std::abs(x1 - x0) > LongLine || std::abs(y1 - y0) > LongLine) {
            double ax = x0, ay = y0, bx = x1, by = y1;
            if (!cutToBox(ax, ay, bx, by, 0, 0, width_ - 1, height_ - 1)) return;
            // Rounded onto the image, the cut line takes the fast walk below.
            const auto onto = [](double v, int size) { return std::clamp(int(std::lround(v)), 0, size - 1); };
            x0 = onto(ax, width_), y0 = onto(ay, height_), x1 = onto(bx, width_), y1 = onto(by, height_);
        }
    }
    drawLine(x0, y0, x1, y1, v);
}

void ImageSurface::drawLine(int x0, int y0, int x1, int y1, QRgb v) {
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    if (!inside(x0, y0) || !inside(x1, y1)) {  // clipped: check every pixel
        int err = dx - dy;
        for (;;) {
            put(x0, y0, v);
            if (x0 == x1 && y0 == y1) return;
            const int e2 = 2 * err;
            if (e2 > -dy) err -= dy, x0 += sx;
            if (e2 < dx) err += dx, y0 += sy;
        }
    }
    // Wholly inside: walk a pointer along the major axis, stepping across rows or columns
    // when the error runs out. Ends exactly on (x1, y1).
    QRgb* p = pixels_ + y0 * stride_ + x0;
    const qsizetype rowStep = sy * stride_;
    if (dx >= dy) {
        int err = dx / 2;
        for (int i = 0; i <= dx; ++i) {
            *p = v;
            p += sx;
            err -= dy;
            if (err < 0) p += rowStep, err += dx;
        }
    } else {
        int err = dy / 2;
        for (int i = 0; i <= dy; ++i) {
            *p = v;
            p += rowStep;
            err -= dx;
            if (err < 0) p += sx, err += dy;
        }
    }
}

void ImageSurface::circle(int cx, int cy, int r, Rgb c) {
    cx -= originX_, cy -= originY_;
    const QRgb v = toArgb(c);
    if (cx + r < 0 || cx - r >= width_ || cy + r < 0 || cy - r >= height_) return;
    if (r <= 0) {
        put(cx, cy, v);
        return;
    }
    const bool whole = inside(cx - r, cy - r) && inside(cx + r, cy + r);
    const auto plot = [&](int x, int y) {
        if (whole)
            pixels_[y * stride_ + x] = v;
        else
            put(x, y, v);
    };
    int x = 0, y = r, d = 1 - r;
    while (x <= y) {
        plot(cx + x, cy + y), plot(cx - x, cy + y), plot(cx + x, cy - y), plot(cx - x, cy - y);
        plot(cx + y, cy + x), plot(cx - y, cy + x), plot(cx + y, cy - x), plot(cx - y, cy - x);
        if (d < 0) {
            d += 2 * x + 3;
        } else {
            d += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
}

void ImageSurface::hspan(int x0, int x1, int y, QRgb v) {
    if (y < 0 || y >= height_) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_ - 1);
    QRgb* row = pixels_ + y * stride_;
    for (int x = x0; x <= x1; ++x) row[x] = v;
}

void ImageSurface::box(int x0, int y0, int x1, int y1, Rgb c, bool filled) {
    x0 -= originX_, x1 -= originX_, y0 -= originY_, y1 -= originY_;
    const QRgb v = toArgb(c);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (x1 < 0 || x0 >= width_ || y1 < 0 || y0 >= height_) return;
    if (filled) {
        for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y) hspan(x0, x1, y, v);
        return;
    }
    hspan(x0, x1, y0, v);
    hspan(x0, x1, y1, v);
    drawLine(x0, std::max(y0, -1), x0, std::min(y1, height_), v);
    drawLine(x1, std::max(y0, -1), x1, std::min(y1, height_), v);
}

}  // namespace quorvel
