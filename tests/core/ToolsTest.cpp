// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorFixture.h"
#include "RecordingSurface.h"
#include "tools/ToolPreviews.h"
#include "tools/PointEdits.h"
#include "view/Renderer.h"

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct Pt { int x, y; uint8_t status = 0; bool operator==(const Pt&) const = default; };
std::ostream& operator<<(std::ostream& os, const Pt& p) { return os << '(' << p.x << ',' << p.y << ',' << int(p.status) << ')'; }
using Pts = std::vector<Pt>;

// An editor with frame 1 chosen for editing; gestures are given in canvas pixels, y upward.
struct ToolFixture : EditorFixture {
    ToolFixture() { editor.chooseThumbnail(0, true); }
    void use(int tool) { editor.chooseTool(tool); }
    void press(float x, float y, int button = 1) { editor.canvasPress(button, x, 511 - y); }
    void move(float x, float y, int buttons = 1) { editor.canvasMove(buttons, x, 511 - y); }
    void release(float x, float y, int button = 1) { editor.canvasRelease(button, x, 511 - y); }
    void click(int tool, float x, float y, int button = 1) { drag(tool, x, y, x, y, button); }
    void drag(int tool, float x0, float y0, float x1, float y1, int button = 1) {
        use(tool);
        press(x0, y0, button);
        move(x1, y1, button);
        release(x1, y1, button);
    }
    Frame0& f0() { return *editor.frame.frame0; }
    Pts points() {
        Pts out;
        for (int i = 0; i < f0().pointCount; ++i) out.push_back({pixelOf(f0().points[i]).x, pixelOf(f0().points[i]).y, f0().points[i].status});
        return out;
    }
    void setPoints(const Pts& pts) {
        f0().pointCount = int(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) f0().points[i] = point3D(0, 0, pts[i].status), setPixel(f0().points[i], pts[i].x, pts[i].y);
    }
    void select(int start, int end) { editor.frame.selStart = start, editor.frame.selEnd = end; }
};
}  // namespace

TEST_F(ToolFixture, LinesPlaceEvenlySpacedPointsAndDoubleTheEnd) {
    struct Case { const char* what; Pts before; Pt from, to; int button; Pts added; };
    const Case cases[] = {
        {"vertical", {}, {100, 100}, {100, 120}, 1, {{100, 100}, {100, 105}, {100, 110}, {100, 115}, {100, 120}, {100, 120}}},
        {"released on its start", {}, {50, 60}, {50, 60}, 1, {{50, 60}, {50, 60}}},
        {"45 degrees is steep", {}, {0, 0}, {10, 10}, 1, {{0, 0}, {5, 5}, {10, 10}, {10, 10}}},
        {"flat, from the last point", {{20, 30}}, {300, 300}, {33, 31}, 1, {{20, 30}, {25, 30}, {30, 31}, {33, 31}}},
        {"right button: blanked, blank spacing", {{0, 0}}, {0, 0}, {25, 0}, 2, {{0, 0, 64}, {10, 0, 64}, {20, 0, 64}, {25, 0, 64}}},
        {"leftwards and down", {}, {40, 40}, {29, 38}, 1, {{40, 40}, {35, 39}, {30, 38}, {29, 38}}},
    };
    for (const auto& c : cases) {
        setPoints(c.before);
        drag(LineTool, c.from.x, c.from.y, c.to.x, c.to.y, c.button);
        Pts expected = c.before;
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(points(), expected) << c.what;
    }
    // The line starts at the last point's whole pixel; the loop keeps the unrounded start.
    f0().pointCount = 1;
    const StoredBytes x = fromCanvas(12850), y = fromCanvas(12800);
    f0().points[0] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, 1};
    drag(LineTool, 200, 200, 100, 110);
    ASSERT_EQ(f0().pointCount, 5);
    EXPECT_EQ(toCanvas(f0().points[1].xHi, f0().points[1].xLo), 12800);
    EXPECT_EQ(points()[2], (Pt{100, 105}));
}

