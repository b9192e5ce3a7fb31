#include "TestSupport.h"
#include "shell/Editor.h"
#include "tools/PointEdits.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct Pt {
    int x, y;
    uint8_t status = 0;
    bool operator==(const Pt&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Pt& p) { return os << '(' << p.x << ',' << p.y << ',' << int(p.status) << ')'; }

// An editor with frame 1 chosen for editing; gestures are given in canvas pixels, y upward.
struct ToolFixture : ::testing::Test {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};

    ToolFixture() { editor.chooseThumbnail(0, true); }

    void use(int tool) { editor.chooseTool(tool); }
    void press(float x, float y, int button = 1) { editor.canvasPress(button, x, 511 - y); }
    void move(float x, float y, int buttons = 1) { editor.canvasMove(buttons, x, 511 - y); }
    void release(float x, float y, int button = 1) { editor.canvasRelease(button, x, 511 - y); }
    void drag(int tool, float x0, float y0, float x1, float y1, int button = 1) {
        use(tool);
        press(x0, y0, button);
        move(x1, y1, button);
        release(x1, y1, button);
    }
    Frame0& f0() { return *editor.frame.frame0; }
    std::vector<Pt> points() {
        std::vector<Pt> out;
        for (int i = 0; i < f0().pointCount; ++i) {
            const Pixel p = pixelOf(f0().points[i]);
            out.push_back({p.x, p.y, f0().points[i].status});
        }
        return out;
    }
    void setPoints(const std::vector<Pt>& pts) {
        f0().pointCount = int(pts.size());
        for (size_t i = 0; i < pts.size(); ++i) {
            setPixel(f0().points[i], pts[i].x, pts[i].y);
            f0().points[i].status = pts[i].status;
            f0().points[i].colorIndex = 1;
        }
    }
};
}  // namespace

TEST_F(ToolFixture, LinesPlaceEvenlySpacedPointsAndDoubleTheEnd) {
    struct Case {
        const char* what;
        std::vector<Pt> before;
        Pt pressAt, releaseAt;
        int button;
        std::vector<Pt> added;
    };
    const Case cases[] = {
        {"vertical on an empty frame", {}, {100, 100}, {100, 120}, 1,
         {{100, 100, 0}, {100, 105, 0}, {100, 110, 0}, {100, 115, 0}, {100, 120, 0}, {100, 120, 0}}},
        {"released on its start", {}, {50, 60}, {50, 60}, 1, {{50, 60, 0}, {50, 60, 0}}},
        {"45 degrees takes the steep branch", {}, {0, 0}, {10, 10}, 1, {{0, 0, 0}, {5, 5, 0}, {10, 10, 0}, {10, 10, 0}}},
        {"flat, from the frame's last point", {{20, 30, 0}}, {300, 300}, {33, 31}, 1,
         {{20, 30, 0}, {25, 30, 0}, {30, 31, 0}, {33, 31, 0}}},
        {"right button: blanked travel, blank spacing", {{0, 0, 0}}, {0, 0}, {25, 0}, 2,
         {{0, 0, 64}, {10, 0, 64}, {20, 0, 64}, {25, 0, 64}}},
        {"leftwards and downwards", {}, {40, 40}, {29, 38}, 1, {{40, 40, 0}, {35, 39, 0}, {30, 38, 0}, {29, 38, 0}}},
    };
    for (const auto& c : cases) {
        setPoints(c.before);
        drag(LineTool, c.pressAt.x, c.pressAt.y, c.releaseAt.x, c.releaseAt.y, c.button);
        std::vector<Pt> expected = c.before;
        expected.insert(expected.end(), c.added.begin(), c.added.end());
        EXPECT_EQ(points(), expected) << c.what;
    }
}

TEST_F(ToolFixture, ALineContinuesFromTheWholePixelOfTheLastPoint) {
    f0().pointCount = 1;
    const StoredBytes x = fromCanvas(12850), y = fromCanvas(12800);
    f0().points[0] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, 1};
    drag(LineTool, 200, 200, 100, 110);
    ASSERT_EQ(f0().pointCount, 5);
    EXPECT_EQ(toCanvas(f0().points[1].xHi, f0().points[1].xLo), 12800);
    // Loop positions keep the unrounded start: 100.390625 + k * (-0.390625 / 2).
    EXPECT_EQ(points()[2], (Pt{100, 105, 0}));
}

