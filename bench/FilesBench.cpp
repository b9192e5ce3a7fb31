// SPDX-License-Identifier: GPL-3.0-or-later
// Open, Save As and Delete Frames of a 10000-frame file against a plain buffered copy of the
// same bytes, and one redraw of the frame strip showing eight 20000-point frames.
#include "BenchSupport.h"
#include "framelist/FrameMoves.h"
#include "framelist/SequenceHistory.h"
#include "ilda/IldaFileWriter.h"
#include "ilda/IldaOpen.h"
#include "ilda/IldaWriter.h"
#include "shell/Editor.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <QColor>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace quorvel;

namespace {

using bench::show;

void BM_Open(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    for (auto _ : state) benchmark::DoNotOptimize(openFrames(show().path, buffer).copied.framesCopied);
    state.SetBytesProcessed(state.iterations() * QFile(show().path).size());
}

// Open right after start-up, or in every `quorvel-ilda copy`: the frame buffer file is new, so
// every slot is written into fresh pages.
void BM_FirstOpen(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(show().bufferPath);
        state.ResumeTiming();
        benchmark::DoNotOptimize(openFrames(show().path, buffer).copied.framesCopied);
    }
    state.SetBytesProcessed(state.iterations() * QFile(show().path).size());
}

// The floor under FirstOpen: the same 10000 writes of a header and 500 points into the slots of
// a new file, with nothing read and nothing checked. What is left between the two is Open's own.
void BM_FreshSlotWrites(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(show().bufferPath);
    const std::vector<char> frame(32 + 500 * sizeof(Point3D), 1);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(show().bufferPath);
        state.ResumeTiming();
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        for (int i = 1; i <= MaxFrames; ++i)
            benchmark::DoNotOptimize(::pwrite(fd, frame.data(), frame.size(), framePos(i) - 1));
        ::close(fd);
    }
}

void BM_SaveAs(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    copyFrames(show().path, seekFrames(show().path), buffer);
    const QString out = show().dir.filePath("saved.ild");
    for (auto _ : state) benchmark::DoNotOptimize(writeIldaFile(buffer, MaxFrames, out).ok);
    state.SetBytesProcessed(state.iterations() * QFile(show().path).size());
}

// Frame 1, or frames 1..5000, out of the 10000: every later frame moves down.
void BM_DeleteFrames(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    const FrameScan scan = seekFrames(show().path);
    for (auto _ : state) {
        state.PauseTiming();
        copyFrames(show().path, scan, buffer);
        state.ResumeTiming();
        benchmark::DoNotOptimize(deleteFrames(buffer, 1, int(state.range(0)), MaxFrames).ok);
    }
}

// Undo of Delete Frames at frame 1 of the 10000: the kept frame goes back and every later frame
// moves up again.
void BM_UndoDeleteFrames(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    const FrameScan scan = seekFrames(show().path);
    const QString kept = show().bufferPath + ".undo-bench", taken = show().bufferPath + ".undo-taken";
    for (auto _ : state) {
        state.PauseTiming();
        copyFrames(show().path, scan, buffer);
        SequenceStep step{{}, 1, 0, std::make_unique<FrameStash>(kept), 1, 0};
        keepFrames(buffer, 1, 1, *step.replaced);
        deleteFrames(buffer, 1, 1, MaxFrames);
        int total = MaxFrames - 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(turnStep(buffer, step, total, taken).ok);
        state.PauseTiming();
        step.replaced.reset();
        state.ResumeTiming();
    }
}

// Insert (an empty frame) or Duplicate (frame 1) at frame 1 of 9999: every frame moves up.
void BM_InsertFrame(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    const FrameScan scan = seekFrames(show().path);
    SlotBytes inserted;
    inserted.header = scan.headerOf(1);
    if (state.range(0) == 0) inserted.header.setPointCount(0);
    inserted.points.resize(size_t(inserted.header.pointCount()) * sizeof(Point3D));
    for (auto _ : state) {
        state.PauseTiming();
        copyFrames(show().path, scan, buffer);
        state.ResumeTiming();
        benchmark::DoNotOptimize(insertFrame(buffer, 1, MaxFrames - 1, inserted).ok);
    }
}

// Move Frame Earlier at frame 2: two slots trade places, whatever the length of the sequence.
void BM_MoveFrame(benchmark::State& state) {
    const FrameBufferFile buffer(show().bufferPath);
    copyFrames(show().path, seekFrames(show().path), buffer);
    for (auto _ : state) benchmark::DoNotOptimize(swapFrames(buffer, 1, 2).ok);
}

