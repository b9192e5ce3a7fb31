// SPDX-License-Identifier: GPL-3.0-or-later
// One full canvas redraw of a 20000-point frame: pixels written straight into the image,
// against one QPainter call per line and circle.
#include "BenchSupport.h"
#include "framelist/FrameStrip.h"
#include "model/Palette.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"
#include "view/SlotDrawing.h"

#include <benchmark/benchmark.h>
#include <QPainter>
#include <QTemporaryDir>

using namespace quorvel;

namespace {
Palette benchPalette() {
    Palette p;
    for (int i = 0; i < 256; ++i) p.color[i] = rgb(i, (i * 7) & 255, 255 - i);
    return p;
}

void put(Point3D& p, int x, int y, int color) {
    const auto X = fromCanvas(x * 128), Y = fromCanvas(y * 128);
    p = {X.hi, X.lo, Y.hi, Y.lo, 0, 0, 0, static_cast<uint8_t>(color)};
}

WorkingFrame denseFrame() {
    WorkingFrame wf;
    bench::fillDense(*wf.frame0);
    return wf;
}

// Points spread over the whole canvas, for the rays of the beam view.
WorkingFrame spreadFrame() {
    WorkingFrame wf;
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> any(0, 511);
    for (int i = 0; i < MaxPoints; ++i) put(wf.frame0->points[i], any(rng), any(rng), i & 255);
    wf.frame0->pointCount = MaxPoints;
    return wf;
}

// The same drawing with one QPainter call per item.
class PainterSurface final : public Surface {
public:
    explicit PainterSurface(QImage& img, QPoint origin = {}) : img_(img), p_(&img) { p_.translate(-origin); }
    void clear() override { img_.fill(Qt::black); }
    void line(int x0, int y0, int x1, int y1, Rgb c) override {
        p_.setPen(toQ(c));
        p_.drawLine(x0, y0, x1, y1);
    }
    void circle(int cx, int cy, int r, Rgb c) override {
        p_.setPen(toQ(c));
        p_.setBrush(Qt::NoBrush);
        p_.drawEllipse(QPoint(cx, cy), r, r);
    }
    void box(int x0, int y0, int x1, int y1, Rgb c, bool filled) override {
        const QRect r = QRect(QPoint(x0, y0), QPoint(x1, y1)).normalized();
        if (filled)
            p_.fillRect(r, toQ(c));
        else {
            p_.setPen(toQ(c));
            p_.drawRect(r);
        }
    }
    void pixel(int x, int y, Rgb c) override {
        p_.setPen(toQ(c));
        p_.drawPoint(x, y);
    }

private:
    static QColor toQ(Rgb c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }
    QImage& img_;
    QPainter p_;
};

// At 128 / Divisor times the normal size, the view on the frame's centre: most lines run far
// past the view, and the grid is as many dots as the view holds.
template <bool Beam, bool Painter, int Divisor = 128> void BM_RedrawCanvas(benchmark::State& state) {
    static const WorkingFrame wf = Beam ? spreadFrame() : denseFrame();
    const Palette pal = benchPalette();
    QImage img =
        Painter ? QImage(CanvasSize, CanvasSize, QImage::Format_RGB32) : makeDrawingImage(CanvasSize, CanvasSize);
    const PixelGrid grid{Divisor};
    const QPoint origin((grid.span() - CanvasSize) / 2, (grid.span() - CanvasSize) / 2);
    const ViewSettings view{Beam, 10, 1, {Divisor, grid.span()}};
    for (auto _ : state) {
        if constexpr (Painter) {
            PainterSurface s(img, origin);
            redrawCanvas(s, wf, pal, view);
        } else {
            ImageSurface s(img);
            s.setOrigin(origin.x(), origin.y());
            redrawCanvas(s, wf, pal, view);
        }
        benchmark::DoNotOptimize(img.constBits());
    }
}
}  // namespace

// One frame of playback: a 20000-point slot read from the frame buffer file and drawn at canvas
// size, as every tick does.
void BM_PlayFrame(benchmark::State& state) {
    QTemporaryDir dir;
    WorkingFrame wf;
    const FrameBufferFile buffer = bench::denseBufferFile(dir, wf);
    const Palette pal = loadPalette(QString(), IldaPalette);
    QImage canvas = makeDrawingImage(CanvasSize, CanvasSize);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    for (auto _ : state) {
        SlotFile file(buffer.path(), SlotAccess::Read);
        ImageSurface surface(canvas);
        benchmark::DoNotOptimize(drawFrameFromSlot(file, 1, pal, style, surface, scratch));
    }
}

// The working frame's thumbnail drawn again after an edit, at 20000 points.
void BM_WorkingThumbnail(benchmark::State& state) {
    const WorkingFrame wf = denseFrame();
    const Palette pal = benchPalette();
    FrameStrip strip;
    Sequence seq;
    seq.totalFrames = seq.currentFrame = 1;
    for (auto _ : state) strip.drawWorkingFrame(wf, pal, 1, seq);
}
BENCHMARK(BM_WorkingThumbnail)->Name("Strip/WorkingThumbnail20000")->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PlayFrame)->Name("Playback/Frame20000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<false, false>)->Name("RedrawCanvas/path/pixels")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<false, true>)->Name("RedrawCanvas/path/QPainter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<true, false>)->Name("RedrawCanvas/beam/pixels")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<true, true>)->Name("RedrawCanvas/beam/QPainter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<false, false, 8>)->Name("RedrawCanvas/path/zoom16/pixels")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<false, true, 8>)->Name("RedrawCanvas/path/zoom16/QPainter")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<true, false, 8>)->Name("RedrawCanvas/beam/zoom16/pixels")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawCanvas<true, true, 8>)->Name("RedrawCanvas/beam/zoom16/QPainter")->Unit(benchmark::kMillisecond);
