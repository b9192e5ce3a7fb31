// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and pan: the tools place, find and drag points at the frame position under the pointer,
// on the finer grid the zoom gives, and the canvas shows the frame where the view says; Escape
// ends a drag as if it had never begun.
#include "EditorFixture.h"
#include "tools/PointAccess.h"

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct U {  // canvas units, y upward
    int x, y;
    uint8_t status = 0;
    bool operator==(const U&) const = default;
};
std::ostream& operator<<(std::ostream& os, const U& p) { return os << '(' << p.x << ',' << p.y << ',' << int(p.status) << ')'; }
using Us = std::vector<U>;

struct ZoomFixture : EditorFixture {
    ZoomFixture() { editor.chooseThumbnail(0, true); }
    Frame0& f0() { return *editor.frame.frame0; }
    // The view at 128/divisor times, its top-left at frame pixel (left, top).
    void view(int divisor, int left, int top) {
        editor.actualSize();
        int steps = 0;
        for (int d = 128; d > divisor; d /= 2) ++steps;
        editor.zoomAt(steps, 0, 0);
        editor.panTo(left, top);
    }
    void set(const Us& pts) {
        f0().pointCount = int(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) {
            const StoredBytes x = fromCanvas(pts[i].x), y = fromCanvas(pts[i].y);
            f0().points[i] = point3D(0, 0, pts[i].status);
            f0().points[i].xHi = x.hi, f0().points[i].xLo = x.lo, f0().points[i].yHi = y.hi, f0().points[i].yLo = y.lo;
        }
        editor.seq.framechanged = true;  // written back when another frame is chosen
        editor.refreshCanvas();
    }
    Us get() {
        Us out;
        for (int i = 0; i < f0().pointCount; ++i) {
            const Point3D& p = f0().points[i];
            out.push_back({toCanvas(p.xHi, p.xLo), toCanvas(p.yHi, p.yLo), p.status});
        }
        return out;
    }
    QRgb shown(int x, int row) { return editor.canvas.image().pixel(x, row) & 0xFFFFFF; }
};

struct Step { QPointF at; int kind; };  // kind: 0 press, 1 move, 2 release (left button), in view pixels
}  // namespace

TEST_F(ZoomFixture, ToolsActAtTheFramePositionUnderThePointerAtEveryZoom) {
    struct Case {
        const char* what;
        int divisor, left, top;  // the view
        int tool;
        Us before;
        std::vector<QPointF> drag;  // press, moves, release at the last
        Us after;
    };
    const Case cases[] = {
        {"1×: as it always was", 128, 0, 0, PointTool, {}, {{100, 411}}, {{12800, 12800}}},
        {"2×", 64, 0, 0, PointTool, {}, {{100, 100}}, {{6400, 59072}}},
        {"16×, panned", 8, 4000, 3000, PointTool, {}, {{7.3f, 9}}, {{32056, 41456}}},
        {"64×, the top right corner", 2, 1 << 20, 0, PointTool, {}, {{511, 0}}, {{65534, 65534}}},
        {"64×, the bottom left corner", 2, 0, 1 << 20, PointTool, {}, {{0, 511}}, {{0, 0}}},
        {"64×, past the edge is pinned to it", 2, 0, 1 << 20, PointTool, {}, {{-40, 600}}, {{0, 0}}},
        {"a line at 16× keeps the spacing in units", 8, 4000, 3000, LineTool, {}, {{0, 0}, {40, 0}},
         {{32000, 41528}, {32320, 41528}}},
        {"a move at 64× by 3 pixels right and 5 up", 2, 400, 32067, MoveTool, {{1000, 1000}}, {{100, 200}, {103, 195}},
         {{1006, 1010}}},
        {"a move at 1×", 128, 0, 0, MoveTool, {{1280, 1280}}, {{10, 501}, {13, 496}}, {{1664, 1920}}},
        {"delete finds within 10 pixels of the view", 2, 400, 32067, DeleteTool, {{1000, 1000}, {1040, 1000}},
         {{118, 200}}, {{1000, 1000}}},
        {"insert at 16× between two points", 8, 0, 7680, InsertTool, {{80, 80}, {800, 80}}, {{50, 510}},
         {{80, 80}, {400, 8}, {800, 80}}},
    };
    for (const Case& c : cases) {
        set(c.before);
        view(c.divisor, c.left, c.top);
        ASSERT_EQ(editor.canvas.grid().divisor, c.divisor) << c.what;
        editor.chooseTool(c.tool);
        const QPointF first = c.drag.front(), last = c.drag.back();
        editor.canvasPress(1, float(first.x()), float(first.y()));
        for (const QPointF& p : c.drag) editor.canvasMove(1, float(p.x()), float(p.y()));
        editor.canvasRelease(1, float(last.x()), float(last.y()));
        EXPECT_EQ(get(), c.after) << c.what;
    }
}

