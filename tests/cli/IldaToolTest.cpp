// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-ilda as a user runs it: a real process, real files.
#include "IdnReceiver.h"
#include "IldaBuilder.h"
#include "laser/LaserFrames.h"
#include "TestSupport.h"
#include "ilda/IldaOpen.h"
#include "model/NearestColor.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QUdpSocket>
#include <set>
#include <csignal>
#include <cstring>
#include <unordered_map>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct ToolRun { int exitCode; QString out, err; };

ToolRun tool(const QStringList& args, const QString& program = QStringLiteral(QUORVEL_ILDA_TOOL)) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
}

// A sample written for SD-card projectors: all frames 3-D indexed, in the same places as in its
// plain copy with the same status bytes, each colour the ILDA palette's nearest, and the editor
// opens it whole.
void expectSdCardCopy(const QString& plain, const QString& sd, const NearestPaletteColor& nearest) {
    const FrameScan a = seekFrames(plain), b = seekFrames(sd);
    ASSERT_FALSE(b.rejected);
    ASSERT_EQ(a.framesFound, b.framesFound);
    const QByteArray from = readFile(plain), to = readFile(sd);
    std::unordered_map<Rgb, uint8_t> nearestOf;  // the samples use few colours, each many times
    for (int f = 1; f <= a.framesFound; ++f) {
        const FrameHeader& h = a.headerOf(f);
        ASSERT_EQ(std::pair(int(b.headerOf(f).formatCode), b.headerOf(f).pointCount()), std::pair(0, h.pointCount()));
        const int size = recordSize(h.formatCode);
        std::vector<Point3D> expected(size_t(h.pointCount()));
        for (int k = 0; k < h.pointCount(); ++k) {  // X and Y as they were, Z zero, the status kept
            const char* p = from.constData() + a.fileFramePos[f] - 1 + 32 + size * k;
            Point3D& e = expected[size_t(k)];
            std::memcpy(&e, p, 4);
            e.status = uint8_t(p[h.formatCode == 0 ? 6 : 4]);
            e.colorIndex = uint8_t(p[size - 1]);
            if (h.formatCode != 5) continue;
            const Rgb c = rgb(uint8_t(p[7]), uint8_t(p[6]), uint8_t(p[5]));
            if (!nearestOf.count(c)) nearestOf[c] = nearest(c);
            e.colorIndex = nearestOf[c];
        }
        const QByteArray written = to.mid(b.fileFramePos[f] - 1 + 32, qsizetype(expected.size() * sizeof(Point3D)));
        ASSERT_TRUE(written == QByteArray::fromRawData(reinterpret_cast<const char*>(expected.data()), written.size()))
            << "frame " << f;
    }
}
}  // namespace

