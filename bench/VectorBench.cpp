// SPDX-License-Identifier: GPL-3.0-or-later
// SVG drawings brought in, and the optimiser, at the sizes artists bring.
#include "BenchSupport.h"
#include "vector/ProjectorOptimiser.h"
#include "vector/SvgImport.h"
#include "view/ImageSurface.h"
#include "view/Renderer.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <functional>

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

// Reading and tracing onto an empty true-colour frame, as Import SVG does, once per iteration;
// the points of the last import.
int importEachTime(benchmark::State& state, const QByteArray& svg) {
    WorkingFrame wf;
    wf.format = 5;
    int points = 0;
    for (auto _ : state) {
        wf.frame5->pointCount = 0;
        points = importDrawing(wf, readSvg(svg), Rules, Ink(1), Palette{}, 256).added;
    }
    return points;
}

void BM_ImportThousandPaths(benchmark::State& state) {
    state.counters["points"] = importEachTime(state, thousandPaths());
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

// Drawings made to cost: each read and traced onto an empty frame as Import SVG does. The
// counter is the process's peak memory so far, an upper bound for the import.
QByteArray filledTo(QByteArray svg, int bytes, const std::function<QByteArray(int)>& element) {
    for (int i = 0; svg.size() < bytes; ++i) svg += element(i);
    return svg;
}
QByteArray attack(int which) {
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'>";
    const auto smallPath = [](int i) {
        return QStringLiteral("<path d='M%1 %2 h3 v3 z' stroke='red'/>").arg(i % 997).arg(i / 997).toLatin1();
    };
    QByteArray svg = head;
    switch (which) {
    case 0:  // 2^24 instances of nested uses, no viewBox
        svg += "<defs><path id='g0' d='M0 0 L1 1' stroke='red'/>";
        for (int i = 1; i <= 24; ++i)
            svg += QStringLiteral("<g id='g%1'><use xlink:href='#g%2'/><use xlink:href='#g%2' x='1'/></g>")
                       .arg(i)
                       .arg(i - 1)
                       .toLatin1();
        svg += "</defs><use xlink:href='#g24'/>";
        break;
    case 1:  // one zig-zag path of 10 MB
        svg = filledTo(svg + "<path stroke='red' d='M0 0", 10 << 20,
                       [](int i) { return QByteArray(" L") + QByteArray::number(i % 1000) + (i % 2 ? " 0" : " 9"); }) +
              "'/>";
        break;
    case 2: svg = filledTo(svg, 10 << 20, smallPath); break;  // 10 MB of small separate paths
    case 3: svg = filledTo(svg, 10 << 20, [](int) { return QByteArray("<g/>"); }); break;  // 2.6 million elements
    case 4:  // groups nested a million deep
        svg += QByteArray("<g>").repeated(1 << 20) + "<path d='M0 0 L9 9' stroke='red'/>" +
               QByteArray("</g>").repeated(1 << 20);
        break;
    default:  // large defs shared by hundreds of clipped elements, then 3 MB of small paths
        svg = filledTo(svg + "<defs>", 2 << 20,
                       [](int i) { return QByteArray("<path id='p") + QByteArray::number(i) + "' d='M0 0 L5 5'/>"; });
        svg += "</defs><clipPath id='c'><circle cx='50' cy='50' r='30'/></clipPath>";
        for (int i = 0; i < 600; ++i)
            svg += QByteArray("<rect x='") + QByteArray::number(30 + i % 40) +
                   "' y='40' width='5' height='5' fill='red' clip-path='url(#c)'/>";
        svg = filledTo(svg, 5 << 20, smallPath);
    }
    return svg + "</svg>";
}

void BM_ImportAttack(benchmark::State& state) {
    const QByteArray svg = attack(int(state.range(0)));
    const int points = importEachTime(state, svg);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["points"] = points;
    state.counters["peakMB"] = double(usage.ru_maxrss) / 1024;
    state.counters["fileMB"] = double(svg.size()) / (1 << 20);
}

}  // namespace

BENCHMARK(BM_ImportAttack)->Name("Svg/Attack")->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportThousandPaths)->Name("Svg/Import1000Paths")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawImported)->Name("Svg/RedrawImported20000")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Optimise)->Name("Optimise/Dense20000")->Unit(benchmark::kMillisecond);
