// SPDX-License-Identifier: GPL-3.0-or-later
// Transform: each kind about each centre, on the selection or the whole frame, at the frame's
// own resolution; pinning at the edges; colours, blanking and Z kept; one Undo step.
#include "EditorFixture.h"
#include "tools/Transform.h"

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct U {  // a point in canvas units, y upward
    int x, y;
    uint8_t status = 0, color = 1;
    bool operator==(const U&) const = default;
};
std::ostream& operator<<(std::ostream& os, const U& p) {
    return os << '(' << p.x << ',' << p.y << ',' << int(p.status) << ',' << int(p.color) << ')';
}
using Us = std::vector<U>;

struct TransformFixture : EditorFixture {
    TransformFixture() { editor.chooseThumbnail(0, true); }
    Frame0& f0() { return *editor.frame.frame0; }
    void set(const Us& pts) {
        f0().pointCount = int(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) {
            Point3D& p = f0().points[i];
            const StoredBytes x = fromCanvas(pts[i].x), y = fromCanvas(pts[i].y);
            p = Point3D{};
            p.xHi = x.hi, p.xLo = x.lo, p.yHi = y.hi, p.yLo = y.lo, p.zLo = 7;
            p.status = pts[i].status, p.colorIndex = pts[i].color;
        }
    }
    Us get() {
        Us out;
        for (int i = 0; i < f0().pointCount; ++i) {
            const Point3D& p = f0().points[i];
            EXPECT_EQ(p.zLo, 7);  // Z is never touched
            out.push_back({toCanvas(p.xHi, p.xLo), toCanvas(p.yHi, p.yLo), p.status, p.colorIndex});
        }
        return out;
    }
};

// Three selected points (box 1000..3000 × 1000..2000, centre 2000, 1500) and one outside the
// selection far up and right.
const Us Shape{{1000, 1000, 0, 1}, {3000, 1000, 64, 2}, {3000, 2000, 0, 3}, {40000, 40000, 0, 4}};
constexpr U Far{40000, 40000, 0, 4};
}  // namespace

TEST_F(TransformFixture, EachKindAboutEachCentreKeepsColoursAndBlanking) {
    struct Case { const char* what; Transform t; int selEnd; Us after; };  // selEnd -1: nothing selected
    const auto with = [](auto change) { Transform t; change(t); return t; };
    const Case cases[] = {
        {"move", with([](Transform& t) { t.moveX = 500, t.moveY = -200; }), 2,
         {{1500, 800, 0, 1}, {3500, 800, 64, 2}, {3500, 1800, 0, 3}, Far}},
        {"scale about the selection", with([](Transform& t) { t.scaleX = 200, t.scaleY = 50; }), 2,
         {{0, 1250, 0, 1}, {4000, 1250, 64, 2}, {4000, 1750, 0, 3}, Far}},
        {"rotate a quarter turn about the selection", with([](Transform& t) { t.degrees = 90; }), 2,
         {{2500, 500, 0, 1}, {2500, 2500, 64, 2}, {1500, 2500, 0, 3}, Far}},
        {"rotate a third of a turn, rounded to units", with([](Transform& t) { t.degrees = 120; }), 2,
         {{2933, 884, 0, 1}, {1933, 2616, 64, 2}, {1067, 2116, 0, 3}, Far}},
        {"mirror left and right about the frame", with([](Transform& t) { t.mirrorX = true, t.about = Pivot::Frame; }), 2,
         {{40000, 1000, 0, 1}, {38000, 1000, 64, 2}, {38000, 2000, 0, 3}, Far}},
        {"mirror top and bottom about the selection", with([](Transform& t) { t.mirrorY = true; }), 2,
         {{1000, 2000, 0, 1}, {3000, 2000, 64, 2}, {3000, 1000, 0, 3}, Far}},
        {"scale about the canvas centre pins what leaves it, blanked", with([](Transform& t) { t.scaleX = t.scaleY = 200, t.about = Pivot::Canvas; }), 2,
         {{0, 0, 64, 1}, {0, 0, 64, 2}, {0, 0, 64, 3}, Far}},
        {"one selected point turns about itself", with([](Transform& t) { t.degrees = 90; }), 0,
         {{1000, 1000, 0, 1}, {3000, 1000, 64, 2}, {3000, 2000, 0, 3}, Far}},
        {"mirror about the canvas centre", with([](Transform& t) { t.mirrorX = true, t.about = Pivot::Canvas; }), 2,
         {{64534, 1000, 0, 1}, {62534, 1000, 64, 2}, {62534, 2000, 0, 3}, Far}},
        {"half size about the canvas centre", with([](Transform& t) { t.scaleX = t.scaleY = 50, t.about = Pivot::Canvas; }), 2,
         {{16884, 16884, 0, 1}, {17884, 16884, 64, 2}, {17884, 17384, 0, 3}, Far}},
        {"nothing selected: the whole frame about its centre", with([](Transform& t) { t.degrees = 180; }), -1,
         {{40000, 40000, 0, 1}, {38000, 40000, 64, 2}, {38000, 39000, 0, 3}, {1000, 1000, 0, 4}}},
        {"a move past the top right pins there", with([](Transform& t) { t.moveX = t.moveY = 65000; }), 2,
         {{65534, 65534, 64, 1}, {65534, 65534, 64, 2}, {65534, 65534, 64, 3}, Far}},
        {"to the exact edge is no pinning", with([](Transform& t) { t.moveX = -1000; }), 2,
         {{0, 1000, 0, 1}, {2000, 1000, 64, 2}, {2000, 2000, 0, 3}, Far}},
    };
    for (const Case& c : cases) {
        set(Shape);
        editor.frame.selStart = c.selEnd < 0 ? -1 : 0, editor.frame.selEnd = c.selEnd;
        editor.transformPoints(c.t);
        EXPECT_EQ(get(), c.after) << c.what;
        EXPECT_TRUE(editor.seq.fileChanged) << c.what;
        editor.undo();  // one step takes all of it back
        EXPECT_EQ(get(), Shape) << c.what;
    }
}