// What reading and writing the same bytes costs with nothing else to do. Each copy makes a new
// file, as a copy does: overwriting the last one would cost more than the copy itself.
void BM_PlainCopy(benchmark::State& state) {
    const QByteArray in = show().path.toLocal8Bit(), out = show().dir.filePath("copy.ild").toLocal8Bit();
    std::vector<char> chunk(1 << 16);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(QString::fromLocal8Bit(out));
        state.ResumeTiming();
        std::FILE* r = std::fopen(in.constData(), "rb");
        std::FILE* w = std::fopen(out.constData(), "wb");
        for (size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), r)) > 0;) std::fwrite(chunk.data(), 1, n, w);
        std::fclose(r);
        std::fclose(w);
    }
    state.SetBytesProcessed(state.iterations() * QFile(show().path).size());
}

// `quorvel-ilda copy`, plain (0) or for SD-card projectors (1), of 1000 true-colour frames of
// 5000 points, about 40 MB: every point of a frame a colour of its own on a rainbow that turns a
// little from frame to frame, so each colour comes back in other frames.
void BM_SdCardCopy(benchmark::State& state) {
    static const std::string in = [] {
        const QString path = show().dir.filePath("rainbow.ild");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        std::vector<PointTrue2D> points(5000);
        for (int frame = 1; frame <= 1000; ++frame) {
            for (int i = 0; i < 5000; ++i) {
                const auto x = fromCanvas(i * 13), y = fromCanvas(65534 - i * 13);
                const QColor c = QColor::fromHsv((i + frame) % 360, 255, 255);
                points[size_t(i)] = {x.hi,
                                     x.lo,
                                     y.hi,
                                     y.lo,
                                     uint8_t(i == 4999 ? 128 : 0),
                                     uint8_t(c.blue()),
                                     uint8_t(c.green()),
                                     uint8_t(c.red())};
            }
            FrameHeader h{};
            h.setSignature("ILDA");
            h.formatCode = 5;
            h.setPointCount(5000);
            h.setFrameNumber(frame - 1);
            h.setTotalFrames(1000);
            f.write(reinterpret_cast<const char*>(&h), sizeof h);
            f.write(reinterpret_cast<const char*>(points.data()), qint64(points.size() * sizeof(PointTrue2D)));
        }
        return path.toStdString();
    }();
    const Palette ilda = loadPalette(QStringLiteral(QUORVEL_DATA_DIR), IldaPalette);
    const SdCardColors colors{ilda, ilda, true};
    const std::string out = show().dir.filePath("card.ild").toStdString();
    for (auto _ : state) {
        const FrameScan scan = seekFrames(in);
        IldaFileWriter written(out, scan.framesFound, state.range(0) ? &colors : nullptr);
        copyFrames(in, scan, written);
        benchmark::DoNotOptimize(written.commit().ok);
    }
}

void BM_StripRedraw(benchmark::State& state) {
    QTemporaryDir dir;
    dir.setAutoRemove(true);
    bench::SilentPrompts prompts;
    Editor editor(dir.path(), prompts);
    WorkingFrame wf;
    wf.frame0->pointCount = MaxPoints;
    for (int i = 0; i < MaxPoints; ++i) {
        const auto x = fromCanvas((i * 37) % 65535), y = fromCanvas((i * 91) % 65535);
        wf.frame0->points[i] = {x.hi, x.lo, y.hi, y.lo, 0, 0, 0, uint8_t(i)};
    }
    for (int frame = 1; frame <= StripThumbnails; ++frame) {
        editor.buffer.saveRamToBuffer(frame, wf);
        editor.addNewFrame();
    }
    for (auto _ : state) editor.redrawStrip();
}

}  // namespace

BENCHMARK(BM_Open)->Name("Files/Open")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOpen)->Name("Files/FirstOpen")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshSlotWrites)->Name("Files/FreshSlotWrites")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAs)->Name("Files/SaveAs")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFrames)->Name("Files/DeleteFrames")->Arg(1)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDeleteFrames)->Name("Files/UndoDeleteFrames")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertFrame)->Name("Files/InsertFrame")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveFrame)->Name("Files/MoveFrame")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SdCardCopy)->Name("Files/SdCardCopy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCopy)->Name("Files/PlainCopy")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripRedraw)->Name("Strip/Redraw8x20000")->Unit(benchmark::kMillisecond);
