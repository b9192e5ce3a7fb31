// SPDX-License-Identifier: GPL-3.0-or-later
// The model: stored coordinates and slot positions, the frame buffer file, undo.
#include "TestSupport.h"
#include "model/Coordinates.h"
#include "model/FrameBuffer.h"
#include "model/Undo.h"
#include "model/UnsavedMarker.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

// ILDA -1 and 0 share the centre; every other stored value keeps its own canvas place, so the
// way back (checked for all of them) gives each its bytes again.
TEST(Coordinates, StoredBytesAndCanvasPlacesMatchOneToOne) {
    struct Case { uint8_t hi, lo; int32_t canvas; };
    const Case cases[] = {{0x00, 0x00, 32767}, {0xFF, 0xFF, 32767}, {0x80, 0x00, 0},
                          {0x7F, 0xFF, 65534}, {0x00, 0x01, 32768}, {0xFF, 0xFE, 32766}};
    for (const auto& c : cases) EXPECT_EQ(toCanvas(c.hi, c.lo), c.canvas) << int(c.hi) << ' ' << int(c.lo);
    for (int u = 0; u < 65536; ++u) {
        const auto back = fromCanvas(toCanvas(u >> 8, u & 0xFF));
        ASSERT_EQ(back.hi * 256 + back.lo, u == 0xFFFF ? 0 : u) << u;
    }
    EXPECT_EQ(fromCanvas(65535), (StoredBytes{0x80, 0x00}));
}

TEST(FramePositions, SlotsAreFixedSizeAndOnlyTenThousandExist) {
    struct Case { int frame; int64_t pos; };
    const Case cases[] = {{1, 1}, {2, 200033}, {10000, 2000119969}, {0, 0}, {10001, 0}, {65535, 0}};
    for (const auto& c : cases) EXPECT_EQ(framePos(c.frame), c.pos) << c.frame;
}

namespace {
struct BufferFixture : ::testing::Test {
    ProgramFolder folder;
    FrameBufferFile buffer{folder.bufferPath()};
    WorkingFrame wf;
};
uint8_t byteAt(const QByteArray& b, int64_t offset) { return static_cast<uint8_t>(b.at(offset)); }
}  // namespace

// The last-point bit goes on the last point only; other bits pass through, records past the
// count keep theirs, and the slot always holds the header and all 20000 records.
TEST_F(BufferFixture, WriteBackKeepsTheLastPointBitOnTheLastPointOnly) {
    wf.frame0->pointCount = 3;
    const uint8_t before[] = {64 | 128, 64, 64 | 1, 128};
    for (int i = 0; i < 4; ++i) wf.frame0->points[i] = point3D(i, 0, before[i]);
    ASSERT_TRUE(buffer.saveRamToBuffer(2, wf));
    const QByteArray bytes = readFile(folder.bufferPath());
    const int64_t slot = framePos(2) - 1;
    EXPECT_EQ(byteAt(bytes, slot + 24) * 256 + byteAt(bytes, slot + 25), 3);
    std::vector<int> after;
    for (int i = 0; i < 4; ++i) after.push_back(byteAt(bytes, slot + 32 + 8 * i + 6));
    EXPECT_EQ(after, (std::vector<int>{64, 64, 64 | 1 | 128, 128}));
    EXPECT_EQ(bytes.size(), slot + 32 + 8 * MaxPoints);
    EXPECT_TRUE(buffer.copyFrameToRam(2, wf));
    EXPECT_TRUE(buffer.remove() && !QFile::exists(folder.bufferPath()));
}

TEST_F(BufferFixture, SlotsOfOtherFormatsAndFramesWithoutSlotsAreLeftAlone) {
    FrameHeader h{};
    h.formatCode = 4;
    h.setPointCount(3);
    ASSERT_TRUE(buffer.writeHeader(1, h));
    wf.format = 1;
    wf.frame1->pointCount = 7;
    EXPECT_FALSE(buffer.copyFrameToRam(1, wf));
    EXPECT_EQ(std::pair(int(wf.format), wf.frame1->pointCount), std::pair(1, 7));
    EXPECT_FALSE(buffer.saveRamToBuffer(0, wf));
    EXPECT_FALSE(buffer.saveRamToBuffer(MaxFrames + 1, wf));
    EXPECT_FALSE(buffer.copyFrameToRam(2, wf));  // past the end of the file
    EXPECT_FALSE(SlotFile(folder.bufferPath(), SlotAccess::Read).reserve(1, 32));  // opened to read, it takes no room
    wf.format = 4;
    EXPECT_FALSE(buffer.saveRamToBuffer(1, wf));  // no record of that format to write
}

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

// What a crash left behind is read back only when it is a marker of ours with a count the
// sequence could have had; the name of the file the frames came from comes with it.
TEST(UnsavedMarkerFile, OnlyACountOfOneToTenThousandFramesIsOffered) {
    ProgramFolder folder;
    const QString path = folder.file("marker");
    struct Case { QByteArray text; int frames; QString name; };
    const Case cases[] = {
        {"unsaved frames 1\n", 1, ""}, {"unsaved frames 10000", 10000, ""}, {"unsaved frames 10001\n", 0, ""}, {"unsaved frames 0\n", 0, ""},
        {"unsaved frames -3\n", 0, ""}, {"unsaved frames many\n", 0, ""}, {"saved frames 12\n", 0, ""},
        {"unsaved frames 11\nshow.ild\n", 11, "show.ild"}, {"unsaved frames 2\n\xc3\xa9t\xc3\xa9.ild\n", 2, QString::fromUtf8("\xc3\xa9t\xc3\xa9.ild")},
        {QByteArray("unsaved frames 5\n") + QByteArray(1007, 'a'), 5, QString(1007, 'a')}, {QByteArray("unsaved frames 5\n") + QByteArray(1008, 'a'), 0, ""},  // 1 KB at most
    };
    for (const Case& c : cases) {
        writeFile(path, c.text);
        const UnsavedMarker::LeftBehind left = UnsavedMarker(path).leftBehind();
        EXPECT_EQ(std::pair(left.frames, left.fileName), std::pair(c.frames, left.frames ? c.name : QString())) << c.text.toStdString();
    }
    UnsavedMarker marker(path);
    marker.track(3, "a.ild");
    marker.track(3, "b.ild");  // a new name with the same count is written too
    EXPECT_EQ(UnsavedMarker(path).leftBehind().fileName, "b.ild");
    for (const int length : {512, 513}) {  // a name longer than half the marker is left out
        marker.track(3, QString(length, 'n'));
        EXPECT_EQ(UnsavedMarker(path).leftBehind().fileName.size(), length == 512 ? 512 : 0) << length;
    }
    marker.track(3, "b.ild");
    QFile::remove(path);
    marker.track(3, "b.ild");  // nothing new: nothing written
    EXPECT_FALSE(QFile::exists(path));
    // A link is never read as a marker, even to a file that would be one.
    writeFile(folder.file("elsewhere"), "unsaved frames 4\n");
    ASSERT_TRUE(QFile::link(folder.file("elsewhere"), path));
    EXPECT_EQ(UnsavedMarker(path).leftBehind().frames, 0);
    QFile::remove(path);
    marker.track(0, "b.ild");
    EXPECT_FALSE(QFile::exists(path));
}
