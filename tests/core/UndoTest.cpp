#include "TestSupport.h"
#include "model/Undo.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
// Each "edit" appends one point, so the point count names the state.
void edit(WorkingFrame& wf, UndoHistory& h) {
    h.makeUndo(wf);
    wf.frame0->points[wf.frame0->pointCount] = point3D(wf.frame0->pointCount, 0);
    ++wf.frame0->pointCount;
}
}  // namespace

TEST(Undo, StepsBackThroughTheLastTenEditsAndClearsTheSelection) {
    struct Case { int edits; std::vector<int> countsAfterEachUndo; };
    // After the load snapshot: three edits take four undos; of twelve only the last ten return.
    for (const auto& c : {Case{3, {2, 1, 0, 0}}, Case{12, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}}}) {
        WorkingFrame wf;
        UndoHistory h;
        h.makeUndo(wf);
        for (int i = 0; i < c.edits; ++i) edit(wf, h);
        for (int expected : c.countsAfterEachUndo) {
            wf.selStart = wf.selEnd = 0;
            ASSERT_TRUE(h.undo(wf));
            EXPECT_EQ(std::tuple(wf.frame0->pointCount, wf.selStart, wf.selEnd), std::tuple(expected, -1, -1));
        }
        EXPECT_EQ(h.undocounter(), 0);
        EXPECT_FALSE(h.undo(wf));
        edit(wf, h);
        h.resetUndo();
        EXPECT_FALSE(h.undo(wf));
    }
}
