// SPDX-License-Identifier: GPL-3.0-or-later
// What users wait for when they start something: the editor before and until its window shows,
// the text tool's font on its first use, and whole runs of quorvel-ilda next to a plain copy of
// the same file, each a real process.
#include "BenchSupport.h"
#include "shell/Editor.h"
#include "shell/MainWindow.h"
#include "text/GlyphFont.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QApplication>
#include <QFile>
#include <vector>

extern char** environ;

using namespace quorvel;

namespace {

QTemporaryDir& programFolder() {
    static QTemporaryDir dir;
    static const bool filled = [] {
        for (const char* name : {"ilda.dat", "pangolin.dat", "config.dat"})
            QFile::copy(QStringLiteral(QUORVEL_DATA_DIR "/") + name, dir.filePath(name));
        return true;
    }();
    (void)filled;
    return dir;
}

// Start-up before the window shows: settings, palettes, the frame buffer file and its first
// empty frame. The text tool's font is not part of it.
void BM_EditorStartUp(benchmark::State& state) {
    bench::SilentPrompts prompts;
    for (auto _ : state) {
        Editor editor(programFolder().path(), prompts, false);
        benchmark::DoNotOptimize(editor.seq.totalFrames);
    }
}

// The same, then the main window built and shown (offscreen) with its events handled.
void BM_WindowStartUp(benchmark::State& state) {
    bench::SilentPrompts prompts;
    for (auto _ : state) {
        Editor editor(programFolder().path(), prompts, false);
        MainWindow window(editor);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}

// What finding and loading the canvas font costs: paid on the text tool's first use.
void BM_FontLookup(benchmark::State& state) {
    for (auto _ : state) {
        const GlyphFont font{FontChoice{}};
        benchmark::DoNotOptimize(font.isValid());
    }
}

// A whole process, from its start to its exit, output to /dev/null.
void run(benchmark::State& state, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, argv[0], &quiet, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the process failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}

std::string benchFile(const char* name) { return bench::show().dir.filePath(name).toStdString(); }

// One 10-point frame.
const std::string& oneFrame() {
    static const std::string path = [] {
        const std::string p = benchFile("one.ild");
        QFile f(QString::fromStdString(p));
        f.open(QIODevice::WriteOnly);
        for (int frame = 0; frame < 2; ++frame) {
            FrameHeader h{};
            h.setSignature("ILDA");
            h.setPointCount(frame == 0 ? 10 : 0);
            h.setFrameNumber(frame);
            h.setTotalFrames(1);
            f.write(reinterpret_cast<const char*>(&h), sizeof h);
            if (frame == 0) f.write(QByteArray(10 * sizeof(Point3D), '\0'));
        }
        return p;
    }();
    return path;
}

const std::string Tool = QUORVEL_ILDA_TOOL;

void BM_ToolInfo(benchmark::State& state) { run(state, {Tool, "info", oneFrame()}); }
void BM_ToolCopyOneFrame(benchmark::State& state) { run(state, {Tool, "copy", oneFrame(), benchFile("out1.ild")}); }
void BM_ToolCopyShow(benchmark::State& state) {
    run(state, {Tool, "copy", bench::show().path.toStdString(), benchFile("out.ild")});
}
void BM_CpShow(benchmark::State& state) {
    run(state, {"/bin/cp", bench::show().path.toStdString(), benchFile("cp.ild")});
}
void BM_EditorVersion(benchmark::State& state) { run(state, {QUORVEL_EDITOR, "--version"}); }

// The editor from exec to its first painted window, on the offscreen screen the benchmarks run
// on, as a whole process.
// The editor runs from a program folder of its own, so that no other copy's lock, marker or
// frames can ask it anything.
void BM_EditorFirstPaint(benchmark::State& state) {
    const QString editor = programFolder().filePath("quorvel");
    if (!QFile::exists(editor)) QFile::copy(QStringLiteral(QUORVEL_EDITOR), editor);
    qputenv("QUORVEL_EXIT_AFTER_PAINT", "1");
    run(state, {editor.toStdString()});
    qunsetenv("QUORVEL_EXIT_AFTER_PAINT");
}

}  // namespace

BENCHMARK(BM_EditorStartUp)->Name("StartUp/Editor")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowStartUp)->Name("StartUp/Window")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FontLookup)->Name("StartUp/TextToolFont")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorVersion)->Name("Process/EditorLoadsAndExits")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorFirstPaint)->Name("Process/EditorFirstPaint")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToolInfo)->Name("Process/ToolInfo1Frame")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToolCopyOneFrame)->Name("Process/ToolCopy1Frame")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ToolCopyShow)->Name("Process/ToolCopy10000x500")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CpShow)->Name("Process/Cp10000x500")->Unit(benchmark::kMillisecond)->UseRealTime();
