#include "model/Coordinates.h"
#include "model/FrameBuffer.h"
#include "model/Records.h"

#include <gtest/gtest.h>

using namespace quorvel;

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
