#include "RecordingSurface.h"
#include "TestSupport.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"
#include "view/SlotDrawing.h"

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
        {Op::FilledBox, 259, 261, 251, 253, FirstPointColor},
        {Op::Line, 255, 257, 255, 257, c0},
        {Op::Circle, 255, 257, 2, 0, c0},
        {Op::Line, 255, 257, 256, 256, BlankedGray},
        {Op::Circle, 256, 256, 2, 0, BlankedGray},
        {Op::Circle, 256, 256, 4, 0, SelectionColor},
        {Op::Line, 256, 256, 511, 512, c2},
        {Op::Circle, 511, 512, 2, 0, c2},
        {Op::Box, 505, 518, 517, 506, LastPointColor},
    };
    EXPECT_EQ(frameOps(s), expected);
}

TEST(Renderer, BeamViewDrawsRaysFromTheCentreForEveryFormat) {
    WorkingFrame wf;
    wf.format = 5;  // true-colour frames keep their own colour, blanked or not
    wf.frame5->pointCount = 2;
    wf.frame5->points[0] = pointTrue(-32768, 32767, 64, 10, 20, 30);
    wf.frame5->points[1] = pointTrue(0, 0, 0, 1, 2, 3);
    RecordingSurface s;
    EXPECT_EQ(redrawCanvas(s, wf, Palette{}, {true, 10, 1}), 2);
    const std::vector<Op> ops = frameOps(s);
    ASSERT_EQ(ops.size(), 6u);
    EXPECT_EQ(ops[1], (Op{Op::Line, 256, 256, 0, 1, rgb(10, 20, 30)}));
    EXPECT_EQ(ops[3], (Op{Op::Line, 256, 256, 255, 257, rgb(1, 2, 3)}));
    EXPECT_EQ(ops[5].kind, Op::Box);
}

TEST(Renderer, EmptyFramesAndUnknownFormatsDrawOnlyTheGrid) {
    for (uint8_t format : {0, 4}) {
        WorkingFrame wf;
        wf.format = format;
        RecordingSurface s;
        EXPECT_EQ(redrawCanvas(s, wf, Palette{}, {false, 10, 1}), format == 0 ? 0 : -1);
        EXPECT_TRUE(frameOps(s).empty());
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
    const Case cases[] = {{10, 52, 510}, {64, 9, 512}, {70, 8, 490}, {0, 52, 510}};
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

TEST(ImageSurfaceDrawing, LinesCirclesAndBoxesLandOnTheRightPixels) {
    QImage img(16, 16, QImage::Format_RGB32);
    ImageSurface s(img);
    s.clear();
    const Rgb red = rgb(255, 0, 0), green = rgb(0, 255, 0), blue = rgb(0, 0, 255);
    s.line(0, 0, 5, 2, red);
    EXPECT_EQ(at(img, 0, 0), qt(red));
    EXPECT_EQ(at(img, 5, 2), qt(red));  // both ends drawn
    EXPECT_EQ(at(img, 5, 0), 0u);
    s.circle(8, 8, 2, green);
    for (auto [x, y] : {std::pair{10, 8}, {6, 8}, {8, 10}, {8, 6}}) EXPECT_EQ(at(img, x, y), qt(green));
    EXPECT_EQ(at(img, 8, 8), 0u);  // outline only
    s.box(12, 12, 20, 20, blue, false);  // clipped at the edge, no crash
    EXPECT_EQ(at(img, 15, 12), qt(blue));
    EXPECT_EQ(at(img, 13, 13), 0u);
    s.box(1, 10, 3, 12, blue, true);
    EXPECT_EQ(at(img, 2, 11), qt(blue));
    EXPECT_EQ(at(img, 2, 12), qt(blue));  // down to its last row
    s.box(11, 1, 14, 4, green, false);  // an outline: both sides down to the bottom row, not past it
    EXPECT_EQ(at(img, 14, 3), qt(green));
    EXPECT_EQ(at(img, 14, 5), 0u);
    EXPECT_EQ(at(img, 14, 0), 0u);
    s.circle(1, 5, 0, red);  // radius 0: the centre alone
    EXPECT_EQ(at(img, 1, 5), qt(red));
    s.box(14, 7, 20, 7, red, true);  // clipped at the right edge: nothing spills into the next row
    EXPECT_EQ(at(img, 0, 8), 0u);
    s.line(6, 6, 8, 14, green);  // steep: its last pixel too
    EXPECT_EQ(at(img, 8, 14), qt(green));
    s.line(10, 0, 13, 3, green);  // at 45 degrees: one pixel a step
    EXPECT_EQ(at(img, 12, 2), qt(green));
    s.line(-40, -40, 40, 40, red);  // leaves the image on both ends
    EXPECT_EQ(at(img, 15, 15), qt(red));
}

TEST(ImageSurfaceDrawing, PointColorShowsUnderItsCircleInBothViews) {
    const Palette pal = testPalette();
    for (bool beam : {false, true}) {
        WorkingFrame wf;
        wf.format = 1;
        wf.frame1->pointCount = 2;
        wf.frame1->points[0] = point2D(-16384, -16384, 0, 9);  // pixel (128, 384)
        wf.frame1->points[1] = point2D(16385, 16385, 64, 9);   // blanked, pixel (384, 128)
        QImage img(CanvasSize, CanvasSize, QImage::Format_RGB32);
        ImageSurface s(img);
        redrawCanvas(s, wf, pal, {beam, 10, 1});
        EXPECT_EQ(at(img, 128 + 1, 384), qt(pal.color[9])) << beam;
        EXPECT_EQ(at(img, 384, 128 - 1), qt(BlankedGray)) << beam;
        EXPECT_EQ(at(img, 128, 384 - 4), qt(FirstPointColor)) << beam;
        EXPECT_EQ(at(img, 384 + 6, 128), qt(LastPointColor)) << beam;
        EXPECT_EQ(at(img, 256, 100), qt(AxisColor)) << beam;
        EXPECT_EQ(at(img, 10, 10), qt(GridColor)) << beam;
    }
}

TEST(ImageSurfaceDrawing, ClearingBringsBackTheBackdropWhateverItsRowLength) {
    QImage backdrop(CanvasSize, CanvasSize, QImage::Format_RGB32);
    for (int y = 0; y < CanvasSize; ++y)
        for (int x = 0; x < CanvasSize; ++x) backdrop.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    QImage canvas = makeDrawingImage(CanvasSize, CanvasSize);
    ASSERT_NE(canvas.bytesPerLine(), backdrop.bytesPerLine());
    ImageSurface s(canvas, &backdrop);
    s.line(0, 0, 511, 511, rgb(1, 2, 3));
    s.clear();
    EXPECT_EQ(canvas, backdrop);
    s.setBackdrop(nullptr);
    s.clear();
    EXPECT_EQ(at(canvas, 300, 400), 0u);
}