// Every public sample survives Open followed by Save As: the frames Open loaded come back with
// their format, names and point records byte for byte, 3-D true colour as 2-D, renumbered; and
// saved for SD-card projectors as well.
TEST(IldaTool, CopiesEverySampleWithEveryLoadedFrameIntact) {
    const NearestPaletteColor nearest(loadPalette(QStringLiteral(QUORVEL_DATA_DIR), IldaPalette), 256);
    QStringList files;
    for (const QString& folder : {QStringLiteral(QUORVEL_SAMPLES_DIR), QStringLiteral(QUORVEL_MORE_SAMPLES_DIR)}) {
        if (folder.isEmpty()) continue;
        for (const QFileInfo& f : QDir(folder).entryInfoList({"*.ild"}, QDir::Files, QDir::Name)) files << f.filePath();
    }
    ASSERT_GE(files.size(), 6);
    if (QStringLiteral(QUORVEL_MORE_SAMPLES_DIR).isEmpty())
        std::printf("[   NOTE   ] the samples of tests/data only: no QUORVEL_MORE_SAMPLES_DIR given\n");
    // Damaged on purpose: Open loads the frames before the damage and says so.
    const QStringList damaged = {"laserboy-formatt.ild", "laserdraw-erweitertes-162.ild"};
    QTemporaryDir dir;
    for (const QString& in : files) {
        const QString sample = QFileInfo(in).fileName(), out = dir.filePath(sample);
        SCOPED_TRACE(sample.toStdString());
        const ToolRun r = tool({"copy", in, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err.contains("err totframes="), damaged.contains(sample));
        const FrameScan original = seekFrames(in), saved = seekFrames(out);
        const QByteArray a = readFile(in), b = readFile(out);
        ASSERT_FALSE(saved.rejected);
        ASSERT_EQ(saved.framesFound, original.framesFound);
        for (int i = 1; i <= saved.framesFound; ++i) {
            const FrameHeader from = headerAt(a, original.fileFramePos[i] - 1), to = headerAt(b, saved.fileFramePos[i] - 1);
            if (from.formatCode == 3) continue;  // never copied
            EXPECT_EQ(std::pair(to.frameNumber(), to.totalFrames()), std::pair(i, saved.framesFound));
            EXPECT_EQ(std::memcmp(to.frameName, from.frameName, 16), 0) << "name and company of frame " << i;
            const int count = std::min(from.pointCount(), MaxPoints);
            ASSERT_EQ(to.pointCount(), count);
            const char* p = a.constData() + original.fileFramePos[i] - 1 + 32;
            const char* q = b.constData() + saved.fileFramePos[i] - 1 + 32;
            if (from.formatCode != 4) {
                ASSERT_EQ(to.formatCode, from.formatCode);
                ASSERT_EQ(std::memcmp(p, q, size_t(count) * recordSize(from.formatCode)), 0) << "frame " << i;
                continue;
            }
            ASSERT_EQ(to.formatCode, 5);
            QByteArray expected(8 * count, '\0');
            for (int k = 0; k < count; ++k) {  // X, Y, then status and colours; Z dropped
                std::memcpy(expected.data() + 8 * k, p + 10 * k, 4);
                std::memcpy(expected.data() + 8 * k + 4, p + 10 * k + 6, 4);
            }
            ASSERT_EQ(std::memcmp(q, expected.constData(), size_t(expected.size())), 0) << "frame " << i;
        }
        ASSERT_EQ(tool({"copy", "--sd-card", in, dir.filePath("SHOW.ILD")}).exitCode, 0);
        expectSdCardCopy(out, dir.filePath("SHOW.ILD"), nearest);
    }
}

TEST(IldaTool, InfoListsSectionsAndRenderDrawsAsTheCanvasOrTheStrip) {
    QTemporaryDir dir;
    QByteArray unnamed = IldaBuilder().section(2, 2, 2).section(1, 3, 2, "hello").section(0, 5, 2).bytes();
    unnamed.replace(32 + 6 + 32 + 18 + 8, 16, QByteArray(16, '\0'));  // as the editor's own frames are
    unnamed[32 + 6 + 16] = '\xE9', unnamed[32 + 6 + 13] = '\x80';  // Latin-1, the first byte past ASCII too, printed as UTF-8
    const QString in = IldaBuilder().raw(unnamed).save(dir.filePath("in.ild"));
    const ToolRun r = tool({"info", in});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains("format 2 palette")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("        38 format 1 frame   points     3 name 'hello\u0080  ' company '\u00e9ests   '"));
    EXPECT_TRUE(lines[2].endsWith("name '' company ''")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "frames: 2 of 2 declared, palettes: 1, points: 8");

    for (const auto& [extra, size] : {std::pair{QStringList{}, 512}, std::pair{QStringList{"--thumbnail"}, 64}}) {
        ASSERT_EQ(tool(QStringList{"render", in, "2", dir.filePath("frame.png")} + extra).exitCode, 0);
        EXPECT_EQ(QImage(dir.filePath("frame.png")).size(), QSize(size, size));
    }
    const QImage thumb(dir.filePath("frame.png"));  // no markers in the strip: the points and lines alone
    int lit = 0;
    for (int k = 0; k < 64 * 64; ++k) lit += (thumb.pixel(k % 64, k / 64) & 0xFFFFFF) != 0;
    EXPECT_EQ(lit, 2);
    // As the canvas shows a chosen frame: the first point's green square at the point (X = 0,
    // Y = 0 is pixel (255, 257)), the axes and the grid dots over it.
    const ToolRun quiet = tool({"render", in, "1", dir.filePath("one.png")});
    ASSERT_EQ(std::pair(quiet.exitCode, quiet.err), std::pair(0, QString()));  // a file loaded whole: no warning
    const QImage one(dir.filePath("one.png"));
    EXPECT_EQ(one.pixelColor(255 + 4, 257 - 4), QColor(0, 255, 0));
    EXPECT_EQ(one.pixelColor(256, 100), QColor(50, 50, 50));
    EXPECT_EQ(one.pixelColor(10, 10), QColor(255, 255, 255));
}