TEST_F(ToolFixture, EllipsesAndRectanglesJoinThePathBlankedAndCloseOnTheirStart) {
    struct Case { int rx, ry, points; };
    for (const auto& c : {Case{0, 0, 14}, Case{30, 30, 39}, Case{60, 30, 52}}) {
        setPoints({});
        drag(CircleTool, 200, 200, 200 + c.rx, 200 - c.ry);
        const Pts pts = points();
        ASSERT_EQ(int(pts.size()), c.points) << c.rx << 'x' << c.ry;
        EXPECT_EQ(pts.front(), (Pt{200, 200 + c.ry}));  // angle 0 is the top
        EXPECT_EQ(pts.back(), pts.front());
    }
    setPoints({{100, 200}});
    drag(CircleTool, 200, 200, 200, 200);
    ASSERT_EQ(points().size(), 1u + 12 + 14);  // travel 100..200 in tens with its end doubled
    EXPECT_EQ(points()[12], (Pt{200, 200, 64}));
    EXPECT_EQ(points()[13], (Pt{200, 200, 0}));
    for (int edge : {0, 511}) {  // reaching 20 pixels past either edge: pinned to it and blanked
        setPoints({});
        drag(CircleTool, edge ? 501 : 10, 200, edge ? 471 : 40, 200);
        int pinned = 0, pinnedBlanked = 0;
        for (const Pt& p : points()) pinned += p.x == edge, pinnedBlanked += p.x == edge && p.status == 64;
        EXPECT_GT(pinned, 3) << edge;
        EXPECT_EQ(pinnedBlanked, pinned) << edge;
        EXPECT_EQ(points().back().status, points()[points().size() - 2].status);
    }

    setPoints({});
    drag(RectangleTool, 100, 100, 110, 105);
    const Pts rectangle = {{100, 100, 64}, {100, 100, 64}, {100, 100}, {105, 100}, {110, 100}, {110, 100}, {110, 100},
                           {110, 105}, {110, 105}, {110, 105}, {105, 105}, {100, 105}, {100, 105}, {100, 105},
                           {100, 100}, {100, 100}};
    EXPECT_EQ(points(), rectangle);
    for (const int tool : {RectangleTool, CircleTool}) {
        setPoints({});
        use(tool);
        press(10, 10);
        press(20, 20, 2);  // a right press during the drag cancels it
        release(30, 30);
        EXPECT_EQ(f0().pointCount, 0) << tool;
    }
}

TEST_F(ToolFixture, PointsAndPenStrokesFollowTheButtonAndTheSpacing) {
    click(PointTool, 5, 6);
    click(PointTool, 7, 8, 2);
    EXPECT_EQ(points(), (Pts{{5, 6, 0}, {7, 8, 64}}));
    EXPECT_EQ(f0().points[0].colorIndex, 1);
    setPoints({});
    editor.canvasPress(1, -0.7f, 511.7f), editor.canvasRelease(1, -0.7f, 511.7f);  // on the last half pixel
    editor.canvasPress(1, 511.7f, -0.7f), editor.canvasRelease(1, 511.7f, -0.7f);
    EXPECT_EQ(points(), (Pts{{0, 0, 0}, {511, 511, 0}}));
    setPoints({});
    editor.tools.gesture.penMode = true;
    press(100, 100);
    for (Pt p : {Pt{105, 105}, Pt{106, 100}, Pt{108, 100}}) move(p.x, p.y);  // a point past PointSpace only
    move(112, 106, 3);  // both buttons held: blanked
    move(200, 200, 0);  // no button held: the pen draws nothing
    release(112, 106);
    EXPECT_EQ(points(), (Pts{{100, 100, 0}, {106, 100, 0}, {112, 106, 64}}));
    EXPECT_FALSE(editor.tools.gesture.penDown);
}

