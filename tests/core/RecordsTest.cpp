#include "model/Coordinates.h"
#include "model/FrameBuffer.h"
#include "model/Records.h"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(Coordinates, ToCanvasMapsStoredBytes) {
    struct Case { uint8_t hi, lo; int32_t canvas; };
    const Case cases[] = {
        {0x00, 0x00, 32767}, {0xFF, 0xFF, 32767},  // ILDA 0 and -1 share the centre
        {0x80, 0x00, 0},     {0x7F, 0xFF, 65534},  // the two ends
        {0x00, 0x01, 32768}, {0xFF, 0xFE, 32766},  // either side of the centre
    };
    for (const auto& c : cases) EXPECT_EQ(toCanvas(c.hi, c.lo), c.canvas) << int(c.hi) << ' ' << int(c.lo);
}

TEST(Coordinates, FromCanvasGivesStoredBytes) {
    struct Case { int32_t canvas; uint8_t hi, lo; };
    const Case cases[] = {
        {32767, 0x00, 0x00}, {0, 0x80, 0x00},     {65534, 0x7F, 0xFF},
        {65535, 0x80, 0x00}, {32766, 0xFF, 0xFE}, {32768, 0x00, 0x01},
    };
    for (const auto& c : cases) EXPECT_EQ(fromCanvas(c.canvas), (StoredBytes{c.hi, c.lo})) << c.canvas;
}

TEST(Coordinates, EveryStoredValueButMinusOneSurvivesTheRoundTrip) {
    for (int u = 0; u < 65536; ++u) {
        const auto back = fromCanvas(toCanvas(u >> 8, u & 0xFF));
        const int expected = u == 0xFFFF ? 0 : u;
        ASSERT_EQ(back.hi * 256 + back.lo, expected) << u;
    }
}

TEST(FrameHeaderFields, SixteenBitFieldsAreHighByteFirstAndTextIsPadded) {
    FrameHeader h{};
    h.setPointCount(0x1234);
    h.setFrameNumber(65535);
    h.setTotalFrames(256);
    h.setFrameName("ABC");
    h.setCompanyName("TOO LONG NAME");
    const auto* b = reinterpret_cast<const uint8_t*>(&h);
    EXPECT_EQ(b[24], 0x12);
    EXPECT_EQ(b[25], 0x34);
    EXPECT_EQ(b[26], 0xFF);
    EXPECT_EQ(b[27], 0xFF);
    EXPECT_EQ(b[28], 0x01);
    EXPECT_EQ(b[29], 0x00);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 8), 8), "ABC     ");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b + 16), 8), "TOO LONG");
}

TEST(FramePositions, SlotsAreFixedSizeAndOnlyTenThousandExist) {
    struct Case { int frame; int64_t pos; };
    const Case cases[] = {{1, 1}, {2, 200033}, {10000, 2000119969}, {0, 0}, {10001, 0}, {65535, 0}};
    for (const auto& c : cases) EXPECT_EQ(framePos(c.frame), c.pos) << c.frame;
}