TEST_F(ToolFixture, EllipsesHaveTheirPointCountsAndJoinThePathBlanked) {
    struct Case { int rx, ry; int loopPoints; };
    const Case cases[] = {{0, 0, 13}, {30, 30, 38}, {60, 30, 51}};
    for (const auto& c : cases) {
        setPoints({});
        drag(CircleTool, 200, 200, 200 + c.rx, 200 - c.ry);
        EXPECT_EQ(f0().pointCount, c.loopPoints + 1) << c.rx << 'x' << c.ry;
        const auto pts = points();
        EXPECT_EQ(pts.front(), (Pt{200, 200 + c.ry, 0}));  // angle 0 is the top
        EXPECT_EQ(pts.back(), pts.front());                // closed
    }
    // On a frame with points, a blanked travel line leads to the ellipse's first point.
    setPoints({{100, 200, 0}});
    drag(CircleTool, 200, 200, 200, 200);
    const auto pts = points();
    ASSERT_EQ(pts.size(), 1u + 12 + 14);  // travel 100..200 in steps of 10, doubled end; 13 + 1
    EXPECT_EQ(pts[1], (Pt{100, 200, 64}));
    EXPECT_EQ(pts[12], (Pt{200, 200, 64}));
    EXPECT_EQ(pts[13], (Pt{200, 200, 0}));
}

TEST_F(ToolFixture, EllipsePointsOffTheCanvasArePinnedAndBlanked) {
    drag(CircleTool, 10, 200, 40, 200);  // rx 30 reaches x = -20
    const auto pts = points();
    int pinned = 0;
    for (const Pt& p : pts) {
        if (p.x == 0) {
            ++pinned;
            EXPECT_EQ(p.status, 64);
        }
    }
    EXPECT_GT(pinned, 3);
    EXPECT_EQ(pts.back().status, pts[pts.size() - 2].status);  // closing point takes the last status
}

TEST_F(ToolFixture, RectanglesStartWithBlankedTravelAndCarryTheirCorners) {
    drag(RectangleTool, 100, 100, 110, 105);
    const auto pts = points();
    const std::vector<Pt> expected = {
        {100, 100, 64}, {100, 100, 64},                                  // travel on an empty frame
        {100, 100, 0}, {105, 100, 0}, {110, 100, 0}, {110, 100, 0},      // first edge
        {110, 100, 0}, {110, 105, 0}, {110, 105, 0},                     // second
        {110, 105, 0}, {105, 105, 0}, {100, 105, 0}, {100, 105, 0},      // third
        {100, 105, 0}, {100, 100, 0}, {100, 100, 0},                     // back to the first corner
    };
    EXPECT_EQ(pts, expected);

    setPoints({});
    drag(RectangleTool, 50, 50, 50, 50);
    for (const Pt& p : points()) EXPECT_TRUE(p.x == 50 && p.y == 50);

    // A right press during a left drag cancels: the release adds nothing.
    setPoints({});
    use(RectangleTool);
    press(10, 10);
    press(20, 20, 2);
    release(30, 30);
    EXPECT_EQ(f0().pointCount, 0);
}

TEST_F(ToolFixture, PointsAndPenStrokesFollowTheButtonAndTheSpacing) {
    use(PointTool);
    press(5, 6);
    release(5, 6);
    press(7, 8, 2);
    release(7, 8, 2);
    EXPECT_EQ(points(), (std::vector<Pt>{{5, 6, 0}, {7, 8, 64}}));
    EXPECT_EQ(f0().points[0].colorIndex, 1);

    setPoints({});
    editor.tools.gesture.penMode = true;
    const int undoBefore = editor.history.undocounter();
    press(100, 100);
    move(105, 105);  // exactly PointSpace away: no point
    move(106, 100);  // one pixel more: a point
    move(108, 100);
    move(112, 106, 3);  // left and right held: blanked
    release(112, 106);
    EXPECT_EQ(points(), (std::vector<Pt>{{100, 100, 0}, {106, 100, 0}, {112, 106, 64}}));
    EXPECT_FALSE(editor.tools.gesture.penDown);
    EXPECT_EQ(editor.history.undocounter(), undoBefore + 1);  // one undo step for the stroke
    editor.undo();
    EXPECT_EQ(f0().pointCount, 0);
}

