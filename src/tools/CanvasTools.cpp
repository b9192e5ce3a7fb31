// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/CanvasTools.h"

#include "tools/ToolPreviews.h"

#include <algorithm>

namespace quorvel {

void CanvasTools::choose(int tool) {
    const bool handles = current_ == TransformTool || tool == TransformTool;
    current_ = static_cast<Tool>(tool);
    if (tool == SelectTool) c_.frame.clearSelection();
    if (handles && c_.editEnabled)
        refresh();  // the handles come and go with the tool
    else
        c_.canvas.takeSnapshot();
}

void CanvasTools::reset() {
    choose(NoTool);
    c_.canvas.dropSnapshot();
    c_.canvas.resetBackdrop();
    c_.redraw();
}

void CanvasTools::refresh() {
    if (current_ != PointTool) c_.canvas.resetBackdrop();
    c_.redraw();
    if (current_ == TransformTool) showHandles();
    c_.canvas.takeSnapshot();
}

void CanvasTools::showHandles() {
    ImageSurface s = c_.canvas.surface();
    drawHandles(s, transformedBox(c_.frame), grid());
}

Transform CanvasTools::transformAt(float x, float y) const {
    return dragged(gesture.transform, x, grid().last() - y, gesture.shift, grid());
}

// The points the transform takes, where it would put them, in their own colours, in their box.
void CanvasTools::previewTransform(float x, float y) {
    const WorkingFrame& f = c_.frame;
    preview_.format = f.format;
    preview_.selStart = f.selStart, preview_.selEnd = f.selEnd;
    f.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        auto& to = preview_.record<P>();
        to.pointCount = r.pointCount;
        std::copy(r.points.begin(), r.points.begin() + r.pointCount, to.points.begin());
    });
    transformPoints(preview_, transformAt(x, y));
    const UnitBox box = transformedBox(preview_);
    if (preview_.selStart < 0) preview_.selStart = 0, preview_.selEnd = preview_.pointCount() - 1;
    c_.canvas.restoreSnapshot();
    ImageSurface s = c_.canvas.surface();
    previewMove(s, preview_, 0, 0, c_.palette, c_.settings.pointSize, grid());
    drawHandles(s, box, grid());
}

void CanvasTools::cancel() {
    Gesture& g = gesture;
    g.penDown = g.drawingLine = g.drawingCircle = g.drawingRectangle = false;
    g.recoloring = g.inserting = g.moving = g.transforming = false;
    g.insertSegment = g.moveIndex = -1;
    c_.canvas.dropSnapshot();
    c_.canvas.resetBackdrop();
    c_.redraw();
    if (current_ == TransformTool) showHandles();
    c_.canvas.takeSnapshot();
}

void CanvasTools::fitted(bool fit) {
    if (!fit) c_.note(FrameFullNote);
}

// Spacing is kept in the frame's units: a line drawn zoomed in gets the points per unit of
// length it gets at the normal view.
int CanvasTools::spacing(int button) const {
    return nearest(grid().fromNormal(lineSpacing(button, c_.settings.pointSpace, c_.settings.blankSpace)));
}

float CanvasTools::clampToCanvas(float v) const { return std::clamp(v, 0.0f, float(grid().last())); }

int32_t CanvasTools::findAndMark(float x, float y) {
    const int32_t i = findNearestPoint(c_.frame, x, y, grid());
    if (i >= 0) {
        ImageSurface s = c_.canvas.surface();
        const Pixel p = shownAt(c_.frame, i, grid());
        markPoint(s, p.x, p.y);
    }
    return i;
}

void CanvasTools::hover(float x, float y) {
    c_.canvas.restoreSnapshot();
    findAndMark(x, y);
}

void CanvasTools::clearSelection() {
    c_.frame.clearSelection();
    gesture.selectClickPhase = 0;  // the next click always starts a new range
}

void CanvasTools::selectPoint(int32_t i) {
    WorkingFrame& f = c_.frame;
    if (gesture.selectClickPhase == 0 || f.selStart < 0) {
        f.selStart = f.selEnd = i;
        gesture.selectClickPhase = 1;
    } else {
        const auto [first, last] = std::minmax({f.selStart, i});  // either end may be clicked first
        f.selStart = first, f.selEnd = last;
        gesture.selectClickPhase = 0;
    }
    refresh();
}

void CanvasTools::selectAll() {
    const int32_t n = c_.frame.pointCount();
    if (n == 0) {
        clearSelection();
        return;
    }
    c_.frame.selStart = 0;
    c_.frame.selEnd = n - 1;
    refresh();
}

void CanvasTools::highlightSegment(int32_t k) {
    const Pixel a = shownAt(c_.frame, k, grid()), b = shownAt(c_.frame, k + 1, grid());
    refresh();
    ImageSurface s = c_.canvas.surface();
    markPoint(s, a.x, a.y);
    markPoint(s, b.x, b.y);
}