// Every tool's edit takes one undo snapshot, marks the frame and the file changed and redraws.
TEST_F(ToolFixture, EveryEditTakesOneUndoStepSetsItsFlagsAndRedraws) {
    struct Case { const char* what; std::function<void()> gesture; };
    const Case cases[] = {
        {"point", [&] { click(PointTool, 10, 10); }},
        {"pen stroke", [&] { editor.tools.gesture.penMode = true; drag(PointTool, 10, 10, 30, 30); }},
        {"line", [&] { drag(LineTool, 0, 0, 20, 20); }}, {"circle", [&] { drag(CircleTool, 300, 300, 310, 310); }},
        {"recolor", [&] { drag(RecolorTool, 100, 100, 120, 100); }},
        {"rectangle", [&] { drag(RectangleTool, 300, 300, 310, 310); }},
        {"insert", [&] { drag(InsertTool, 110, 101, 110, 90); }},
        {"move", [&] { drag(MoveTool, 120, 100, 125, 100); }}, {"delete", [&] { click(DeleteTool, 140, 100); }},
    };
    for (const auto& c : cases) {
        setPoints({{100, 100}, {120, 100}, {140, 100}});
        editor.tools.gesture.penMode = editor.seq.fileChanged = editor.seq.framechanged = false;
        editor.resetUndo();
        editor.win.pointsLabel.clear();
        c.gesture();
        EXPECT_TRUE(editor.seq.framechanged) << c.what;
        EXPECT_TRUE(editor.seq.fileChanged) << c.what;
        EXPECT_EQ(editor.history.undocounter(), 1) << c.what;
        EXPECT_EQ(editor.win.pointsLabel, QString::number(f0().pointCount)) << c.what;
        EXPECT_TRUE(editor.win.statusNote.isEmpty()) << c.what;  // no "frame is full" with room to spare
        editor.undo();
        EXPECT_EQ(points(), (Pts{{100, 100}, {120, 100}, {140, 100}})) << c.what;
    }
}

TEST_F(ToolFixture, ReleaseCasesRunInTheirOrderAndPressesNeedAFrameAndATool) {
    click(PointTool, 10, 10);  // leaves the pen down: with pen mode checked later, the next
    editor.tools.gesture.penMode = true;  // release of any tool ends the stroke first
    drag(LineTool, 20, 20, 40, 40);
    EXPECT_EQ(f0().pointCount, 1);
    EXPECT_TRUE(editor.tools.gesture.drawingLine);
    release(40, 40);
    EXPECT_GT(f0().pointCount, 1);
    const int n = f0().pointCount;
    click(NoTool, 30, 30);
    editor.seq.editEnabled = false;
    click(PointTool, 30, 30);
    EXPECT_EQ(f0().pointCount, n);
}

TEST_F(ToolFixture, PressPositionsAreRoundedAndReleasesClamped) {
    use(CircleTool);
    editor.canvasPress(1, 0.0f, 0.0f);
    EXPECT_EQ(editor.tools.gesture.centery, 511);
    editor.canvasPress(1, 2.5f, 3.5f);  // halves to even
    EXPECT_EQ(editor.tools.gesture.centerx, 2);
    EXPECT_EQ(editor.tools.gesture.centery, 511 - 4);
    editor.canvasMove(0, 900.0f, 900.0f);
    EXPECT_EQ(editor.win.xLabel + ' ' + editor.win.yLabel, "32640 -32768");
    editor.canvasMove(0, -5.0f, -5.0f);
    EXPECT_EQ(editor.win.xLabel + ' ' + editor.win.yLabel, "-32768 32640");
    editor.canvasRelease(1, 900.0f, 900.0f);  // as if at (511, 0): rx 509, ry 4
    ASSERT_GT(f0().pointCount, 0);
    EXPECT_EQ(points().front(), (Pt{2, 511, 64}));  // the ellipse's top, pinned at the top edge
    editor.canvasPress(1, 511.6f, 511.6f);  // the last half pixel rounds onto the canvas's edge
    EXPECT_EQ(std::pair(editor.tools.gesture.centerx, editor.tools.gesture.centery), std::pair(511, 0));
}