// Every tool's edit takes one undo snapshot, sets the flags of its kind and redraws the frame.
TEST_F(ToolFixture, EveryEditTakesOneUndoStepSetsItsFlagsAndRedraws) {
    struct Case { const char* what; std::function<void()> gesture; bool fileChanged; };
    const Case cases[] = {
        {"point", [&] { use(PointTool); press(10, 10); release(10, 10); }, true},
        {"pen stroke", [&] { editor.tools.gesture.penMode = true; drag(PointTool, 10, 10, 30, 30); }, true},
        {"line", [&] { drag(LineTool, 0, 0, 20, 20); }, true},
        {"circle", [&] { drag(CircleTool, 300, 300, 310, 310); }, true},
        {"recolor", [&] { drag(RecolorTool, 100, 100, 120, 100); }, true},
        {"rectangle", [&] { drag(RectangleTool, 300, 300, 310, 310); }, false},
        {"insert", [&] { drag(InsertTool, 110, 101, 110, 90); }, false},
        {"move", [&] { drag(MoveTool, 120, 100, 125, 100); }, false},
        {"delete", [&] { drag(DeleteTool, 140, 100, 140, 100); }, false},
    };
    for (const auto& c : cases) {
        setPoints({{100, 100, 0}, {120, 100, 0}, {140, 100, 0}});
        editor.tools.gesture.penMode = false;
        editor.seq.fileChanged = editor.seq.framechanged = false;
        editor.resetUndo();
        editor.win.pointsLabel.clear();
        c.gesture();
        EXPECT_TRUE(editor.seq.framechanged) << c.what;
        EXPECT_EQ(editor.seq.fileChanged, c.fileChanged) << c.what;
        EXPECT_EQ(editor.history.undocounter(), 1) << c.what;
        EXPECT_EQ(editor.win.pointsLabel, QString::number(f0().pointCount)) << c.what;
        editor.undo();
        EXPECT_EQ(f0().pointCount, 3) << c.what;
    }
}

TEST_F(ToolFixture, ReleaseCasesRunInTheirOrder) {
    // A point press without pen mode leaves the pen down; with pen mode checked later, the next
    // release of any tool ends the stroke before anything else is looked at.
    use(PointTool);
    press(10, 10);
    release(10, 10);
    editor.tools.gesture.penMode = true;
    use(LineTool);
    press(20, 20);
    release(40, 40);
    EXPECT_EQ(f0().pointCount, 1);
    EXPECT_TRUE(editor.tools.gesture.drawingLine);
    release(40, 40);  // now the line's own case
    EXPECT_GT(f0().pointCount, 1);

    // Presses before a frame is chosen, or with no tool, do nothing.
    editor.chooseTool(NoTool);
    press(30, 30);
    release(30, 30);
    editor.seq.editEnabled = false;
    use(PointTool);
    const int n = f0().pointCount;
    press(30, 30);
    EXPECT_EQ(f0().pointCount, n);
}

TEST_F(ToolFixture, PressPositionsAreRoundedAndReleasesClamped) {
    use(CircleTool);
    editor.canvasPress(1, 0.0f, 0.0f);
    EXPECT_EQ(editor.tools.gesture.centerx, 0);
    EXPECT_EQ(editor.tools.gesture.centery, 511);
    editor.canvasPress(1, 2.5f, 3.5f);  // halves to even
    EXPECT_EQ(editor.tools.gesture.centerx, 2);
    EXPECT_EQ(editor.tools.gesture.centery, 511 - 4);
    editor.canvasMove(0, 900.0f, 900.0f);
    EXPECT_EQ(editor.win.xLabel, "32640");
    EXPECT_EQ(editor.win.yLabel, "-32768");
    editor.canvasMove(0, -5.0f, -5.0f);
    EXPECT_EQ(editor.win.xLabel, "-32768");
    EXPECT_EQ(editor.win.yLabel, "32640");
    editor.canvasRelease(1, 900.0f, 900.0f);  // as if at (511, 0): rx 509, ry 4
    const auto pts = points();
    ASSERT_FALSE(pts.empty());
    EXPECT_EQ(pts.front(), (Pt{2, 511, 64}));  // top of the ellipse, pinned at the top edge
}

