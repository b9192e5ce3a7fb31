// SPDX-License-Identifier: GPL-3.0-or-later
// The text tool's work on a 20-character text: the preview runs on every keystroke.
#include "BenchSupport.h"
#include "text/TextSession.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"

#include <benchmark/benchmark.h>

using namespace quorvel;

namespace {

const QString Twenty = QStringLiteral("Laser show 2026 ABCD");

void BM_TextPreview(benchmark::State& state) {
    TextSession text;
    text.begin(10, 300);
    text.setText(Twenty);
    text.setAngle(12);
    QImage canvas = makeDrawingImage(CanvasSize, CanvasSize);
    for (auto _ : state) {
        ImageSurface surface(canvas);
        surface.clear();
        text.preview(surface, rgb(255, 255, 255));
    }
}

void BM_TextToPoints(benchmark::State& state) {
    TextSession text;
    text.begin(10, 300);
    text.setText(Twenty);
    text.setAngle(12);
    WorkingFrame wf;
    for (auto _ : state) {
        wf.frame0->pointCount = 0;
        LineStart from{10, 300, true};
        benchmark::DoNotOptimize(text.convert(wf, from, {5, 10}, 1, [] {}));
    }
}

}  // namespace

BENCHMARK(BM_TextPreview)->Name("Text/Preview20")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextToPoints)->Name("Text/ToPoints20")->Unit(benchmark::kMillisecond);