TEST_F(ToolFixture, NearestPointsAndSegmentsKeepTheEarlierOnTies) {
    setPoints({{100, 100}, {100, 100}, {200, 200}, {204, 200}, {195, 200}});
    struct Case { float x, y; int point; };
    // 10 pixels is too far; 4.41 from point 2 is kept as 4, so point 3 at 3.61 beats it.
    const Case cases[] = {{110, 100, -1}, {109.9f, 100, 0}, {200, 200, 2}, {202.1f, 200, 3}, {199.9f, 200.f, 2}};
    for (const auto& c : cases) EXPECT_EQ(findNearestPoint(editor.frame, c.x, c.y), c.point) << c.x;
    setPoints({{0, 0}, {1, 4}});
    EXPECT_EQ(findNearestPoint(editor.frame, 0.6f, 2), 0);  // 4.16 is not below point 0's rounded 4
    EXPECT_EQ(findNearestPoint(editor.frame, 0.9f, 2.5f), 1);
    setPoints({{0, 0}, {100, 0}, {200, 0}, {100, 0}});
    EXPECT_EQ(findNearestSegment(editor.frame, 150, 0), 1);  // segments 1 and 2 tie: the lower
    EXPECT_EQ(findNearestSegment(editor.frame, 40, 0), 0);
    setPoints({{0, 0}});
    EXPECT_EQ(findNearestSegment(editor.frame, 0, 0), -1);
    setPoints({{50, 50}, {450, 250}});  // ends 0 and 400 by 200 pixels away: too far to mark
    EXPECT_EQ(findNearestSegment(editor.frame, 50, 50), -1);
}

TEST_F(ToolFixture, SelectingRangesAndObjects) {
    Pts seven;
    for (int i = 0; i < 7; ++i) seven.push_back({50 + 30 * i, 100, uint8_t(i == 0 || i == 4 ? 64 : 0)});
    setPoints(seven);
    use(SelectTool);
    struct Click { int point; bool objects; int start, end; };
    const Click clicks[] = {{6, false, 6, 6}, {2, false, 2, 6}, {4, false, 4, 4}, {3, false, 3, 4},
                            {0, false, 0, 0},  {5, false, 0, 5},  {2, true, 0, 3},  {6, true, 4, 6},  {4, true, 4, 6},   // a blanked point: no change
                            {-1, false, 4, 6}, {-1, true, 4, 6}};                   // and no point at all
    for (const auto& c : clicks) {
        editor.settings.objectSelectMode = c.objects;
        press(50 + 30 * c.point, 100), release(50 + 30 * c.point, 100);
        EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(c.start, c.end)) << c.point;
    }
    EXPECT_TRUE(selectObjectAround(editor.frame, 2) && selectObjectAround(editor.frame, 6));  // an object was found
    press(10, 10, 2);  // a right click clears the selection and leaves no tool chosen
    EXPECT_EQ(editor.frame.selStart, -1);
    EXPECT_EQ(editor.tools.current(), NoTool);
    setPoints({{10, 10}, {40, 10}, {70, 10, 64}});
    use(SelectTool);
    press(10, 10);  // object mode still on: a frame that starts visible starts its object at 0
    EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(0, 1));
    editor.selectAllPoints();
    EXPECT_EQ(editor.frame.selEnd, 2);
    setPoints({});
    editor.selectAllPoints();
    EXPECT_EQ(editor.frame.selStart, -1);
}

TEST_F(ToolFixture, MovingPointsRewritesWholePixelsAndPinsAtTheEdges) {
    Pts row;
    for (int i = 0; i < 13; ++i) row.push_back({100 + 20 * i, 100});
    setPoints(row);
    select(3, 7), use(MoveTool);
    press(340, 100);  // a press on point 12 moves the whole selection, shown while it moves
    move(340, 110);
    EXPECT_EQ(editor.canvas.image().pixel(230, screenRow(110)) & 0xFFFFFF, 0xFFFFFFu);  // the path to its last point
    move(350, 100);
    release(350, 100);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(points()[i].x, 100 + 20 * i + (i >= 3 && i <= 7 ? 10 : 0)) << i;
    EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(3, 7));
    editor.frame.clearSelection();
    drag(MoveTool, 100, 100, 50, 90);  // nothing selected: point 0 alone, and no selection after
    EXPECT_EQ(points()[0], (Pt{50, 90}));
    EXPECT_EQ(points()[1].x, 120);
    EXPECT_EQ(editor.frame.selStart, -1);
    const StoredBytes x = fromCanvas(12850), y = fromCanvas(128 * 300);
    f0().points[0] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, 1};
    drag(MoveTool, 100, 300, 100, 300);  // pressed and released in place: the whole pixel
    EXPECT_EQ(toCanvas(f0().points[0].xHi, f0().points[0].xLo), 12800);
    setPoints({{10, 200}, {30, 200}});
    select(0, 1), drag(MoveTool, 30, 200, 0, 200);
    EXPECT_EQ(points(), (Pts{{0, 200, 64}, {0, 200, 0}}));
    setPoints({{480, 200}, {500, 200}});  // and at the right edge
    select(0, 1), drag(MoveTool, 480, 200, 511, 200);
    EXPECT_EQ(points(), (Pts{{511, 200, 0}, {511, 200, 64}}));
    setPoints({{200, 480}, {200, 500}}), select(0, 1), drag(MoveTool, 200, 480, 200, 511);  // and the top
    EXPECT_EQ(points(), (Pts{{200, 511, 0}, {200, 511, 64}}));
}