TEST_F(TransformFixture, NothingToTransformTakesNoUndoStep) {
    set(Shape);
    editor.transformPoints(Transform{});  // the identity
    EXPECT_FALSE(editor.seq.fileChanged);
    set({});
    Transform turn;
    turn.degrees = 30;
    editor.transformPoints(turn);
    EXPECT_FALSE(editor.seq.fileChanged);
    EXPECT_TRUE(transformedBox(editor.frame).empty());
}

// The Transform tool at the normal view: inside the box moves, a corner scales about the opposite
// one, just outside a corner turns about the centre; Shift keeps proportions and snaps to 15
// degrees. Each drag is one Undo step. Pointer positions are canvas pixels, y upward.
TEST_F(TransformFixture, TheTransformToolMovesScalesAndTurnsByItsHandles) {
    const Us Shape3{{12800, 12800}, {25600, 12800}, {25600, 19200}};  // the box 100..200 × 100..150
    struct Case { const char* what; int selEnd; QPointF from, to; bool shift; Us after; };
    const Case cases[] = {
        {"inside moves", -1, {150, 120}, {160, 110}, false, {{14080, 11520}, {26880, 11520}, {26880, 17920}}},
        {"the top right corner scales about the bottom left", -1, {200, 150}, {300, 200}, false,
         {{12800, 12800}, {38400, 12800}, {38400, 25600}}},
        {"with Shift in proportion", -1, {202, 148}, {300, 160}, true, {{12800, 12800}, {38400, 12800}, {38400, 25600}}},
        {"past the anchor mirrors", -1, {100, 100}, {300, 100}, false, {{38400, 12800}, {25600, 12800}, {25600, 19200}}},
        {"just outside a corner turns", -1, {210, 160}, {115, 185}, false, {{22400, 9600}, {22400, 22400}, {16000, 22400}}},
        {"Shift snaps 88 degrees to 90", -1, {210, 160}, {117.11, 186.19}, true,
         {{22400, 9600}, {22400, 22400}, {16000, 22400}}},
        {"far from the box nothing", -1, {400, 400}, {300, 300}, false, Shape3},
        {"beside the box, level with it, nothing", -1, {300, 120}, {320, 140}, false, Shape3},
        {"a flat selection's box moves its points alone", 1, {150, 100}, {150, 110}, false,
         {{12800, 14080}, {25600, 14080}, {25600, 19200}}},
    };
    editor.chooseTool(TransformTool);
    for (const Case& c : cases) {
        set(Shape3);
        editor.frame.selStart = c.selEnd < 0 ? -1 : 0, editor.frame.selEnd = c.selEnd;
        editor.refreshCanvas();
        editor.seq.fileChanged = false;
        editor.tools.gesture.shift = c.shift;
        const auto row = [](QPointF p) { return float(511 - p.y()); };
        editor.canvasPress(1, float(c.from.x()), row(c.from));
        editor.canvasMove(1, float((c.from.x() + c.to.x()) / 2), row((c.from + c.to) / 2));
        editor.canvasMove(1, float(c.to.x()), row(c.to));
        editor.canvasRelease(1, float(c.to.x()), row(c.to));
        EXPECT_EQ(get(), c.after) << c.what;
        EXPECT_EQ(editor.seq.fileChanged, c.after != Shape3) << c.what;
        if (!editor.seq.fileChanged) continue;
        editor.undo();
        EXPECT_EQ(get(), Shape3) << c.what;
    }
    // The handles come with the tool and go with it.
    const auto handle = [&] { return editor.canvas.image().pixel(202, 512 - 150 - 2) & 0xFFFFFF; };
    EXPECT_EQ(handle(), 0x00FFFFu);
    editor.chooseTool(LineTool);
    EXPECT_EQ(handle(), 0u);
    editor.chooseTool(TransformTool);
    EXPECT_EQ(handle(), 0x00FFFFu);
}

