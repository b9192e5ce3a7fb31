// SPDX-License-Identifier: GPL-3.0-or-later
// What the animators' additions cost on a full frame: converting 20000 points of distinct
// colours to the palette and back, and redraws with the previous frame laid under the canvas.
#include "BenchSupport.h"
#include "shell/Editor.h"
#include "tools/ColorConversion.h"
#include "view/CanvasView.h"
#include "view/OnionSkin.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

using namespace quorvel;

namespace {
Palette benchPalette() {
    Palette p;
    for (int i = 0; i < 256; ++i) {
        p.red[i] = uint8_t(i), p.green[i] = uint8_t((i * 7) & 255), p.blue[i] = uint8_t(255 - i);
        p.color[i] = rgb(p.red[i], p.green[i], p.blue[i]);
    }
    return p;
}

// Every point a colour of its own: the cost of the search with nothing found twice.
void BM_ConvertToPaletteColors(benchmark::State& state) {
    const Palette pal = benchPalette();
    WorkingFrame source;
    bench::fillDense(*source.frame0);
    source.format = 0;
    convertToTrueColor(source, pal);
    std::mt19937 rng(3);
    for (int i = 0; i < MaxPoints; ++i) {
        const uint32_t c = rng();
        source.frame5->points[i].red = uint8_t(c), source.frame5->points[i].green = uint8_t(c >> 8);
        source.frame5->points[i].blue = uint8_t(c >> 16);
    }
    WorkingFrame wf;
    for (auto _ : state) {
        *wf.frame5 = *source.frame5;
        wf.format = 5;
        convertToPaletteColors(wf, pal, 256);
        benchmark::DoNotOptimize(wf.frame1->points.data());
    }
}

void BM_ConvertToTrueColor(benchmark::State& state) {
    const Palette pal = benchPalette();
    WorkingFrame wf;
    bench::fillDense(*wf.frame0);
    for (auto _ : state) {
        wf.format = 0;
        convertToTrueColor(wf, pal);
        benchmark::DoNotOptimize(wf.frame5->points.data());
    }
}

// A 20000-point working frame redrawn over a 20000-point previous frame.
void BM_RedrawWithPreviousFrame(benchmark::State& state) {
    QTemporaryDir dir;
    WorkingFrame wf;
    const FrameBufferFile buffer = bench::denseBufferFile(dir, wf);
    const Palette pal = benchPalette();
    CanvasView canvas;
    canvas.setUnderlay(drawOnionFrames(buffer, 2, 2, 1, 0, pal));  // frame 1, under frame 2
    canvas.resetBackdrop();
    for (auto _ : state) {
        canvas.redraw(wf, pal, {false, 10, 1});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
// 100 in-betweens of two 2000-point keys written over the frames between them, against writing
// the same bytes to a new file.
constexpr int TweenFrames = 100, TweenPoints = 2000;
void BM_Tween(benchmark::State& state) {
    QTemporaryDir dir;
    bench::SilentPrompts prompts;
    Editor editor(dir.path(), prompts);
    for (int i = 1; i < TweenFrames + 2; ++i) editor.addNewFrame();
    for (const int key : {1, TweenFrames + 2}) {
        WorkingFrame wf;
        wf.frame0->pointCount = TweenPoints;
        for (int i = 0; i < TweenPoints; ++i) {
            const auto x = fromCanvas((i * 37 + key) % 65535), y = fromCanvas((i * 91 + key * 7) % 65535);
            wf.frame0->points[i] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, uint8_t(i)};
        }
        editor.buffer.saveRamToBuffer(key, wf);
    }
    editor.chooseThumbnail(0, true);
    for (auto _ : state) editor.tween({TweenFrames + 2, false, TweenFrames, Easing::InOut});
}

void BM_TweenPlainWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const std::vector<char> frame(32 + TweenPoints * sizeof(Point3D), 'x');
    int n = 0;
    for (auto _ : state) {
        std::FILE* w = std::fopen(dir.filePath(QString::number(++n)).toLocal8Bit().constData(), "wb");
        for (int i = 0; i < TweenFrames; ++i) std::fwrite(frame.data(), 1, frame.size(), w);
        std::fclose(w);
    }
}
}  // namespace

BENCHMARK(BM_Tween)->Name("Tween/100x2000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TweenPlainWrite)->Name("Tween/PlainWrite100x2000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToPaletteColors)->Name("Convert/ToPalette20000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToTrueColor)->Name("Convert/ToTrueColor20000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawWithPreviousFrame)->Name("RedrawCanvas/path/withPreviousFrame")->Unit(benchmark::kMillisecond);
