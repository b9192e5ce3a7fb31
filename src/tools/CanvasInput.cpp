// Mouse input on the canvas: the positions, and the press / move / release of each tool.
#include "shell/Editor.h"
#include "tools/PointAccess.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {
float clampToCanvas(float v) { return std::clamp(v, 0.0f, 511.0f); }
}  // namespace

void Editor::pointerAt(double X, double Y) {
    X = clampToCanvas(static_cast<float>(X));
    Y = 511.0f - clampToCanvas(static_cast<float>(Y));
    // The read-out speaks in ILDA values: the left and bottom edges read -32768.
    win.xLabel = QString::number(nearest(X * 128) - 32768);
    win.yLabel = QString::number(nearest(Y * 128) - 32768);
}

void Editor::restoreSnapshot() {
    backdropIsSnapshot_ = true;
    restoredSnapshot_ = canvasSnapshot;  // shared, not copied: later snapshots leave it alone
    canvasSurface().clear();
}

void Editor::canvasPress(int button, float X, float Y) {
    if (!isCanvasButton(button)) return;
    gesture.buttonsHeld |= button;
    if (!seq.editEnabled || win.currentTool == NoTool) return;
    const int32_t x = std::clamp(nearest(X), 0, 511);
    const int32_t y = 511 - std::clamp(nearest(Y), 0, 511);
    Gesture& g = gesture;
    g.centerx = x;
    g.centery = y;
    g.drawFromX = x, g.drawFromY = y, g.frameWasEmpty = true;
    drawFromLastPoint();
    g.strokeX = x, g.strokeY = y;

    switch (win.currentTool) {
    case PointTool:
        makeUndo();
        clearPointSelection();
        addPoint(x, y, button);
        g.penDown = true;
        seq.fileChanged = seq.framechanged = true;
        break;
    case LineTool:
    case RectangleTool: {
        canvasSnapshot = canvas.copy();
        bool& drawing = win.currentTool == LineTool ? g.drawingLine : g.drawingRectangle;
        drawing = !(button == 2 && drawing);  // a right press while drawing cancels
        break;
    }
    case CircleTool:
        if (button == 2) {
            g.drawingCircle = false;
            break;
        }
        canvasSnapshot = canvas.copy();
        g.drawingCircle = true;
        break;
    case SelectTool: {
        canvasSnapshot = canvas.copy();
        const int32_t i = findNearestPoint(x, y);
        if (button > 1) {
            clearPointSelection();
            resetTool();
        } else if (i > -1) {
            settings.objectSelectMode ? selectObject(i) : selectPoint(i);
        }
        break;
    }
    case MoveTool: {
        const int32_t i = findNearestPoint(X, 511 - Y);  // as delivered: neither rounded nor clamped
        g.moveIndex = i;
        if (i > -1) {
            if (frame.selStart < 0) frame.selStart = frame.selEnd = i;
            g.moving = true;
        }
        break;
    }
    case InsertTool:
        g.insertSegment = findNearestSegment(x, y);
        if (g.insertSegment != -1) {
            clearPointSelection();
            g.inserting = true;
        }
        break;
    case RecolorTool: {
        const int32_t i = findNearestPoint(x, y);
        if (i > -1) {
            if (i < frame.selStart || i > frame.selEnd) clearPointSelection();
            makeUndo();
            recolorPoint(i);
            seq.framechanged = true;
            g.recoloring = true;
        }
        canvasSnapshot = canvas.copy();
        break;
    }
    case DeleteTool: {
        const int32_t i = findNearestPoint(x, y);
        if (i > -1) {
            makeUndo();
            deletePoint(i);
            seq.framechanged = true;
        }
        canvasSnapshot = canvas.copy();
        break;
    }
    default: break;  // the text tool opens its dialog here
    }
}