// Wrong use, input it could not read, output it could not write whole: a failure that says
// why, and whatever was at the output name before is still there.
TEST(IldaTool, FailuresSayWhyAndLeaveTheOutputAsItWas) {
    QTemporaryDir dir;
    const QString in = IldaBuilder().section(1, 300, 1).save(dir.filePath("in.ild"));
    const QString empty = IldaBuilder().save(dir.filePath("empty.ild"));
    const QString rejected = IldaBuilder().raw(QByteArray(64, 'q')).save(dir.filePath("rejected.ild"));
    const QString kept = dir.filePath("kept");
    // A file-size limit a little short of the picture: only the last bytes of the PNG fail.
    ASSERT_EQ(tool({"render", in, "1", dir.filePath("whole.png")}).exitCode, 0);
    const int shortOfPng = int((QFileInfo(dir.filePath("whole.png")).size() - 1) / 512);
    ASSERT_GT(shortOfPng, 1);
    struct Case { QStringList args; int exitCode; int limitBlocks; const char* says; };
    const Case cases[] = {
        {{}, 2, 0, "usage: quorvel-ilda"}, {{"explode", in}, 2, 0, "unknown command 'explode'"},
        {{"copy", in, ""}, 2, 0, "usage: quorvel-ilda copy"}, {{"repair", in}, 2, 0, "usage: quorvel-ilda repair"},
        {{"repair", in, ""}, 2, 0, "usage: quorvel-ilda repair"},
        {{"render", in, "2", kept}, 2, 0, "frame 2 is out of range (the file has 1 frames)"},
        {{"info", rejected}, 1, 0, "rejected: "}, {{"copy", empty, kept}, 1, 0, "no frame could be loaded"},
        {{"copy", rejected, kept}, 1, 0, "no frame could be loaded"},
        {{"copy", dir.path(), kept}, 2, 0, "it is not a regular file"}, {{"copy", dir.filePath("gone"), kept}, 2, 0, "no such file"},
        {{"play", dir.path(), "--to", "127.0.0.1:9"}, 2, 0, "it is not a regular file"},  // refused before anything is sent
        {{"copy", in, kept}, 1, 1, "File too large"},  // a half-kilobyte file-size limit: a full disk
        {{"render", in, "1", kept}, 1, 1, "File too large"},
        {{"render", in, "1", kept}, 1, shortOfPng, "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        IldaBuilder().raw("what was there").save(kept);
        const QString limit = QStringLiteral("ulimit -f %1 && exec \"$0\" \"$@\"").arg(c.limitBlocks);
        const ToolRun r = c.limitBlocks ? tool(QStringList{"-c", limit, QUORVEL_ILDA_TOOL} + c.args, "/bin/sh") : tool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(readFile(kept), "what was there");
    }
    // Asked with as many other arguments as the command takes: help all the same.
    for (const QStringList& asked : {QStringList{"-h"}, {"info", "--help"}, {"repair", "-h", "x"}, {"copy", "--help", "x"},
                                     {"render", "-h", "x", "1"}, {"import", "-h", "x"}, {"play", "-h", "--to", "x"}}) {
        const ToolRun help = tool(asked);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith("usage: quorvel-ilda " + (asked.size() > 1 ? asked[0] : "COMMAND"))) << help.out.toStdString();
    }
    for (const char* asked : {"--version", "-v"}) {
        const ToolRun version = tool({asked});
        EXPECT_EQ(std::pair(version.exitCode, version.out), std::pair(0, QString("quorvel-ilda 0.1\n")));
    }
}