void CanvasTools::keepSelectionOnlyAround(int32_t i) {
    if (i < c_.frame.selStart || i > c_.frame.selEnd) clearSelection();
}

void CanvasTools::press(int button, float X, float Y) {
    if (!isCanvasButton(button)) return;
    gesture.buttonsHeld |= button;
    if (!c_.editEnabled || current_ == NoTool) return;
    WorkingFrame& f = c_.frame;
    const PixelGrid grid = this->grid();
    toFrame(X, Y);
    const int32_t last = grid.last();
    const int32_t x = std::clamp(nearest(X), 0, last);
    const int32_t y = last - std::clamp(nearest(Y), 0, last);
    Gesture& g = gesture;
    g.centerx = x;
    g.centery = y;
    g.from = lineStartOf(f, {double(x), double(y), true}, grid);
    g.strokeX = x, g.strokeY = y;

    switch (current_) {
    case PointTool:
        c_.edit(Edit::FrameChanged, [&] {
            clearSelection();
            fitted(appendPoint(f, x, y, button, color(), grid));
        });
        g.penDown = true;
        break;
    case LineTool:
    case RectangleTool: {
        c_.canvas.takeSnapshot();
        bool& drawing = current_ == LineTool ? g.drawingLine : g.drawingRectangle;
        drawing = !(button == 2 && drawing);  // a right press while drawing cancels
        break;
    }
    case CircleTool:
        if (button == 2) {
            g.drawingCircle = false;
            break;
        }
        c_.canvas.takeSnapshot();
        g.drawingCircle = true;
        break;
    case SelectTool: {
        c_.canvas.takeSnapshot();
        const int32_t i = findAndMark(x, y);
        if (button > 1) {
            clearSelection();
            reset();
        } else if (i >= 0) {
            if (!c_.settings.objectSelectMode) {
                selectPoint(i);
            } else if (selectObjectAround(f, i)) {
                refresh();
            }
        }
        break;
    }
    case MoveTool: {
        const int32_t i = findAndMark(X, last - Y);  // as delivered: neither rounded nor clamped
        g.moveIndex = i;
        if (i >= 0) {
            if (f.selStart < 0) f.selStart = f.selEnd = i;
            g.moving = true;
        }
        break;
    }
    case InsertTool:
        g.insertSegment = findNearestSegment(f, x, y, grid);
        if (g.insertSegment != -1) {
            clearSelection();
            g.inserting = true;
        }
        break;
    case RecolorTool: {
        const int32_t i = findAndMark(x, y);
        if (i >= 0) {
            keepSelectionOnlyAround(i);
            c_.edit(Edit::FrameChanged, [&] { recolorPoints(f, i, color()); });
            g.recoloring = true;
        }
        c_.canvas.takeSnapshot();
        break;
    }
    case DeleteTool: {
        const int32_t i = findAndMark(x, y);
        if (i >= 0)
            c_.edit(Edit::FrameChanged, [&] {
                deletePoints(f, i);
                gesture.selectClickPhase = 0;
            });
        c_.canvas.takeSnapshot();
        break;
    }
    case TransformTool:
        g.transform = grab(transformedBox(f), X, last - Y, grid);
        g.transforming = g.transform.handle != Handle::None;
        break;
    case TextTool:
        // Its dialog takes the mouse: the release comes to the dialog, not to the canvas.
        g.buttonsHeld = 0;
        if (c_.openText) c_.openText();
        break;
    default: break;
    }
}