// Spread over the frames selected in the strip, frame i of n gets i/(n-1) of the move, the turn
// and the way to the scale (a mirror is a scale of -100 %), about the first frame's centre; the
// working frame is loaded again as its slot holds it.
TEST_F(TransformFixture, ATransformSpreadOverTheSelectedFrames) {
    for (int i = 0; i < 4; ++i) editor.addNewFrame();  // five frames, each the same two points
    for (int f = 1; f <= 5; ++f) storeFrame(editor.buffer, f, {point3D(-1001, 0), point3D(1000, 0)});  // units 31767 and 33767
    const auto at = [&](int f) {
        WorkingFrame w;
        editor.buffer.copyFrameToRam(f, w);
        const Point3D& p = w.frame0->points[1];
        return std::pair(toCanvas(p.xHi, p.xLo) - 32767, toCanvas(p.yHi, p.yLo) - 32767);
    };
    struct Case { const char* what; Transform t; std::vector<std::pair<int, int>> second; };  // frames 2 to 5
    const auto with = [](auto change) { Transform t; change(t); return t; };
    const Case cases[] = {
        {"a quarter turn over four frames", with([](Transform& t) { t.degrees = 90; }),
         {{1000, 0}, {866, 500}, {500, 866}, {0, 1000}}},
        {"a move", with([](Transform& t) { t.moveX = 300, t.moveY = -600; }), {{1000, 0}, {1100, -200}, {1200, -400}, {1300, -600}}},
        {"a mirror flips through zero", with([](Transform& t) { t.mirrorX = true; }), {{1000, 0}, {333, 0}, {-333, 0}, {-1000, 0}}},
        {"a scale", with([](Transform& t) { t.scaleX = 400, t.about = Pivot::Canvas; }), {{1000, 0}, {2000, 0}, {3000, 0}, {4000, 0}}},
    };
    int working = 5;
    for (const Case& c : cases) {
        for (int f = 1; f <= 5; ++f) storeFrame(editor.buffer, f, {point3D(-1001, 0), point3D(1000, 0)});  // units 31767 and 33767
        working = working == 5 ? 3 : 5;  // inside the range, or its last frame
        editor.chooseThumbnail(working - 1, true);  // then frames 2 to 5 selected
        editor.seq.selFrameStart = 2, editor.seq.selFrameLen = 4;
        editor.transformFrames(c.t);
        for (int f = 2; f <= 5; ++f) EXPECT_EQ(at(f), c.second[size_t(f) - 2]) << c.what << ' ' << f;
        EXPECT_EQ(at(1), std::pair(1000, 0)) << c.what;  // outside the selection
        const Point3D& loaded = editor.frame.frame0->points[1];
        EXPECT_EQ(toCanvas(loaded.xHi, loaded.xLo) - 32767, c.second[size_t(working) - 2].first) << c.what;  // as loaded
        EXPECT_TRUE(editor.seq.fileChanged);
    }
}