// A point of the frame shows under the view pixel its units give, with the grid and axes where
// the frame's centre is; the read-outs name the units under the pointer.
TEST_F(ZoomFixture, TheCanvasShowsTheFrameWhereTheViewSays) {
    struct Case { int divisor, left, top; U point; QPoint pixel; const char* xy; };
    const Case cases[] = {
        {128, 0, 0, {12800, 12800}, {100, 412}, "-19968 -19968"},
        {2, 400, 32067, {1000, 1000}, {100, 201}, "-31768 -31768"},
        {8, 3900, 3900, {32000, 32000}, {100, 292}, "-768 -768"},
    };
    for (const Case& c : cases) {
        set({c.point});
        view(c.divisor, c.left, c.top);
        EXPECT_EQ(shown(c.pixel.x() + 3, c.pixel.y() + 3), 0x00FF00u) << c.divisor;  // the first point's box
        editor.canvasMove(0, float(c.pixel.x()), float(c.pixel.y() - 1));  // the pointer's row is one up
        EXPECT_EQ(editor.win.xLabel + ' ' + editor.win.yLabel, QString(c.xy)) << c.divisor;
    }
    view(8, 4096 - 256, 4096 - 256);  // the frame's centre in the middle of the view
    EXPECT_EQ(shown(256, 10), 0x323232u);  // the vertical axis
    EXPECT_EQ(shown(320, 320), 0xFFFFFFu);  // grid dots 10 normal pixels apart, 160 at 16×
    EXPECT_EQ(shown(320 + 160, 320), 0xFFFFFFu);
    EXPECT_EQ(shown(320 + 80, 320), 0u);
}

TEST_F(ZoomFixture, ZoomStepsFitAndActualSize) {
    struct Case { void (Editor::*command)(); int divisor; };
    const Case cases[] = {{&Editor::zoomIn, 64}, {&Editor::zoomIn, 32}, {&Editor::zoomOut, 64},
                          {&Editor::zoomToFit, 128}, {&Editor::actualSize, 128}};
    for (const Case& c : cases) {
        (editor.*c.command)();
        EXPECT_EQ(editor.canvas.grid().divisor, c.divisor);
    }
    for (const auto& [from, in, out] : {std::tuple{128, 64, 128}, {73, 64, 128}, {64, 32, 128}, {3, 2, 4}, {2, 2, 4}})
        EXPECT_EQ(std::pair(zoomInDivisor(from), zoomOutDivisor(from)), std::pair(in, out)) << from;
    for (int i = 0; i < 8; ++i) editor.zoomIn();
    EXPECT_EQ(editor.canvas.grid().divisor, 2);  // 64× at most
    editor.zoomToFit();
    editor.setViewSize(1024, 900);  // Fit fills a larger view: the frame 897 pixels across
    EXPECT_EQ(editor.canvas.grid().divisor, 73);
    EXPECT_EQ(editor.canvas.viewPort().left, -63);  // centred across
    editor.zoomIn();
    EXPECT_EQ(editor.canvas.grid().divisor, 64);  // on to the next step from there
    editor.actualSize();
    EXPECT_EQ(editor.canvas.viewPort().left, -256);  // today's 512 pixels, centred
    editor.chooseTool(LineTool);
    editor.canvasPress(1, 300, 300);
    editor.setViewSize(600, 600);  // the window resized during a drag: the view follows after it
    EXPECT_EQ(editor.canvas.viewPort().width, 1024);
    editor.canvasRelease(1, 300, 300);
    EXPECT_EQ(editor.canvas.viewPort().width, 600);
    EXPECT_EQ(editor.canvas.image().width(), 600);
    editor.setViewSize(600, 700);  // a new height alone
    EXPECT_EQ(editor.canvas.image().height(), 700);
}

