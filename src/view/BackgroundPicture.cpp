#include "view/BackgroundPicture.h"

#include "view/Renderer.h"

#include <QImageReader>
#include <QPainter>

namespace quorvel {

QImage loadBackgroundPicture(const QString& path) {
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull()) return {};
    constexpr int Stretched = CanvasSize + 2;
    QImage canvas(CanvasSize, CanvasSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);  // under a picture with transparent parts
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, Stretched, Stretched), picture);
    return canvas;
}

}  // namespace quorvel