void CanvasTools::move(int button, float X, float Y) {
    const PixelGrid grid = this->grid();
    toFrame(X, Y);
    const float row = clampToCanvas(Y);  // screen row, downward
    X = clampToCanvas(X);
    Y = grid.last() - row;
    const int32_t x = nearest(X), y = nearest(Y);
    WorkingFrame& f = c_.frame;
    Gesture& g = gesture;
    const PreviewStyle shape{color().rgb, c_.settings.pointSize};
    switch (current_) {
    case PointTool:
        if (const int apart = nearest(grid.fromNormal(c_.settings.pointSpace));
            g.penMode && g.penDown && button > 0 &&
            (std::abs(y - g.strokeY) > apart || std::abs(x - g.strokeX) > apart)) {
            c_.edit(Edit::KeepsUndo, [&] { fitted(appendPoint(f, x, y, button, color(), grid)); });
            g.strokeX = x, g.strokeY = y;
        }
        break;
    case LineTool:
        if (g.drawingLine) {
            c_.canvas.restoreSnapshot();
            ImageSurface s = c_.canvas.surface();
            const PreviewStyle line{button == 1 ? shape.color : BlankedGray, c_.settings.pointSize};
            previewLine(s, g.from, X, row, spacing(button), line, grid);
        }
        break;
    case CircleTool:
        if (g.drawingCircle) {
            c_.canvas.restoreSnapshot();
            ImageSurface s = c_.canvas.surface();
            previewEllipse(s, g.centerx, g.centery, X, Y, c_.settings.pointSpace, shape, grid);
        }
        break;
    case RectangleTool:
        if (g.drawingRectangle) {
            c_.canvas.restoreSnapshot();
            ImageSurface s = c_.canvas.surface();
            previewRectangle(s, g.centerx, g.centery, X, row, shape.color, grid);
        }
        break;
    case SelectTool:
    case DeleteTool: hover(X, Y); break;
    case TransformTool:
        if (g.transforming) previewTransform(X, row);
        break;
    case MoveTool:
        if (g.moving) {
            c_.canvas.restoreSnapshot();
            ImageSurface s = c_.canvas.surface();
            previewMove(s, f, x - g.centerx, nearest(row) - (grid.last() - g.centery), c_.palette,
                        c_.settings.pointSize, grid);
        } else {
            hover(X, Y);
        }
        break;
    case InsertTool: {
        c_.canvas.restoreSnapshot();
        int32_t k = g.insertSegment;
        if (!g.inserting || k == -1) {
            k = findNearestSegment(f, X, Y, grid);
            if (k >= 0) highlightSegment(k);
        }
        if (g.inserting && k >= 0) {
            ImageSurface s = c_.canvas.surface();
            previewInsert(s, f, k, x, y, color(), grid);
        }
        break;
    }
    case RecolorTool: {
        hover(X, Y);
        const int32_t i = findAndMark(x, y);
        if (i >= 0) {
            keepSelectionOnlyAround(i);
            if (g.recoloring) c_.edit(Edit::KeepsUndo, [&] { recolorPoints(f, i, color()); });
        }
        break;
    }
    default: break;
    }
}

void CanvasTools::finishRectangleOrRedraw(float x, float y) {
    if (!gesture.drawingRectangle) {
        current_ == TransformTool ? refresh() : c_.redraw();
        return;
    }
    gesture.drawingRectangle = false;
    c_.edit(Edit::FrameChanged, [&] {
        fitted(addRectangle(c_.frame, gesture.from, gesture.centerx, gesture.centery, x, y, shapeSpacing(), color(),
                            grid()));
    });
}

void CanvasTools::release(int button, float X, float Y) {
    if (!isCanvasButton(button)) return;
    gesture.buttonsHeld &= ~button;
    if (current_ == NoTool) return;
    const PixelGrid grid = this->grid();
    toFrame(X, Y);
    X = clampToCanvas(X);
    Y = grid.last() - clampToCanvas(Y);
    if (current_ != PointTool) c_.canvas.resetBackdrop();
    Gesture& g = gesture;
    WorkingFrame& f = c_.frame;
    // The first case that applies, in this order.
    if (g.penDown && g.penMode) {
        g.penDown = false;
        c_.edit(Edit::KeepsUndo | Edit::FrameChanged, [] {});
    } else if (g.recoloring) {
        g.recoloring = false;
        c_.edit(Edit::KeepsUndo | Edit::FrameChanged, [] {});
    } else if (g.drawingLine) {
        g.drawingLine = false;
        c_.edit(Edit::FrameChanged, [&] { fitted(lineTo(f, g.from, X, Y, button, spacing(button), color(), grid)); });
    } else if (g.drawingCircle) {
        g.drawingCircle = false;
        if (button == 1) {
            const int32_t rx = nearest(std::abs(X - g.centerx)), ry = nearest(std::abs(Y - g.centery));
            c_.edit(Edit::FrameChanged, [&] {
                fitted(addEllipse(f, g.from, g.centerx, g.centery, rx, ry, shapeSpacing(), color(), grid));
            });
        } else {
            c_.redraw();  // nothing added; show the frame again on the cleared canvas
        }
    } else if (g.inserting) {
        g.inserting = false;
        const unsigned undo = g.insertSegment >= 0 ? 0 : Edit::KeepsUndo;
        c_.edit(Edit::FrameChanged | undo, [&] {
            if (g.insertSegment <= -1) return;
            const Inserted result = insertPoint(f, g.insertSegment, nearest(X), nearest(Y), button, color(), grid);
            fitted(result != Inserted::FrameFull);
        });
    } else if (g.transforming) {
        g.transforming = false;
        const Transform t = transformAt(X, grid.last() - Y);
        if (t.isIdentity())
            refresh();
        else
            c_.edit(Edit::FrameChanged, [&] { transformPoints(f, t); });
    } else if (g.moving) {
        g.moving = false;
        c_.edit(Edit::FrameChanged, [&] {
            movePoints(f, nearest(X) - g.centerx, nearest(Y) - g.centery, grid);
            if (f.selStart == f.selEnd) clearSelection();
        });
        g.moveIndex = -1;
        finishRectangleOrRedraw(X, Y);
    } else {
        finishRectangleOrRedraw(X, Y);
    }
}

}  // namespace quorvel