// Files that Open loads only in part: repair takes every frame they hold, and Open then reads
// the repaired file whole.
TEST(IldaTool, RepairTakesEveryFrameSoThatOpenReadsThemAll) {
    QTemporaryDir dir;
    struct Case { const char* what; QByteArray bytes; int frames; const char* says; };
    const Case cases[] = {
        {"0 frames in every header", IldaBuilder().section(1, 3, 0).section(4, 2, 0).section(0, 0, 0).bytes(), 2,
         "stopped at byte 102: a closing header"},
        {"palette first", IldaBuilder().section(2, 256, 3).section(1, 3, 3).section(5, 2, 3).bytes(), 2,
         "sections skipped: 1"},
        {"zero padding after the last frame", IldaBuilder().section(0, 5, 1).raw(QByteArray(64, '\0')).bytes(), 1,
         "no ILDA header"},
        {"last frame cut short", IldaBuilder().section(5, 10, 2).section(5, 10, 2, "cut", {0, 0, 0}, 4).raw("abc").bytes(),
         2, "frame 2 cut short after 4 of its 10 points"},
        {"a byte short of the closing header", IldaBuilder().section(1, 2, 1).raw(QByteArray(31, 'I')).bytes(), 1,
         "too few for a header (31)"},
        {"codes in the reserved bytes", IldaBuilder().section(0, 2, 1, "odd", {1, 0, 0}).bytes(), 1, "the end of the file"},
        {"a palette to the very end", IldaBuilder().section(1, 2, 1).section(2, 4, 1).bytes(), 1, "the end of the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString in = IldaBuilder().raw(c.bytes).save(dir.filePath("in.ild")), out = dir.filePath("out.ild");
        const ToolRun r = tool({"repair", in, out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.says)) << r.out.toStdString();
        const FrameScan repaired = seekFrames(out);
        EXPECT_FALSE(repaired.rejected);
        EXPECT_EQ(repaired.framesFound, c.frames);
        // The points come from where the walk found the frame: the second point has X = 1.
        const QByteArray written = readFile(out);
        EXPECT_EQ(written.mid(32 + recordSize(headerAt(written, 0).formatCode), 2), QByteArray("\0\1", 2));
    }
    const ToolRun none = tool({"repair", IldaBuilder().raw("not ILDA").save(dir.filePath("x.ild")), dir.filePath("y.ild")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("y.ild")));
    const QString deep = dir.filePath(QString(250, 'd') + '/' + QString(250, 'e') + "/z.ild");  // longer than a line
    QDir().mkpath(QFileInfo(deep).path());
    EXPECT_TRUE(tool({"repair", dir.filePath("in.ild"), deep}).out.endsWith("written: " + deep + " (1 frames)\n"));
}

// The editor answers --help and --version on a console, without a window system, and refuses
// what it does not know.
// One frame per drawing, true colour or in a palette; what cannot be read is said, and with
// nothing readable the output stays as it was.
TEST(IldaTool, ImportMakesAFramePerDrawing) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.svg"), blank = dir.filePath("blank.svg"), out = dir.filePath("out.ild");
    QString good = dir.filePath("good.svg");
    writeFile(good, R"~(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"><text>x</text>
        <rect x="1" y="1" width="8" height="8" stroke="red" fill="none"/><circle cx="5" cy="5" r="2" fill="red"/></svg>)~");
    ASSERT_EQ(QProcess::execute("gzip", {"-S", "z", good}), 0);  // compressed, its text reaches Qt's own renderer
    good += 'z';
    writeFile(bad, "<svg");
    writeFile(blank, R"(<svg xmlns="http://www.w3.org/2000/svg"/>)");  // nothing drawn: an empty frame
    writeFile(out, "old");
    struct Case { QStringList args; int exitCode; int format, frames; };
    const Case cases[] = {
        {{bad}, 1, -1, 0},                              // nothing readable: out stays
        {{dir.filePath("missing.svg")}, 1, -1, 0},
        {{"--palette", "rgb", good}, 2, -1, 0},          // no such palette
        {{good, bad, good}, 1, 5, 2}, {{good, blank}, 0, 5, 2},                    // what could be read is written, and the fault said
        {{good}, 0, 5, 1}, {{"--palette", "ilda", good, good}, 0, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = tool(QStringList{"import", out} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        const FrameScan scan = seekFrames(out);
        EXPECT_EQ(scan.framesFound, c.frames);
        if (c.frames == 0) {
            EXPECT_EQ(readFile(out), "old");
            continue;
        }
        EXPECT_EQ(scan.headerOf(1).formatCode, c.format);
        EXPECT_TRUE(r.out.startsWith(good + QString(": %1 points, 2 subpaths, 1 skipped\n").arg(scan.headerOf(1).pointCount())))
            << r.out.toStdString();
        EXPECT_EQ(r.err.contains("bad.svg could not be read as an SVG drawing"), c.args.contains(bad));
    }
    // The option may come first. The first point's colour is the palette's red; no such palette leaves the file.
    for (const auto& [name, code, red] : {std::tuple{"ilda", 0, 2}, std::tuple{"pangolin", 0, 0}, std::tuple{"rgb", 2, 0}}) {
        EXPECT_EQ(tool({"import", "--palette", name, out, good}).exitCode, code) << name;
        EXPECT_EQ(int(readFile(out)[32 + 5]), red) << name;
    }
}

// A name with a newline or a terminal's escape in it is printed with them written out: it can
// neither forge a line of the report nor drive the terminal.
TEST(IldaTool, ImportPrintsControlCharactersInNamesWrittenOut) {
    QTemporaryDir dir;
    const QString odd = dir.filePath(QString::fromLatin1("a\nb\x1b[31mred.svg"));
    writeFile(odd, R"~(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"><rect width="8" height="8" stroke="red"/></svg>)~");
    const ToolRun r = tool({"import", dir.filePath("out.ild"), odd, odd + "x"});
    EXPECT_TRUE(r.out.startsWith(dir.filePath("a\\x0Ab\\x1B[31mred.svg: "))) << r.out.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1);
    EXPECT_TRUE(r.err.contains("a\\x0Ab\\x1B[31mred.svgx could not be read")) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QChar(0x1b)) || r.err.contains(QChar(0x1b)));
}

