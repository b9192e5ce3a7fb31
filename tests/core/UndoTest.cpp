#include "TestSupport.h"
#include "model/Undo.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
// Each "edit" appends one point, so the point count names the state.
void edit(WorkingFrame& wf, UndoHistory& h) {
    h.makeUndo(wf);
    Frame0& f = *wf.frame0;
    f.points[f.pointCount] = point3D(f.pointCount, 0);
    ++f.pointCount;
}
}  // namespace

TEST(Undo, StepsBackThroughEditsInReverseOrder) {
    struct Case { int edits; std::vector<int> countsAfterEachUndo; };
    const Case cases[] = {
        // loaded (snapshot of 0 points), then 3 edits: four undos, the last changes nothing
        {3, {2, 1, 0, 0}},
        // 12 edits after the load snapshot: only the last ten come back
        {12, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}},
    };
    for (const auto& c : cases) {
        WorkingFrame wf;
        UndoHistory h;
        h.makeUndo(wf);  // as after choosing a frame
        for (int i = 0; i < c.edits; ++i) edit(wf, h);
        for (int expected : c.countsAfterEachUndo) {
            ASSERT_TRUE(h.undo(wf));
            EXPECT_EQ(wf.frame0->pointCount, expected);
        }
        EXPECT_EQ(h.undocounter(), 0);
        EXPECT_FALSE(h.undo(wf));
    }
}

TEST(Undo, ResetForgetsHistoryAndUndoClearsTheSelection) {
    WorkingFrame wf;
    UndoHistory h;
    edit(wf, h);
    edit(wf, h);
    h.resetUndo();
    EXPECT_FALSE(h.undo(wf));
    h.makeUndo(wf);
    wf.selStart = 0, wf.selEnd = 1;
    ASSERT_TRUE(h.undo(wf));
    EXPECT_EQ(wf.selStart, -1);
    EXPECT_EQ(wf.selEnd, -1);
    EXPECT_EQ(wf.frame0->pointCount, 2);
}

TEST(Undo, RestoresTheFormatTheStateWasTakenIn) {
    WorkingFrame wf;
    UndoHistory h;
    wf.format = 5;
    wf.frame5->pointCount = 1;
    wf.frame5->points[0] = pointTrue(3, 4, 0, 1, 2, 3);
    h.makeUndo(wf);
    wf.frame5->points[0].red = 99;
    h.makeUndo(wf);
    wf.format = 1;  // as a pasted frame of another format would leave it
    wf.frame1->pointCount = 4;
    ASSERT_TRUE(h.undo(wf));
    EXPECT_EQ(wf.format, 5);
    EXPECT_EQ(wf.frame5->points[0].red, 99);
    ASSERT_TRUE(h.undo(wf));
    EXPECT_EQ(wf.frame5->points[0].red, 1);
    EXPECT_EQ(wf.frame1->pointCount, 4);  // the other record is untouched
}
