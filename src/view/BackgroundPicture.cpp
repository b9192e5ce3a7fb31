// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/BackgroundPicture.h"

#include "view/Renderer.h"

#include <QImageReader>
#include <QPainter>

namespace quorvel {

QImage loadBackgroundPicture(const QString& path) {
    constexpr int Stretched = CanvasSize + 2;
    QImageReader reader(path);
    // The picture ends up 514 × 514 whatever its size: decoded straight at that size (JPEG scales
    // while it decodes), a camera's 100-megapixel picture loads quickly and in little memory.
    // Formats that must decode whole first get room for that.
    reader.setScaledSize({Stretched, Stretched});
    if (!reader.supportsOption(QImageIOHandler::ScaledSize)) reader.setAllocationLimit(2048);
    const QImage picture = reader.read();
    if (picture.isNull()) return {};
    QImage canvas(CanvasSize, CanvasSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);  // under a picture with transparent parts
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, Stretched, Stretched), picture);
    return canvas;
}

}  // namespace quorvel
