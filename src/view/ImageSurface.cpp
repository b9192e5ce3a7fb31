// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ImageSurface.h"

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

void ImageSurface::line(int x0, int y0, int x1, int y1, Rgb c) {
    const QRgb v = toArgb(c);
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
    const QRgb v = toArgb(c);
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
    const QRgb v = toArgb(c);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (filled) {
        for (int y = y0; y <= y1; ++y) hspan(x0, x1, y, v);
        return;
    }
    hspan(x0, x1, y0, v);
    hspan(x0, x1, y1, v);
    line(x0, y0, x0, y1, c);
    line(x1, y0, x1, y1, c);
}

}  // namespace quorvel