TEST_F(ToolFixture, NearestPointNeedsLessThanTenPixelsAndKeepsTheEarlierOnTies) {
    setPoints({{100, 100, 0}, {100, 100, 0}, {200, 200, 0}, {204, 200, 0}, {195, 200, 0}});
    struct Case { float x, y; int found; };
    const Case cases[] = {
        {110, 100, -1},          // exactly 10 pixels
        {109.9f, 100, 0},        // just inside; the lower index wins the tie with point 1
        {200, 200, 2},
        {202.1f, 200, 3},        // 4.41 from point 2 is kept as 4; 3.61 from point 3 is below it
        {199.9f, 200.f, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(findNearestPoint(editor.frame, c.x, c.y), c.found) << c.x;
    // Point 1 is nearer (4.16 against 4.36), but not below the 4 that point 0's distance was
    // rounded to, so point 0 stays.
    setPoints({{0, 0, 0}, {1, 4, 0}});
    EXPECT_EQ(findNearestPoint(editor.frame, 0.6f, 2), 0);
    EXPECT_EQ(findNearestPoint(editor.frame, 0.9f, 2.5f), 1);
}

TEST_F(ToolFixture, SelectingRangesAndObjects) {
    std::vector<Pt> seven;
    const uint8_t statuses[] = {64, 0, 0, 0, 64, 0, 0};
    for (int i = 0; i < 7; ++i) seven.push_back({50 + 30 * i, 100, statuses[i]});
    setPoints(seven);
    use(SelectTool);
    struct Click { int point; bool objects; int start, end; };
    const Click clicks[] = {
        {6, false, 6, 6}, {2, false, 2, 6}, {4, false, 4, 4}, {3, false, 3, 4},
        {2, true, 0, 3},  {6, true, 4, 6},  {4, true, 4, 6},  // a blanked point changes nothing
    };
    for (const auto& c : clicks) {
        editor.settings.objectSelectMode = c.objects;
        press(50 + 30 * c.point, 100);
        release(50 + 30 * c.point, 100);
        EXPECT_EQ(editor.frame.selStart, c.start) << c.point;
        EXPECT_EQ(editor.frame.selEnd, c.end) << c.point;
    }
    // A right click clears the selection and leaves no tool chosen.
    press(10, 10, 2);
    EXPECT_EQ(editor.frame.selStart, -1);
    EXPECT_EQ(int(editor.tools.current()), int(NoTool));

    // A frame that starts with visible points: the object starts at point 0.
    setPoints({{10, 10, 0}, {40, 10, 0}, {70, 10, 64}});
    use(SelectTool);
    editor.settings.objectSelectMode = true;
    press(10, 10);
    EXPECT_EQ(editor.frame.selStart, 0);
    EXPECT_EQ(editor.frame.selEnd, 1);

    editor.selectAllPoints();
    EXPECT_EQ(editor.frame.selEnd, 2);
    setPoints({});
    editor.selectAllPoints();
    EXPECT_EQ(editor.frame.selStart, -1);
}

TEST_F(ToolFixture, MovingPointsRewritesWholePixelsAndPinsAtTheEdges) {
    std::vector<Pt> row;
    for (int i = 0; i < 13; ++i) row.push_back({100 + 20 * i, 100, 0});
    setPoints(row);
    editor.frame.selStart = 3, editor.frame.selEnd = 7;
    drag(MoveTool, 340, 100, 350, 100);  // a press on point 12 grabs the whole selection
    for (int i = 0; i < 13; ++i) EXPECT_EQ(points()[i].x, 100 + 20 * i + (i >= 3 && i <= 7 ? 10 : 0)) << i;
    EXPECT_EQ(editor.frame.selStart, 3);
    EXPECT_EQ(editor.frame.selEnd, 7);

    editor.frame.clearSelection();
    drag(MoveTool, 100, 100, 50, 90);  // nothing selected: point 0 alone
    EXPECT_EQ(points()[0], (Pt{50, 90, 0}));
    EXPECT_EQ(points()[1].x, 120);
    EXPECT_EQ(editor.frame.selStart, -1);

    // Pressed and released in place, a point is rewritten at its whole pixel.
    const StoredBytes x = fromCanvas(12850), y = fromCanvas(128 * 300);
    f0().points[0] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, 1};
    drag(MoveTool, 100, 300, 100, 300);
    EXPECT_EQ(toCanvas(f0().points[0].xHi, f0().points[0].xLo), 12800);

    // Points pushed past an edge are pinned to it and blanked; the others keep their status.
    setPoints({{10, 200, 0}, {30, 200, 0}});
    editor.frame.selStart = 0, editor.frame.selEnd = 1;
    drag(MoveTool, 30, 200, 0, 200);
    EXPECT_EQ(points(), (std::vector<Pt>{{0, 200, 64}, {0, 200, 0}}));
}

TEST_F(ToolFixture, InsertRecolorAndDeleteWorkOnPointsAndSelections) {
    setPoints({{100, 100, 0}, {200, 100, 0}, {300, 100, 0}});
    editor.currentColor = 9;
    drag(InsertTool, 150, 110, 150, 140);
    drag(InsertTool, 150, 110, 160, 20, 2);
    EXPECT_EQ(points(), (std::vector<Pt>{{100, 100, 0}, {160, 20, 64}, {150, 140, 0}, {200, 100, 0}, {300, 100, 0}}));
    EXPECT_EQ(f0().points[2].colorIndex, 9);

    std::vector<Pt> ten;
    for (int i = 0; i < 10; ++i) ten.push_back({20 + 40 * i, 300, 0});
    setPoints(ten);
    editor.frame.selStart = 2, editor.frame.selEnd = 4;
    editor.currentColor = 5;
    drag(RecolorTool, 20 + 40 * 3, 300, 20 + 40 * 3, 300);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(f0().points[i].colorIndex, i >= 2 && i <= 4 ? 5 : 1) << i;
    drag(RecolorTool, 20 + 40 * 6, 300, 20 + 40 * 7, 300);  // outside: clears, paints what it passes
    EXPECT_EQ(editor.frame.selStart, -1);
    EXPECT_EQ(f0().points[6].colorIndex, 5);
    EXPECT_EQ(f0().points[7].colorIndex, 5);

    editor.frame.selStart = 2, editor.frame.selEnd = 4;
    drag(DeleteTool, 20 + 40 * 3, 300, 20 + 40 * 3, 300);
    EXPECT_EQ(f0().pointCount, 7);
    EXPECT_EQ(points()[2].x, 20 + 40 * 5);
    editor.frame.selStart = 0, editor.frame.selEnd = 1;
    drag(DeleteTool, 20 + 40 * 8, 300, 20 + 40 * 8, 300);  // outside the selection: that point alone
    EXPECT_EQ(f0().pointCount, 6);
    EXPECT_EQ(editor.frame.selStart, -1);

    setPoints({{5, 5, 0}});
    drag(DeleteTool, 5, 5, 5, 5);
    EXPECT_EQ(f0().pointCount, 0);
}

TEST_F(ToolFixture, AFullFrameTakesNoMorePoints) {
    std::vector<Pt> full(MaxPoints - 3, Pt{10, 10, 0});
    setPoints(full);
    drag(LineTool, 10, 10, 10, 100);  // wants 20 points, room for 3
    EXPECT_EQ(f0().pointCount, MaxPoints);
    EXPECT_EQ(editor.win.statusNote, "The frame is full (20000 points).");
    drag(InsertTool, 10, 10, 50, 50);
    drag(CircleTool, 100, 100, 120, 120);
    use(PointTool);
    press(200, 200);
    EXPECT_EQ(f0().pointCount, MaxPoints);
}

TEST_F(ToolFixture, TrueColorFramesTakePointsButNoLines) {
    editor.frame.format = 5;
    editor.frame.frame5->pointCount = 0;
    use(PointTool);
    press(10, 20);
    release(10, 20);
    drag(LineTool, 10, 20, 100, 20);
    ASSERT_EQ(editor.frame.frame5->pointCount, 1);
    const PointTrue2D& p = editor.frame.frame5->points[0];
    EXPECT_EQ(p.red + p.green + p.blue, 0);
}

// Undo, a second button or a Back button while a tool's gesture is held: the gesture ends as if
// nothing had come between, and no tool reaches past the frame's points.
TEST_F(ToolFixture, GesturesInterruptedByUndoOrOtherButtonsStayInsideTheFrame) {
    enum Interruption { Undo, RightButton, BackButton };
    const int tools[] = {PointTool, LineTool, CircleTool, SelectTool, MoveTool,
                         InsertTool, RecolorTool, DeleteTool, RectangleTool};
    for (int tool : tools) {
        for (Interruption how : {Undo, RightButton, BackButton}) {
            SCOPED_TRACE(testing::Message() << "tool " << tool << ", interruption " << how);
            setPoints({{100, 100, 0}, {200, 100, 0}});
            drag(LineTool, 0, 0, 200, 160);  // something to undo, and a segment near the press
            use(tool);
            press(150, 102);
            const std::vector<Pt> held = points();
            switch (how) {
            case Undo:
                editor.undo();
                EXPECT_EQ(points(), held);
                break;
            case RightButton:
                press(150, 130, 2);
                move(160, 140, 3);
                release(160, 140, 2);
                break;
            case BackButton:
                editor.canvasPress(8, 20, 20);
                editor.canvasRelease(8, 20, 20);
                editor.canvasPress(0, 20, 20);
                EXPECT_EQ(points(), held);
                break;
            }
            move(150, 110);
            release(150, 110);
            EXPECT_LE(f0().pointCount, 12 + 30);
            EXPECT_LT(editor.frame.selEnd, f0().pointCount);
            editor.undo();  // free again once the buttons are up
            EXPECT_NE(editor.history.undocounter(), 10);
        }
    }
}

// Shapes that continue from a point on the right or top edge continue there, not on the
// opposite edge: ILDA 32767 lies on pixel 512, which no point can be stored at.
TEST_F(ToolFixture, ShapesContinuingFromAnEdgePointStartOnThatEdge) {
    struct Case {
        const char* what;
        Point3D last;
        int tool;
        Pt pressAt, releaseAt;
        bool rightEdge;  // else the top edge
    };
    const Case cases[] = {
        {"line along the right edge", point3D(32767, 0), LineTool, {511, 0}, {511, 100}, true},
        {"line along the top edge", point3D(0, 32767), LineTool, {0, 511}, {100, 511}, false},
        {"circle travel from the right edge", point3D(32767, 32767), CircleTool, {400, 400}, {430, 430}, true},
        {"rectangle travel from the top edge", point3D(32767, 32767), RectangleTool, {400, 400}, {450, 450}, false},
    };
    for (const auto& c : cases) {
        f0().pointCount = 1;
        f0().points[0] = c.last;
        drag(c.tool, c.pressAt.x, c.pressAt.y, c.releaseAt.x, c.releaseAt.y);
        ASSERT_GT(f0().pointCount, 1) << c.what;
        for (const Pt& p : points()) EXPECT_GE(c.rightEdge ? p.x : p.y, 300) << c.what << " " << p;
    }
}

TEST_F(ToolFixture, AnInsertedPointKeepsTheBytesTheToolDoesNotWrite) {
    setPoints({{10, 10, 0}, {50, 10, 0}});
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
    EXPECT_EQ(t.points[1].red, 200);
    EXPECT_EQ(t.points[1].green, 100);
    EXPECT_EQ(t.points[1].blue, 50);
}

// The backdrop is the picture that was restored, not whatever the snapshot later becomes.
TEST_F(ToolFixture, DragFeedbackDoesNotLingerUnderThePointTool) {
    setPoints({{100, 100, 0}});
    use(SelectTool);
    move(100, 100, 0);  // the hover ring around the point
    const auto ringPixel = [&] { return editor.canvas.image().pixel(104, screenRow(100)) & 0xFFFFFF; };
    ASSERT_EQ(ringPixel(), 0x00FFFFu);
    use(PointTool);
    press(300, 300);
    release(300, 300);
    EXPECT_NE(ringPixel(), 0x00FFFFu);
}
