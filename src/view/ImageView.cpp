// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ImageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace quorvel {

int buttonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

ImageView::ImageView(const QImage& image, QSize size, QWidget* parent) : QWidget(parent), image_(image) {
    setFixedSize(size);
    setMouseTracking(true);
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_);
    p.drawImage(0, 0, image_);  // a null picture draws nothing
}

void ImageView::resizeEvent(QResizeEvent* e) {
    if (onResize) onResize(e->size());
}

// Back, Forward and other extra buttons have no meaning on the program's pictures.
void ImageView::mousePressEvent(QMouseEvent* e) {
    modifiers_ = e->modifiers();
    if (onPress && buttonCode(e->button())) onPress(buttonCode(e->button()), e->position());
}
void ImageView::mouseMoveEvent(QMouseEvent* e) {
    modifiers_ = e->modifiers();
    if (onMove) onMove(buttonCode(e->buttons()), e->position());
}
void ImageView::mouseReleaseEvent(QMouseEvent* e) {
    modifiers_ = e->modifiers();
    if (onRelease && buttonCode(e->button())) onRelease(buttonCode(e->button()), e->position());
}

}  // namespace quorvel