TEST_F(ToolFixture, InsertRecolorAndDeleteWorkOnPointsAndSelections) {
    setPoints({{100, 100}, {200, 100}, {300, 100}});
    editor.currentColor = 9;
    drag(InsertTool, 150, 110, 150, 140);
    drag(InsertTool, 150, 110, 160, 20, 2);
    EXPECT_EQ(points(), (Pts{{100, 100}, {160, 20, 64}, {150, 140}, {200, 100}, {300, 100}}));
    EXPECT_EQ(f0().points[2].colorIndex, 9);
    EXPECT_EQ(insertPoint(editor.frame, 4, 10, 10, 1, editor.ink()), Inserted::NoSegment);  // after the last point

    Pts ten;
    for (int i = 0; i < 10; ++i) ten.push_back({20 + 40 * i, 300});
    setPoints(ten);
    select(2, 4);
    editor.currentColor = 5;
    click(RecolorTool, 100, 300);  // the first point of the selection recolours all of it
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f0().points[i].colorIndex, i >= 2 && i <= 4 ? 5 : 1) << i;
    editor.currentColor = 6;
    click(RecolorTool, 180, 300);  // and so does its last
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f0().points[i].colorIndex, i >= 2 && i <= 4 ? 6 : 1) << i;
    editor.currentColor = 5;
    drag(RecolorTool, 60, 300, 20, 300);  // outside the selection: clears it, paints what it passes
    EXPECT_EQ(editor.frame.selStart, -1);
    EXPECT_EQ(f0().points[0].colorIndex + f0().points[1].colorIndex, 10);
    select(2, 4);
    drag(RecolorTool, 250, 450, 300, 460);  // over no point: the selection stays and nothing is painted
    EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(2, 4));
    EXPECT_EQ(f0().points[8].colorIndex + f0().points[9].colorIndex, 2);
    click(DeleteTool, 180, 300);  // the selection's last point takes the whole selection
    EXPECT_EQ(f0().pointCount, 7);
    EXPECT_EQ(points()[2].x, 220);
    select(0, 1);
    click(DeleteTool, 340, 300);  // outside the selection: that point alone
    EXPECT_EQ(f0().pointCount, 6);
    EXPECT_EQ(editor.frame.selStart, -1);
    for (const int past : {6, 7}) {  // an index past the points recolours nothing behind them
        f0().points[past].colorIndex = 1;
        recolorPoints(editor.frame, past, 40);
        EXPECT_EQ(f0().points[past].colorIndex, 1);
    }
}

TEST_F(ToolFixture, AFullFrameTakesNoMorePoints) {
    setPoints(Pts(MaxPoints - 3, Pt{10, 10}));
    drag(LineTool, 10, 10, 10, 100);  // wants 20 points, room for 3
    EXPECT_EQ(f0().pointCount, MaxPoints);
    EXPECT_EQ(editor.win.statusNote, "The frame is full (20000 points).");
    drag(InsertTool, 10, 10, 50, 50);
    drag(CircleTool, 100, 100, 120, 120);
    click(PointTool, 200, 200);
    EXPECT_EQ(f0().pointCount, MaxPoints);
}

