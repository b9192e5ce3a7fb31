#include "TestSupport.h"
#include "model/FrameBuffer.h"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

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
}

TEST_F(BufferFixture, WriteBackStoresTheFormatOfTheLiveRecordAndReadsItBack) {
    wf.format = 1;
    wf.frame1->header.formatCode = 0;  // says otherwise: the record kind wins
    wf.frame1->pointCount = 2;
    wf.frame1->points[0] = point2D(-32768, 32767, 0, 7);
    wf.frame1->points[1] = point2D(5, 6, 64, 8);
    ASSERT_TRUE(buffer.saveRamToBuffer(1, wf));
    wf.format = 5;
    wf.frame5->pointCount = 1;
    wf.frame5->points[0] = pointTrue(1, 2, 0, 10, 20, 30);
    ASSERT_TRUE(buffer.saveRamToBuffer(3, wf));

    const QByteArray bytes = readFile(folder.bufferPath());
    const int64_t slot3 = framePos(3) - 1;
    EXPECT_EQ(std::pair(byteAt(bytes, 7), byteAt(bytes, slot3 + 7)), std::pair(uint8_t(1), uint8_t(5)));
    EXPECT_EQ(bytes.mid(32, 12), QByteArray("\x80\x00\x7F\xFF\x00\x07\x00\x05\x00\x06\xC0\x08", 12));
    EXPECT_EQ(bytes.mid(slot3 + 32, 8), QByteArray("\x00\x01\x00\x02\x80\x1E\x14\x0A", 8));  // blue, green, red

    WorkingFrame loaded;
    ASSERT_TRUE(buffer.copyFrameToRam(1, loaded));
    EXPECT_EQ(std::tuple(int(loaded.format), loaded.frame1->pointCount, loaded.frame1->points[1].colorIndex),
              std::tuple(1, 2, uint8_t(8)));
    ASSERT_TRUE(buffer.copyFrameToRam(3, loaded));
    EXPECT_EQ(std::pair(int(loaded.format), loaded.frame5->points[0].red), std::pair(5, uint8_t(10)));
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
}
