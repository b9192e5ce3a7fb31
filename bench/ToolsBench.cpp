// SPDX-License-Identifier: GPL-3.0-or-later
// What the canvas tools cost per mouse event on a 20000-point frame: drag feedback has to keep
// up with the mouse.
#include "BenchSupport.h"
#include "shell/Editor.h"
#include "tools/PointEdits.h"

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

using namespace quorvel;

namespace {

// An editor with a 20000-point drawing chosen for editing: consecutive points at most 16
// pixels apart, wandering over the canvas, as a traced or written frame is.
struct FullFrame {
    QTemporaryDir dir;
    bench::SilentPrompts prompts;
    Editor editor{dir.path(), prompts};
    FullFrame() {
        editor.chooseThumbnail(0, true);
        bench::fillDense(*editor.frame.frame0);
        editor.refreshCanvas();
    }
};

void BM_LineDragMove(benchmark::State& state) {
    FullFrame f;
    f.editor.chooseTool(LineTool);
    f.editor.canvasPress(1, 100, 400);
    float x = 0;
    for (auto _ : state) {
        x = x >= 511 ? 0 : x + 7;
        f.editor.canvasMove(1, x, 20);  // restore the snapshot, then the preview line
    }
}

void BM_PenStrokeStep(benchmark::State& state) {
    FullFrame f;
    f.editor.frame.frame0->pointCount = MaxPoints - 1000;  // room for the stroke to grow
    f.editor.tools.gesture.penMode = true;
    f.editor.chooseTool(PointTool);
    f.editor.canvasPress(1, 0, 0);
    float x = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (f.editor.frame.frame0->pointCount >= MaxPoints - 1) f.editor.frame.frame0->pointCount = MaxPoints - 1000;
        x = x >= 500 ? 0 : x + 10;
        state.ResumeTiming();
        f.editor.canvasMove(1, x, 100);  // leaves the square around the last point: one point added
    }
}

void BM_FindNearestPoint(benchmark::State& state) {
    FullFrame f;
    for (auto _ : state) benchmark::DoNotOptimize(findNearestPoint(f.editor.frame, 300.5f, 200.5f));
}

void BM_FindNearestSegment(benchmark::State& state) {
    FullFrame f;
    for (auto _ : state) benchmark::DoNotOptimize(findNearestSegment(f.editor.frame, 300.5f, 200.5f));
}

}  // namespace

BENCHMARK(BM_LineDragMove)->Name("Tools/LineDragMove")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PenStrokeStep)->Name("Tools/PenStrokeStep")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNearestPoint)->Name("Tools/FindNearestPoint")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNearestSegment)->Name("Tools/FindNearestSegment")->Unit(benchmark::kMillisecond);