// Escape during a drag ends it with nothing changed: no point, no Undo or Redo step, no change
// mark, the canvas as before; the release that follows does nothing either.
TEST_F(ZoomFixture, EscapeEndsADragAsIfItHadNeverBegun) {
    struct Case { int tool; bool penMode; };
    for (const Case c : {Case{PointTool, true}, Case{LineTool, false}, Case{MoveTool, false}, Case{CircleTool, false},
                         Case{RecolorTool, false}, Case{DeleteTool, false}, Case{InsertTool, false},
                         Case{TransformTool, false}}) {
        set({{12800, 12800}, {25600, 12800}});
        editor.seq.fileChanged = false;
        editor.resetUndo();
        const QImage before = editor.canvas.image().copy();
        editor.chooseTool(c.tool);
        editor.tools.gesture.penMode = c.penMode;
        editor.canvasPress(1, 100, 411);
        editor.canvasMove(1, 150, 380);
        editor.canvasMove(1, 180, 300);
        EXPECT_TRUE(editor.cancelGesture()) << c.tool;
        editor.canvasMove(1, 190, 290);
        editor.canvasRelease(1, 190, 290);
        EXPECT_EQ(get(), (Us{{12800, 12800}, {25600, 12800}})) << c.tool;
        EXPECT_FALSE(editor.seq.fileChanged || editor.win.undoEnabled || editor.win.redoEnabled) << c.tool;
        editor.chooseTool(NoTool);
        EXPECT_EQ(editor.canvas.image(), before) << c.tool;
    }
    EXPECT_FALSE(editor.cancelGesture());  // nothing held
}

// The background picture and the onion skin of the frame before are drawn for the view: zoomed
// in they grow with the frame, and a view larger than the frame shows grey beyond its edges.
TEST_F(ZoomFixture, PictureAndOnionSkinFollowTheView) {
    QImage picture(512, 512, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 512; ++y)
        for (int x = 256; x < 512; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
    const QString path = folder.file("picture.png");
    ASSERT_TRUE(picture.save(path));
    editor.loadImageFile(path);
    editor.addNewFrame();  // frame 2, with frame 1's point under it
    editor.chooseThumbnail(0, true);
    set({{32767 - 1280, 32767}});
    editor.chooseThumbnail(1, true);
    editor.toggleShowPreviousFrame();
    struct Case { int divisor, left, top, width; QPoint at; QRgb shown; };
    const Case cases[] = {
        {128, 0, 0, 512, {203, 13}, 0xFF0000}, {128, 0, 0, 512, {303, 13}, 0x0000FF},
        {64, 0, 0, 512, {500, 13}, 0xFF0000},      // 2×: the red half is now 512 pixels wide
        {64, 512, 0, 512, {20, 13}, 0x0000FF},      // and the blue one starts at pixel 512
        {128, 0, 0, 1024, {100, 13}, 0x282828},    // beyond the frame in a wider view
        {128, 0, 0, 1024, {256 + 203, 13}, 0xFF0000},
        {8, 3840, 3840, 512, {95, 257}, 0x582878},  // the point of frame 1, 10 normal pixels left of the centre
    };
    for (const Case& c : cases) {
        editor.setViewSize(c.width, 512);
        view(c.divisor, c.left, c.top);
        EXPECT_EQ(shown(c.at.x(), c.at.y()), c.shown) << c.divisor << ' ' << c.at.x();
    }
}
