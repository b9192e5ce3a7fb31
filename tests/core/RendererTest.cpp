// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingSurface.h"
#include "TestSupport.h"
#include "options/ViewOptions.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"
#include "view/SlotDrawing.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;
using Op = DrawOp;

namespace {
Palette testPalette() {
    Palette p;
    for (int i = 0; i < 256; ++i) p.color[i] = rgb(i, 255 - i, 7);
    return p;
}

// What remains after the clear, the axes and the grid dots.
std::vector<Op> frameOps(const RecordingSurface& s) {
    std::vector<Op> ops = s.without(Op::Pixel);
    EXPECT_EQ(ops.at(0).kind, Op::Clear);
    EXPECT_EQ(ops.at(1), (Op{Op::Line, 256, 0, 256, 512, AxisColor}));
    EXPECT_EQ(ops.at(2), (Op{Op::Line, 0, 256, 512, 256, AxisColor}));
    return {ops.begin() + 3, ops.end()};
}

QRgb at(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
QRgb qt(Rgb c) { return ImageSurface::toArgb(c) & 0xFFFFFF; }
}  // namespace

TEST(Renderer, PathViewDrawsSegmentsCirclesAndMarkersInOrder) {
    WorkingFrame wf;
    wf.format = 0;
    wf.frame0->pointCount = 3;
    wf.frame0->points[0] = point3D(0, 0, 0, 2);          // pixel (255, 257)
    wf.frame0->points[1] = point3D(1, 1, 64, 3);         // blanked: grey, at (256, 256)
    wf.frame0->points[2] = point3D(32767, -32768, 0, 4); // (511, 512)
    wf.selStart = wf.selEnd = 1;
    const Palette pal = testPalette();
    RecordingSurface s;
    EXPECT_EQ(redrawCanvas(s, wf, pal, {false, 10, 2}), 3);
    const Rgb c0 = pal.color[2], c2 = pal.color[4];
    const std::vector<Op> expected = {
        {Op::FilledBox, 259, 261, 251, 253, FirstPointColor}, {Op::Line, 255, 257, 255, 257, c0},
        {Op::Circle, 255, 257, 2, 0, c0}, {Op::Line, 255, 257, 256, 256, BlankedGray},
        {Op::Circle, 256, 256, 2, 0, BlankedGray}, {Op::Circle, 256, 256, 4, 0, SelectionColor},
        {Op::Line, 256, 256, 511, 512, c2}, {Op::Circle, 511, 512, 2, 0, c2},
        {Op::Box, 505, 518, 517, 506, LastPointColor},
    };
    EXPECT_EQ(frameOps(s), expected);
}

TEST(Renderer, BeamViewDrawsRaysFromTheCentreForEveryFormat) {
    WorkingFrame wf;
    wf.format = 5;  // true-colour points in their own colour; blanked or black ones as travel
    wf.frame5->pointCount = 3;
    wf.frame5->points[0] = pointTrue(-32768, 32767, 64, 10, 20, 30);
    wf.frame5->points[1] = pointTrue(0, 0, 0, 1, 2, 3);
    wf.frame5->points[2] = pointTrue(0, 0, 0, 0, 0, 0);
    RecordingSurface s;
    EXPECT_EQ(redrawCanvas(s, wf, Palette{}, {true, 10, 1}), 3);
    const std::vector<Op> ops = frameOps(s);
    ASSERT_EQ(ops.size(), 8u);
    EXPECT_EQ(ops[1], (Op{Op::Line, 256, 256, 0, 1, BlankedGray}));
    EXPECT_EQ(ops[3], (Op{Op::Line, 256, 256, 255, 257, rgb(1, 2, 3)}));
    EXPECT_EQ(ops[5], (Op{Op::Line, 256, 256, 255, 257, BlankedGray}));
    EXPECT_EQ(ops[7].kind, Op::Box);
    for (uint8_t format : {0, 4}) {  // an empty frame, and a format that has no frame here: the grid alone
        wf.format = format;
        RecordingSurface grid;
        EXPECT_EQ(redrawCanvas(grid, wf, Palette{}, {false, 10, 1}), format == 0 ? 0 : -1);
        EXPECT_TRUE(frameOps(grid).empty());
    }
}

// The strip, Open and the command-line tool draw a frame straight from its slot, whatever its format.
TEST(Renderer, SlotsOfEveryFormatAreDrawnFromTheirOwnRecords) {
    ProgramFolder folder;
    const FrameBufferFile buffer(folder.bufferPath());
    WorkingFrame wf;
    wf.frame0->points[0] = point3D(0, 0, 0, 2), wf.frame0->points[1] = point3D(16385, 16385, 0, 4);
    wf.frame1->points[0] = point2D(0, 0, 0, 2), wf.frame1->points[1] = point2D(16385, 16385, 0, 4);
    wf.frame5->points[0] = pointTrue(0, 0, 0, 2, 253, 7), wf.frame5->points[1] = pointTrue(16385, 16385, 0, 4, 251, 7);
    wf.frame1->header.formatCode = 0;  // says otherwise: the kind of record decides the slot's format
    for (uint8_t format : {0, 1, 5}) {
        wf.format = format;
        wf.frame0->pointCount = wf.frame1->pointCount = wf.frame5->pointCount = 2;
        ASSERT_TRUE(buffer.saveRamToBuffer(format + 1, wf));
    }
    FrameHeader deep{};
    deep.formatCode = 4, deep.setPointCount(2);
    buffer.writeHeader(7, deep);
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    for (int slot : {1, 2, 6, 7}) {
        RecordingSurface s;
        EXPECT_EQ(drawFrameFromSlot(file, slot, testPalette(), style, s, scratch), 2) << slot;
        const std::vector<Op> expected = {{Op::Clear}, {Op::Line, 255, 257, 255, 257, rgb(2, 253, 7)},
                                          {Op::Line, 255, 257, 384, 128, rgb(4, 251, 7)}};
        EXPECT_EQ(s.ops, slot == 7 ? std::vector<Op>{{Op::Clear}} : expected) << slot;
    }
}

TEST(Renderer, GridDotsStartAtTheTopLeft) {
    struct Case { uint8_t step; int perRow; int last; };
    const Case cases[] = {{10, 52, 510}, {64, 9, 512}, {70, 8, 490}, {0, 52, 510}, {1, 513, 512}};
    for (const auto& c : cases) {
        RecordingSurface s;
        drawGrid(s, c.step);
        std::vector<Op> dots;
        for (const auto& op : s.ops)
            if (op.kind == Op::Pixel) dots.push_back(op);
        ASSERT_EQ(dots.size(), size_t(c.perRow * c.perRow)) << int(c.step);
        EXPECT_EQ(dots.back(), (Op{Op::Pixel, c.last, c.last, 0, 0, GridColor}));
        EXPECT_EQ(s.ops.front().kind, Op::Line);  // axes first, dots on top
    }
}

// Each shape on a 16 x 16 image of its own: the pixels it must set, and those it must leave.
TEST(ImageSurfaceDrawing, LinesCirclesAndBoxesLandOnTheRightPixels) {
    using Pixels = std::vector<std::pair<int, int>>;
    struct Case { const char* what; std::function<void(Surface&)> draw; Pixels set, left; };
    const Rgb red = rgb(255, 0, 0);
    const Case cases[] = {
        {"both ends", [&](Surface& s) { s.line(0, 0, 5, 2, red); }, {{0, 0}, {5, 2}}, {{5, 0}}},
        {"steep, its last pixel too", [&](Surface& s) { s.line(6, 6, 8, 14, red); }, {{8, 14}}, {}},
        {"45 degrees, a pixel a step", [&](Surface& s) { s.line(10, 0, 13, 3, red); }, {{12, 2}}, {{12, 1}}},
        {"a tie steps after the halfway pixel", [&](Surface& s) { s.line(2, 8, 6, 10, red); }, {{3, 8}, {5, 9}}, {{3, 9}, {5, 10}}},
        {"steep, the same", [&](Surface& s) { s.line(9, 2, 11, 6, red); }, {{9, 3}, {10, 5}}, {{10, 3}, {11, 5}}},
        {"leaving on both ends", [&](Surface& s) { s.line(-40, -40, 40, 40, red); }, {{15, 15}, {0, 0}}, {}},
        {"clipped, ties as inside", [&](Surface& s) { s.line(-3, 0, 3, 8, red); }, {{1, 6}}, {{2, 6}}},
        {"circle outline", [&](Surface& s) { s.circle(8, 8, 2, red); }, {{10, 8}, {6, 8}, {8, 10}, {8, 6}}, {{8, 8}}},
        {"circle's 45 degree pixels", [&](Surface& s) { s.circle(8, 8, 3, red); }, {{10, 10}, {6, 6}}, {{11, 11}}},
        {"filled past the top and bottom", [&](Surface& s) { s.box(3, -2, 4, 17, red, true); }, {{3, 0}, {4, 15}}, {{5, 0}}},
        {"View Options' point sample", [&](Surface& s) { drawPointSample(s, 16, 16, 3); }, {{0, 8}, {15, 8}, {8, 5}, {8, 11}}, {{8, 7}}},
        {"circle past the top", [&](Surface& s) { s.circle(8, 0, 2, red); }, {{10, 0}, {8, 2}}, {{8, 1}}},
        {"radius 0", [&](Surface& s) { s.circle(1, 5, 0, red); }, {{1, 5}}, {{2, 5}}},
        {"box clipped", [&](Surface& s) { s.box(12, 12, 20, 20, red, false); }, {{15, 12}}, {{13, 13}}},
        {"filled box to its last row", [&](Surface& s) { s.box(1, 10, 3, 12, red, true); }, {{2, 11}, {2, 12}}, {{2, 13}}},
        {"outline to its bottom row", [&](Surface& s) { s.box(11, 1, 14, 4, red, false); }, {{14, 3}, {14, 4}}, {{14, 5}, {14, 0}}},
        {"no spill into the next row", [&](Surface& s) { s.box(14, 7, 20, 7, red, true); }, {{15, 7}}, {{0, 8}}},
        {"a box ending on the first column and row", [&](Surface& s) { s.box(-5, -5, 0, 0, red, true); }, {{0, 0}}, {{1, 0}}},
        {"a box starting on the last column and row", [&](Surface& s) { s.box(15, 15, 19, 19, red, false); }, {{15, 15}}, {{14, 15}}},
        {"a box wholly beyond an edge draws nothing", [&](Surface& s) { s.box(-9, 3, -1, 9, red, true); s.box(3, 16, 9, 30, red, true); }, {}, {{0, 3}, {3, 15}}},
        {"a long line cut to the picture", [&](Surface& s) { s.line(-5000, 4, 5000, 4, red); }, {{0, 4}, {15, 4}}, {{0, 3}, {0, 5}}},
        {"a long steep line the same", [&](Surface& s) { s.line(9, 3000, 9, -3000, red); }, {{9, 0}, {9, 15}}, {{8, 7}}},
        {"a long diagonal through the picture", [&](Surface& s) { s.line(-2000, -2000, 2000, 2000, red); }, {{0, 0}, {8, 8}, {15, 15}}, {{8, 9}}},
        {"a long line beside the picture draws nothing", [&](Surface& s) { s.line(-3000, -1, 3000, -1, red); }, {}, {{0, 0}, {15, 0}}},
        {"drawn from an origin", [&](Surface& s) {
             auto& image = static_cast<ImageSurface&>(s);
             image.setOrigin(100, 200);
             s.line(100, 203, 104, 203, red), s.pixel(115, 215, red), s.circle(108, 208, 0, red), s.box(98, 198, 100, 200, red, true);
         }, {{0, 3}, {4, 3}, {15, 15}, {8, 8}, {0, 0}}, {{5, 3}, {1, 1}}},
    };
    for (const auto& c : cases) {
        std::vector<QRgb> rows(16 * 20, 0);  // with two rows above and below the picture that stay untouched
        QImage img(reinterpret_cast<uchar*>(rows.data() + 32), 16, 16, 64, QImage::Format_RGB32);
        ImageSurface s(img);
        s.clear();
        c.draw(s);
        for (auto [x, y] : c.set) EXPECT_EQ(at(img, x, y), qt(red)) << c.what << ' ' << x << ',' << y;
        for (auto [x, y] : c.left) EXPECT_EQ(at(img, x, y), 0u) << c.what << ' ' << x << ',' << y;
        EXPECT_EQ(std::count(rows.begin(), rows.begin() + 32, 0u) + std::count(rows.end() - 32, rows.end(), 0u), 64) << c.what;
    }
    QImage backdrop(2, 2, QImage::Format_RGB32);  // one of another size is stretched over it all
    backdrop.fill(0x0000C8);
    backdrop.setPixel(1, 1, 0xC80000);
    QImage img(16, 16, QImage::Format_RGB32);
    ImageSurface(img, &backdrop).clear();
    EXPECT_EQ(std::pair(at(img, 0, 0), at(img, 15, 15)), std::pair(0xC8u, 0xC80000u));
}