// Every tool adds on a true-colour frame what it adds on an indexed one, the points lit in the
// current colour's red, green and blue and the blanked ones black.
TEST_F(ToolFixture, EveryToolDrawsOnTrueColourFramesAsOnIndexedOnes) {
    struct Case { const char* what; std::function<void()> gesture; };
    const Case cases[] = {
        {"point", [&] { click(PointTool, 10, 10); }}, {"blanked point", [&] { click(PointTool, 10, 10, 2); }},
        {"pen stroke", [&] { editor.tools.gesture.penMode = true; drag(PointTool, 10, 10, 30, 30); }},
        {"line", [&] { drag(LineTool, 0, 0, 20, 40); }}, {"circle", [&] { drag(CircleTool, 300, 300, 320, 310); }},
        {"rectangle", [&] { drag(RectangleTool, 300, 300, 330, 310); }},
        {"insert", [&] { drag(InsertTool, 110, 101, 110, 90); }},
        {"recolor", [&] { drag(RecolorTool, 100, 100, 120, 100); }},
        {"text", [&] { editor.onTextTool = [] {}; click(TextTool, 200, 200); editor.text.setText("L"); editor.convertText(); }},
    };
    editor.pickColor(200);
    const Rgb ink = editor.palette.color[editor.currentColor];
    for (const auto& c : cases) {
        std::vector<std::tuple<int, int, int, Rgb>> drawn[2];  // x, y, status, colour shown
        int changed = 0;
        for (const uint8_t format : {1, 5}) {
            editor.frame.format = format;
            editor.frame.visit([&](auto& r) {
                r.pointCount = 3;
                for (int i = 0; i < 3; ++i) {
                    r.points[i] = {};
                    setPixel(r.points[i], 100 + 20 * i, 100);
                    setColor(r.points[i], Ink(5, editor.palette.color[5]));
                }
            });
            editor.tools.gesture.penMode = false;
            c.gesture();
            editor.frame.visit([&](const auto& r) {
                for (int i = 0; i < r.pointCount; ++i) {
                    const auto& p = r.points[i];
                    drawn[format == 5].emplace_back(pixelOf(p).x, pixelOf(p).y, p.status, colorOf(p, editor.palette));
                    if constexpr (!hasColorIndex<std::decay_t<decltype(p)>>()) {
                        const Rgb now = rgb(p.red, p.green, p.blue);  // what the tool left, where it wrote
                        if (now == editor.palette.color[5]) continue;
                        EXPECT_EQ(now, isBlanked(p) ? 0 : ink) << c.what << i;
                        ++changed;
                    }
                }
            });
        }
        EXPECT_GT(changed, 0) << c.what;
        EXPECT_EQ(drawn[0], drawn[1]) << c.what;
    }
}

// Undo, a second button or a Back button while a tool's gesture is held: the gesture ends as if
// nothing had come between, and no tool reaches past the frame's points.
TEST_F(ToolFixture, GesturesInterruptedByUndoOrOtherButtonsStayInsideTheFrame) {
    for (int tool : {PointTool, LineTool, CircleTool, SelectTool, MoveTool, InsertTool, RecolorTool, DeleteTool,
                     RectangleTool}) {
        for (int how : {0, 1, 2}) {  // Undo, the right button, Back and a button-less press
            SCOPED_TRACE(testing::Message() << "tool " << tool << ", interruption " << how);
            setPoints({{100, 100}, {200, 100}});
            drag(LineTool, 0, 0, 200, 160);  // something to undo, and a segment near the press
            use(tool);
            press(150, 102);
            const Pts held = points();
            if (how == 0) editor.undo();
            if (how == 1) press(150, 130, 2), move(160, 140, 3), release(160, 140, 2);
            if (how == 2) press(20, 20, 8), release(20, 20, 8), press(20, 20, 0);
            EXPECT_TRUE(how == 1 || points() == held);
            move(150, 110);
            release(150, 110);
            EXPECT_LE(f0().pointCount, 42);
            EXPECT_LT(editor.frame.selEnd, f0().pointCount);
            const int steps = editor.history.undocounter();
            editor.undo();  // free again once the buttons are up
            EXPECT_EQ(editor.history.undocounter(), steps - 1);
        }
    }
}

