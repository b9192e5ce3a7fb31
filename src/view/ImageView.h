// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A widget that shows one image of the core at its natural size and reports presses, moves and
// releases with the pointer position in the image's pixels (floats, as delivered).
#include <QImage>
#include <QWidget>
#include <functional>

namespace quorvel {

class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(const QImage& image, QSize size, QWidget* parent = nullptr);
    void setBackground(QColor c) {
        background_ = c;
        update();
    }

    // button: 1 left, 2 right, 4 middle (for moves, the buttons held).
    std::function<void(int button, QPointF pos)> onPress, onMove, onRelease;
    std::function<void()> onLeave;
    std::function<void(QSize)> onResize;  // a view that takes the room it is given says so
    // The keys held at the last mouse event: Shift for a tool's constraint.
    Qt::KeyboardModifiers modifiers() const { return modifiers_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    const QImage& image_;
    QColor background_ = Qt::black;
    Qt::KeyboardModifiers modifiers_;
};

int buttonCode(Qt::MouseButtons buttons);

}  // namespace quorvel