void Editor::canvasMove(int button, float X, float Y) {
    const float row = clampToCanvas(Y);  // screen row, downward
    X = clampToCanvas(X);
    Y = 511 - row;
    pointerAt(X, row);
    const int32_t x = nearest(X), y = nearest(Y);
    Gesture& g = gesture;
    const auto hover = [&] {
        restoreSnapshot();
        findNearestPoint(X, Y);
    };
    switch (win.currentTool) {
    case PointTool:
        if (g.penMode && g.penDown && button > 0 &&
            (std::abs(y - g.strokeY) > settings.pointSpace || std::abs(x - g.strokeX) > settings.pointSpace)) {
            addPoint(x, y, button);
            g.strokeX = x, g.strokeY = y;
        }
        break;
    case LineTool:
        if (g.drawingLine) restoreSnapshot(), previewLine(X, row, button);
        break;
    case CircleTool:
        if (g.drawingCircle) restoreSnapshot(), previewCircle(X, Y);
        break;
    case RectangleTool:
        if (g.drawingRectangle) restoreSnapshot(), previewRectangle(X, row);
        break;
    case SelectTool:
    case DeleteTool: hover(); break;
    case MoveTool:
        if (g.moving) {
            restoreSnapshot();
            previewMove(x, nearest(row));
        } else {
            hover();
        }
        break;
    case InsertTool:
        restoreSnapshot();
        if (g.inserting && g.insertSegment != -1) {
            previewInsert(g.insertSegment, x, y);
        } else if (const int32_t s = findNearestSegment(X, Y); s > -1) {
            highlightSegment(s);
            if (g.inserting) previewInsert(s, x, y);
        }
        break;
    case RecolorTool: {
        hover();
        const int32_t i = findNearestPoint(x, y);
        if (i > -1) {
            if (i < frame.selStart || i > frame.selEnd) clearPointSelection();
            if (g.recoloring) recolorPoint(i);
        }
        break;
    }
    default: break;
    }
}

void Editor::canvasRelease(int button, float X, float Y) {
    if (!isCanvasButton(button)) return;
    gesture.buttonsHeld &= ~button;
    if (win.currentTool == NoTool) return;
    X = clampToCanvas(X);
    Y = 511 - clampToCanvas(Y);
    if (win.currentTool != PointTool) resetBackdrop();
    Gesture& g = gesture;
    const auto changed = [&] { seq.fileChanged = seq.framechanged = true; };
    const auto rectangleOrRedraw = [&] {
        if (!g.drawingRectangle) {
            redrawCanvas();
            return;
        }
        seq.framechanged = true;
        g.drawingRectangle = false;
        makeUndo();
        addRectangle(X, Y);
        redrawCanvas();
    };
    // The first case that applies, in this order.
    if (g.penDown && g.penMode) {
        changed();
        g.penDown = false;
    } else if (g.recoloring) {
        changed();
        g.recoloring = false;
        redrawCanvas();
        canvasSnapshot = canvas.copy();
    } else if (g.drawingLine) {
        g.drawingLine = false;
        makeUndo();
        lineTo(X, Y, button);
        changed();
        redrawCanvas();
    } else if (g.drawingCircle) {
        g.drawingCircle = false;
        if (button == 1) {
            makeUndo();
            addCircle(g.centerx, g.centery, static_cast<int16_t>(nearest(std::abs(X - g.centerx))),
                      static_cast<int16_t>(nearest(std::abs(Y - g.centery))));
            changed();
        } else {
            redrawCanvas();  // nothing added; show the frame again on the cleared canvas
        }
    } else if (g.inserting) {
        g.inserting = false;
        if (g.insertSegment > -1) {
            makeUndo();
            insertPoint(g.insertSegment, nearest(X), nearest(Y), button);
            canvasSnapshot = canvas.copy();
        }
        seq.framechanged = true;
    } else if (g.moving) {
        g.moving = false;
        makeUndo();
        movePoints(nearest(X), nearest(Y));
        g.moveIndex = -1;
        canvasSnapshot = canvas.copy();
        seq.framechanged = true;
        rectangleOrRedraw();
    } else {
        rectangleOrRedraw();
    }
}

}  // namespace quorvel