// A shape that continues from a point on the right or top edge continues there: ILDA 32767
// lies on pixel 512, which no point can be stored at.
TEST_F(ToolFixture, ShapesContinuingFromAnEdgePointStartOnThatEdge) {
    struct Case { Point3D last; int tool; Pt from, to; bool rightEdge; };
    const Case cases[] = {
        {point3D(32767, 0), LineTool, {511, 0}, {511, 100}, true},
        {point3D(0, 32767), LineTool, {0, 511}, {100, 511}, false},
        {point3D(32767, 32767), CircleTool, {400, 400}, {430, 430}, true},
        {point3D(32767, 32767), RectangleTool, {400, 400}, {450, 450}, false},
    };
    for (const auto& c : cases) {
        f0().pointCount = 1;
        f0().points[0] = c.last;
        drag(c.tool, c.from.x, c.from.y, c.to.x, c.to.y);
        ASSERT_GT(f0().pointCount, 1) << c.tool;
        for (const Pt& p : points()) EXPECT_GE(c.rightEdge ? p.x : p.y, 300) << c.tool << " " << p;
    }
}

TEST_F(ToolFixture, AnInsertedPointKeepsTheBytesTheToolDoesNotWrite) {
    setPoints({{10, 10}, {50, 10}});
    f0().points[1].zHi = 0x12, f0().points[1].zLo = 0x34;
    drag(InsertTool, 30, 12, 30, 40);
    ASSERT_EQ(f0().pointCount, 3);
    EXPECT_EQ(pixelOf(f0().points[1]).y, 40);
    EXPECT_EQ(f0().points[1].zHi * 256 + f0().points[1].zLo, 0x1234);
    editor.frame.format = 5;
    Frame5& t = *editor.frame.frame5;
    t.pointCount = 2;
    t.points[0] = pointTrue(0, 0, 0, 1, 2, 3);
    t.points[1] = pointTrue(5000, 0, 0, 200, 100, 50);
    drag(InsertTool, 275, 260, 280, 300);
    ASSERT_EQ(t.pointCount, 3);
    EXPECT_EQ(rgb(t.points[1].red, t.points[1].green, t.points[1].blue), editor.palette.color[1]);
}

// After an insertion, moving the mouse marks the ends of whichever segment is now nearest.
TEST_F(ToolFixture, TheInsertToolMarksTheNearestSegmentAgainAfterAnInsertion) {
    setPoints({{100, 100}, {200, 100}, {200, 200}});
    drag(InsertTool, 150, 102, 150, 90);
    ASSERT_EQ(f0().pointCount, 4);
    move(203, 150, 0);
    EXPECT_EQ(editor.canvas.image().pixel(204, screenRow(200)) & 0xFFFFFF, 0x00FFFFu);  // the selection cyan
    setPoints({{300, 300}});  // a lone point is no segment: nothing is marked
    move(300, 300, 0);
    EXPECT_NE(editor.canvas.image().pixel(304, screenRow(300)) & 0xFFFFFF, 0x00FFFFu);
}

// Feedback drawn during a gesture, and the picture restored under it, are gone once an edit
// ends the gesture, Undo takes one back or another frame is chosen.
TEST_F(ToolFixture, DragFeedbackAndThePictureUnderItDoNotLinger) {
    const auto shown = [&](int x, int y) { return editor.canvas.image().pixel(x, screenRow(y)) & 0xFFFFFF; };
    const int Undo = -1;
    for (int then : std::initializer_list<int>{Undo, PointTool, MoveTool, NoTool}) {
        setPoints({{100, 100}});
        editor.refreshCanvas();
        use(SelectTool);
        move(100, 100, 0);  // the hover ring around the point, over the picture of the frame
        ASSERT_EQ(shown(104, 100), 0x00FFFFu);
        if (then == Undo) editor.undo();  // back to the frame as loaded: empty
        if (then == PointTool) click(PointTool, 300, 300);
        if (then == MoveTool) drag(MoveTool, 100, 100, 200, 200);
        if (then == NoTool) editor.addNewFrame(), editor.chooseThumbnail(1, true);  // an empty frame
        EXPECT_NE(shown(104, 100), 0x00FFFFu) << then;
        EXPECT_EQ(shown(101, 100), then == PointTool ? 0xFFFFFFu : 0u) << then;  // the point, where it still is
    }
}

