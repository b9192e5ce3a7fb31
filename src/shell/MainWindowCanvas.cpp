// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas in the window: its scroll bars, zoom and pan by menu, wheel, middle button and
// Space, and Escape ending a drag.
#include "shell/MainWindow.h"
#include "view/ImageView.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

namespace quorvel {

QGridLayout* MainWindow::buildCanvasArea(QWidget* parent) {
    auto* area = new QGridLayout;
    area->setSpacing(0);
    canvas_ = new ImageView(editor_.canvas.image(), {CanvasSize, CanvasSize}, parent);
    canvas_->setObjectName("PicEdit");
    canvas_->setCursor(Qt::CrossCursor);
    // The normal view's 512 pixels at least; more when the window is larger.
    canvas_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    canvas_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    canvas_->onResize = [this](QSize size) { run([&] { editor_.setViewSize(size.width(), size.height()); }); };
    canvas_->onPress = [this](int button, QPointF p) {
        editor_.tools.gesture.shift = canvas_->modifiers() & Qt::ShiftModifier;
        if (!startPan(button, p)) run([&] { editor_.canvasPress(button, p.x(), p.y()); });
    };
    canvas_->onMove = [this](int buttons, QPointF p) {
        pointerOnCanvas_ = true;
        if (pan_.button) {
            const QPointF by = p - pan_.from;
            run([&] { editor_.panTo(pan_.left - int(by.x()), pan_.top - int(by.y())); });
            return;
        }
        editor_.tools.gesture.shift = canvas_->modifiers() & Qt::ShiftModifier;
        run([&] { editor_.canvasMove(buttons, p.x(), p.y()); });
    };
    canvas_->onRelease = [this](int button, QPointF p) {
        if (pan_.button == button) {
            pan_.button = 0;
            canvas_->setCursor(Qt::CrossCursor);
            return;
        }
        editor_.tools.gesture.shift = canvas_->modifiers() & Qt::ShiftModifier;
        if (!pan_.button) run([&] { editor_.canvasRelease(button, p.x(), p.y()); });
    };
    canvas_->onLeave = [this] { pointerOnCanvas_ = false; };
    panX_ = new QScrollBar(Qt::Horizontal, parent);
    panX_->setObjectName("HScrollCanvas");
    panY_ = new QScrollBar(Qt::Vertical, parent);
    panY_->setObjectName("VScrollCanvas");
    connect(panX_, &QScrollBar::valueChanged, this,
            [this](int x) { run([&] { editor_.panTo(x, editor_.canvas.viewPort().top); }); });
    connect(panY_, &QScrollBar::valueChanged, this,
            [this](int y) { run([&] { editor_.panTo(editor_.canvas.viewPort().left, y); }); });
    area->addWidget(canvas_, 0, 0);
    area->addWidget(panY_, 0, 1);
    area->addWidget(panX_, 1, 0);
    return area;
}

void MainWindow::addZoomItems(QMenu* view) {
    addSeparator(view, "mnuView01");
    // Ctrl++ comes as Ctrl+= on keyboards where + needs Shift: both zoom in.
    QAction* in = command(view, "mnuZoomIn", QT_TR_NOOP("Zoom In"), &Editor::zoomIn, QKeySequence::ZoomIn);
    in->setShortcuts({QKeySequence::ZoomIn, QKeySequence("Ctrl+=")});
    command(view, "mnuZoomOut", QT_TR_NOOP("Zoom Out"), &Editor::zoomOut, QKeySequence::ZoomOut);
    command(view, "mnuZoomFit", QT_TR_NOOP("Fit"), &Editor::zoomToFit, QKeySequence("Ctrl+0"));
    command(view, "mnuActualSize", QT_TR_NOOP("Actual Size"), &Editor::actualSize, QKeySequence("Ctrl+1"));
}

void MainWindow::showView() {
    const ViewPort& v = editor_.canvas.viewPort();
    const auto show = [](QScrollBar* bar, int start, int view, int span) {
        const QSignalBlocker block(bar);
        bar->setRange(0, std::max(0, span - view));
        bar->setPageStep(view);
        bar->setSingleStep(std::max(1, view / 16));
        bar->setValue(std::max(0, start));
        bar->setEnabled(span > view);
    };
    show(panX_, v.left, v.width, v.grid.span());
    show(panY_, v.top, v.height, v.grid.span());
    canvas_->update();
}

// The middle button pans once there is something to pan (the frame larger than the view): at
// the normal view it keeps acting on the frame as it always has. Space with the left button
// pans at any zoom.
bool MainWindow::startPan(int button, QPointF at) {
    const ViewPort& v = editor_.canvas.viewPort();
    const bool larger = v.grid.span() > v.width || v.grid.span() > v.height;
    const bool pans = (button == 4 && larger) || (button == 1 && spaceHeld_);
    if (!pans || pan_.button || editor_.tools.gestureHeld()) return false;
    pan_ = {button, at, v.left, v.top};
    canvas_->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool MainWindow::canvasKey(QObject* watched, QKeyEvent* e) {
    // Keys for this window only, never those typed into a dialog.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || QApplication::activeModalWidget()) return false;
    const bool press = e->type() == QEvent::KeyPress;
    if (e->key() == Qt::Key_Escape && press) {
        bool cancelled = false;
        run([&] { cancelled = editor_.cancelGesture(); });
        return cancelled;
    }
    // Space over the canvas is for panning only: it never clicks the button that has the focus.
    if (e->key() != Qt::Key_Space || (!pointerOnCanvas_ && !spaceHeld_)) return false;
    if (!e->isAutoRepeat()) {
        spaceHeld_ = press;
        if (!pan_.button) canvas_->setCursor(press ? Qt::OpenHandCursor : Qt::CrossCursor);
    }
    return true;
}

void MainWindow::zoomByWheel(int angle, QPointF at) {
    // A notch is 120; a fine wheel's parts add up to one.
    wheelZoomRest_ += angle;
    const int steps = wheelZoomRest_ / 120;
    wheelZoomRest_ -= steps * 120;
    if (steps) run([&] { editor_.zoomAt(steps, at.x(), at.y()); });
}

}  // namespace quorvel
