// SVG drawings brought in, and the optimiser, at the sizes artists bring.
#include "BenchSupport.h"
#include "vector/ProjectorOptimiser.h"
#include "vector/SvgImport.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"

#include <benchmark/benchmark.h>

using namespace quorvel;

namespace {

// 1000 closed paths of lines and curves in a 40 x 25 grid, six stroke colours.
QByteArray thousandPaths() {
    QByteArray svg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 800 500">)";
    const char* colours[] = {"red", "lime", "blue", "yellow", "cyan", "magenta"};
    for (int i = 0; i < 1000; ++i) {
        const int x = 20 * (i % 40), y = 20 * (i / 40);
        svg += QStringLiteral(R"(<path d="M%1,%2 l12,0 c4,0 6,4 6,8 q0,8 -9,8 l-9,-8 z" stroke="%3" fill="none"/>)")
                   .arg(x)
                   .arg(y)
                   .arg(colours[i % 6])
                   .toUtf8();
    }
    return svg + "</svg>";
}

const ImportRules Rules{5, 10, 3};

// Reading and tracing onto an empty true-colour frame, as Import SVG does.
void BM_ImportThousandPaths(benchmark::State& state) {
    const QByteArray svg = thousandPaths();
    WorkingFrame wf;
    wf.format = 5;
    int points = 0;
    for (auto _ : state) {
        wf.frame5->pointCount = 0;
        points = importDrawing(wf, readSvg(svg), Rules, Ink(1), Palette{}, 256).added;
    }
    state.counters["points"] = points;
}

// The canvas drawn again with a full frame of imported art: held corners and anchors included.
void BM_RedrawImported(benchmark::State& state) {
    WorkingFrame wf;
    wf.format = 5;
    importDrawing(wf, readSvg(thousandPaths()), {1, 10, 3}, Ink(1), Palette{}, 256);
    QImage img = makeDrawingImage(CanvasSize, CanvasSize);
    for (auto _ : state) {
        ImageSurface s(img);
        benchmark::DoNotOptimize(redrawCanvas(s, wf, Palette{}, {false, 10, 1}));
    }
    state.counters["points"] = wf.pointCount();
}

// Optimise for Projector over the typical dense 20000-point drawing.
void BM_Optimise(benchmark::State& state) {
    Frame0 f;
    bench::fillDense(f);
    for (auto _ : state)
        benchmark::DoNotOptimize(optimisedForProjector(f.points.data(), f.pointCount, {640, 3}).size());
}

}  // namespace

BENCHMARK(BM_ImportThousandPaths)->Name("Svg/Import1000Paths")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawImported)->Name("Svg/RedrawImported20000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Optimise)->Name("Optimise/Dense20000")->Unit(benchmark::kMillisecond);