// Deleting and recolouring at the edges of the point list, and clicks over no point: nothing
// marked, nothing changed, no undo step.
TEST_F(ToolFixture, FirstPointsLastPointsAndNoPoint) {
    setPoints({{100, 100}, {200, 100}, {300, 100}});
    click(DeleteTool, 100, 100);  // the very first point
    EXPECT_EQ(points(), (Pts{{200, 100}, {300, 100}}));
    const int steps = editor.history.undocounter();
    const QImage before = editor.canvas.image();
    editor.seq.framechanged = false;
    for (int tool : {DeleteTool, RecolorTool}) click(tool, 450, 450);
    EXPECT_EQ(std::tuple(editor.history.undocounter(), editor.seq.framechanged, points().size()), std::tuple(steps, false, size_t(2)));
    EXPECT_EQ(editor.canvas.image(), before);  // no point was marked
    EXPECT_FALSE(selectObjectAround(editor.frame, 2));  // past the last point: no object
    deletePoints(editor.frame, -1), deletePoints(editor.frame, 2);  // nor any point to delete
    EXPECT_EQ(points().size(), 2u);
    EXPECT_EQ(editor.frame.selStart, -1);
}

// A line that fills the frame keeps what fits and says the frame is full, even when only its
// last point is missing.
TEST_F(ToolFixture, ALineWhoseLastPointFindsNoRoomSaysSo) {
    const auto drawn = [&](int room) {
        f0().pointCount = MaxPoints - room;
        LineStart from{0, 0, false};
        const bool fit = lineTo(editor.frame, from, 12, 0, 1, 5, editor.ink());
        return std::pair(fit, MaxPoints - f0().pointCount);
    };
    EXPECT_EQ(drawn(10), std::pair(true, 6));  // three points on the way and the end: four added
    EXPECT_EQ(drawn(3), std::pair(false, 0));  // the three on the way fit, the end does not
}

// Moving shows each selected point where it would go, joined in order; a selection running past
// the last point ends there.
TEST_F(ToolFixture, TheMovePreviewShowsTheSelectedPointsWhereTheyWouldGo) {
    setPoints({{100, 100}, {200, 100}, {300, 150}});
    select(1, 5);
    RecordingSurface s;
    previewMove(s, editor.frame, 10, -5, editor.palette, 2);
    const Rgb c = colorOf(f0().points[1], editor.palette);
    EXPECT_EQ(s.ops, (std::vector<DrawOp>{{DrawOp::Circle, 210, 407, 2, 0, c}, {DrawOp::Circle, 310, 357, 2, 0, c},
                                          {DrawOp::Line, 210, 407, 210, 407, c}, {DrawOp::Line, 210, 407, 310, 357, c}}));
}

// Inserting shows the two lines the new point makes, from the point before it and to the one
// after, each in that point's colour (grey where it is blanked), and the new point itself;
// nothing after the last point.
TEST_F(ToolFixture, TheInsertPreviewJoinsThePointsAroundTheNewOne) {
    setPoints({{100, 100}, {200, 100, 64}, {300, 100}});
    RecordingSurface s;
    const Ink ink = editor.ink();
    previewInsert(s, editor.frame, 0, 150, 140, ink);
    EXPECT_EQ(s.ops, (std::vector<DrawOp>{{DrawOp::Line, 100, 412, 150, 372, ink.rgb},
                                          {DrawOp::Line, 150, 372, 200, 412, BlankedGray},
                                          {DrawOp::Circle, 150, 372, 4, 0, ink.rgb}}));
    previewInsert(s, editor.frame, 2, 350, 140, ink);  // after the last point: no segment
    EXPECT_EQ(s.ops.size(), 3u);
}