// Real drawings made elsewhere: every scalable icon of the desktop's icon theme comes in, each
// within the cap, in one run.
TEST(IldaTool, ImportTakesEveryIconOfTheIconTheme) {
    QStringList icons;
    for (QDirIterator it("/usr/share/icons/Adwaita/scalable", {"*.svg"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        icons << it.next();
    if (icons.isEmpty()) GTEST_SKIP() << "no icon theme installed";
    QTemporaryDir dir;
    const ToolRun r = tool(QStringList{"import", dir.filePath("icons.ild")} + icons);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(seekFrames(dir.filePath("icons.ild")).framesFound, icons.size());
    EXPECT_EQ(r.out.count(" points, "), icons.size());
}

// A file streamed to a projector listening on the loopback address: every frame arrives, then
// the beam goes dark and the session closes. Bad calls exit non-zero before anything is sent.
TEST(IldaTool, PlayStreamsEveryFrameAndEndsDark) {
    QTemporaryDir dir;
    const QString in = IldaBuilder().section(1, 30, 2).section(5, 40, 2).save(dir.filePath("in.ild"));
    IdnReceiver projector;
    QProcess p;
    p.start(QUORVEL_ILDA_TOOL, {"play", in, "--to", QString("127.0.0.1:%1").arg(projector.port()), "--fps", "20", "--kpps", "20"});
    projector.collect(20000, [&] {
        p.waitForFinished(1);
        return p.state() == QProcess::NotRunning;
    });
    projector.collect(100);
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(), QString("played 2 frames to 127.0.0.1:%1 at 20 kpps, 20 frames a second\n").arg(projector.port()).toUtf8());
    std::set<size_t> sizes;  // both frames came: a dark start and 30 or 40 points
    for (const ReceivedFrame& f : projector.frames()) sizes.insert(f.samples.size());
    EXPECT_TRUE(sizes.count(31) && sizes.count(41)) << sizes.size();
    const auto frames = projector.frames();
    for (size_t k : {frames.size() - 1, frames.size() - 2})  // ending with two dark frames
        EXPECT_EQ(frames[k].samples, idn::blackout(frames[k].samples.front()));
    EXPECT_EQ(projector.sessionCloses(), 1);
    EXPECT_EQ(projector.got.size(), frames.back().lastDatagram + 3);  // after the channel close

    // With --loop the frames come round again, each in its turn and none before its time (the
    // frames' own timestamps, in microseconds), until Ctrl+C darkens the beam.
    IdnReceiver looped;
    p.start(QUORVEL_ILDA_TOOL, {"play", in, "--to", QString("127.0.0.1:%1").arg(looped.port()), "--fps", "25", "--loop"});
    std::vector<ReceivedFrame> turns;  // each change of content
    looped.collect(20000, [&] {
        turns.clear();
        for (const ReceivedFrame& f : looped.frames())
            if (turns.empty() || turns.back().samples != f.samples) turns.push_back(f);
        return turns.size() >= 6;
    });
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("played "));
    looped.collect(100);
    ASSERT_GE(turns.size(), 6u);
    for (size_t k = 1; k < 6; ++k) {
        EXPECT_EQ(turns[k].samples.size(), k % 2 ? 31u : 41u) << k;  // 1, 2, 1, 2, 1
        if (k > 1) { EXPECT_GE(turns[k].timestamp - turns[1].timestamp, (k - 1) * 40000 - 2000) << k; }
    }
    EXPECT_EQ(looped.sessionCloses(), 1);
    EXPECT_EQ(looped.frames().back().samples, idn::blackout(looped.frames().back().samples.front()));

    const quint16 closed = closedPort();
    struct Case { QStringList args; int exitCode; };
    const Case cases[] = {
        {{"play", in, "--to", QString("127.0.0.1:%1").arg(closed), "--fps", "50"}, 1},  // nobody listening
        {{"play", in, "--to", "127.0.0.1", "--kpps", "1", "--fps", "0"}, 1},  // the IDN port, the editor's Play FPS: nobody listening either
        {{"play", in, "--to", "127.0.0.1:70000"}, 2}, {{"play", in, "--to", ""}, 2}, {{"play", in, "--to", "127.0.0.1:0"}, 2},
        {{"play", in, "--to", "127.0.0.1:1", "--fps", "100"}, 1}, {{"play", in, "--to", "127.0.0.1:65535", "--fps", "100"}, 1},
        {{"play", in, "--to", "127.0.0.1:1"}, 1},  // no --fps is no mistake: the editor's Play FPS
        {{"play", in}, 2}, {{"play", in, "--to", "127.0.0.1", "--kpps", "0"}, 2},
        {{"play", in, "--to", "127.0.0.1", "--kpps", "100", "--fps", "100"}, 1}, {{"play", in, "--to", "127.0.0.1", "--kpps", "101"}, 2},
        {{"play", in, "--to", "127.0.0.1", "--fps", "101"}, 2}, {{"play", in, "--to", "127.0.0.1", "--fps", "x"}, 2},
        {{"play", dir.filePath("missing.ild"), "--to", "127.0.0.1"}, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(tool(c.args).exitCode, c.exitCode) << c.args.join(' ').toStdString();
    EXPECT_EQ(tool({}, QFileInfo(QUORVEL_ILDA_TOOL).path() + "/quorvel-ilda-media").exitCode, 2);  // started with no command
}

TEST(EditorCommandLine, HelpAndVersionPrintAndExitWithoutAWindow) {
    struct Case { QStringList args; int exitCode; const char *out, *err; };
    const Case cases[] = {
        {{"--version"}, 0, "quorvel 0.1\n", ""},  {{"-v"}, 0, "quorvel 0.1\n", ""},
        // Qt's own options pass, with their values, as QApplication takes them.
        {{"-style", "fusion", "--version"}, 0, "quorvel 0.1\n", ""}, {{"-reverse", "-platform=offscreen", "-v"}, 0, "quorvel 0.1\n", ""},
        {{"-style"}, 2, "", "quorvel: Missing value after '-style'.\n"},
        {{"a.ild", "--help"}, 0, "Usage: quorvel [FILE.ild]\n", ""},
        {{"--frames"}, 2, "", "quorvel: unexpected argument '--frames'\nUsage: quorvel [FILE.ild]\n"},
        {{"a.ild", "b.ild"}, 2, "", "quorvel: unexpected argument 'b.ild'\n"},
    };
    const auto begins = [](const QString& s, const char* start) { return *start ? s.startsWith(start) : s.isEmpty(); };
    for (const Case& c : cases) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY"), env.remove("WAYLAND_DISPLAY"), env.remove("QT_QPA_PLATFORM");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUORVEL_EDITOR), c.args);
        ASSERT_TRUE(p.waitForFinished(20000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput()), err = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_TRUE(p.exitCode() == c.exitCode && begins(out, c.out) && begins(err, c.err)) << c.args.join(' ').toStdString()
            << ": " << p.exitCode() << ' ' << out.toStdString() << err.toStdString();
    }
}
