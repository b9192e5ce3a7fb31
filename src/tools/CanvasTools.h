// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas tools: which one is chosen, the gesture in progress, and what a press, a move and
// a release do with each. Every change of the working frame goes through the editor's one edit
// path (undo snapshot, change, flags, redraw), handed in with the rest of the tools' context.
#include "model/Palette.h"
#include "model/Settings.h"
#include "model/WorkingFrame.h"
#include "tools/Gesture.h"
#include "view/CanvasView.h"

#include <QString>
#include <functional>

namespace quorvel {

enum Tool : uint8_t {
    NoTool = 0,
    PointTool,
    LineTool,
    CircleTool,
    SelectTool,
    MoveTool,
    InsertTool,
    RecolorTool,
    DeleteTool,
    TextTool,
    RectangleTool,
    TransformTool
};

// What an edit sets besides the frame itself.
namespace Edit {
constexpr unsigned WriteBack = 1;    // the working frame is written back before another is loaded
constexpr unsigned FileDiffers = 2;  // the sequence now differs from its file: "File changed" is asked
constexpr unsigned FrameChanged = WriteBack | FileDiffers;  // what every real change sets
constexpr unsigned KeepsUndo = 4;                           // a later step of a gesture whose press took the snapshot
}  // namespace Edit

using EditPath = std::function<void(unsigned flags, const std::function<void()>& change)>;

struct ToolContext {
    WorkingFrame& frame;
    CanvasView& canvas;
    const Settings& settings;
    const Palette& palette;
    std::function<Ink()> ink;  // the colour new points take
    const bool& editEnabled;   // a frame has been chosen in the strip
    EditPath edit;
    std::function<void()> redraw;              // the working frame drawn again, as it stands
    std::function<void(const QString&)> note;  // a line for the status bar
    std::function<void()> openText;            // the text tool was pressed at centerx, centery
};

class CanvasTools {
public:
    explicit CanvasTools(ToolContext context) : c_(std::move(context)) {}

    Tool current() const { return current_; }
    void choose(int tool);
    // No tool, no snapshot, the backdrop reset and the frame drawn again.
    void reset();
    // Backdrop reset (except under the Point tool), redraw, new snapshot: after every change.
    void refresh();
    // Canvas mouse events: button 1 left, 2 right, 4 middle (moves: the buttons held), (X, Y)
    // in the view's pixels from its top-left as delivered.
    void press(int button, float X, float Y);
    void move(int buttons, float X, float Y);
    void release(int button, float X, float Y);
    bool gestureHeld() const { return gesture.buttonsHeld != 0; }
    // Escape: the gesture in progress ends without effect; its release then does nothing. What it
    // changed already (a pen stroke's points) the editor takes back.
    void cancel();

    void clearSelection();
    void selectAll();

    Gesture gesture;

private:
    int32_t findAndMark(float x, float y);
    void hover(float x, float y);
    void selectPoint(int32_t i);
    void highlightSegment(int32_t k);
    // A point outside the selection clears it: recolouring then takes that point alone.
    void keepSelectionOnlyAround(int32_t i);
    void finishRectangleOrRedraw(float x, float y);
    // Notes a frame that refused points.
    void fitted(bool fit);
    Ink color() const { return c_.ink(); }
    int spacing(int button) const;
    const PixelGrid& grid() const { return c_.canvas.grid(); }
    // From the view's pixels to the whole frame's (rows from the top), as the view is panned.
    void toFrame(float& X, float& Y) const {
        X += float(c_.canvas.viewPort().left), Y += float(c_.canvas.viewPort().top);
    }
    float clampToCanvas(float v) const;
    ShapeSpacing shapeSpacing() const { return {c_.settings.pointSpace, c_.settings.blankSpace}; }

    // The Transform tool's box and handles over the frame, its preview while dragging.
    void showHandles();
    void previewTransform(float x, float y);
    Transform transformAt(float x, float y) const;

    ToolContext c_;
    Tool current_ = NoTool;
    WorkingFrame preview_;  // the frame as the Transform tool's drag would leave it
};

}  // namespace quorvel
