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

TEST_F(BufferFixture, WriteBackKeepsTheLastPointBitOnTheLastPointOnly) {
    // Status bytes before write-back, and what each point must carry afterwards.
    struct Case { std::vector<uint8_t> before, after; };
    const Case cases[] = {
        {{}, {}},
        {{128}, {128}},
        {{128, 128, 0}, {0, 0, 128}},
        {{64 | 128, 64, 64 | 1}, {64, 64, 64 | 1 | 128}},  // other bits pass through
    };
    for (const auto& c : cases) {
        Frame0& f = *wf.frame0;
        wf.format = 0;
        f.pointCount = static_cast<int>(c.before.size());
        for (size_t i = 0; i < c.before.size(); ++i) f.points[i] = point3D(int(i), 0, c.before[i]);
        f.points[c.before.size()] = point3D(9, 9, 128);  // a stale record past the count keeps its byte
        ASSERT_TRUE(buffer.saveRamToBuffer(2, wf));
        const QByteArray bytes = readFile(folder.bufferPath());
        const int64_t slot = framePos(2) - 1;
        EXPECT_EQ(byteAt(bytes, slot + 24) * 256 + byteAt(bytes, slot + 25), int(c.before.size()));
        for (size_t i = 0; i < c.after.size(); ++i) EXPECT_EQ(byteAt(bytes, slot + 32 + 8 * i + 6), c.after[i]) << i;
        EXPECT_EQ(byteAt(bytes, slot + 32 + 8 * c.before.size() + 6), 128);
        EXPECT_EQ(bytes.size(), slot + 32 + 8 * MaxPoints);  // header and all 20000 records
    }
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
