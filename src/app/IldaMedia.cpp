// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-ilda-media: the commands of quorvel-ilda that draw, read SVG drawings, send to a
// projector or copy for SD-card projectors, which need Qt (its GUI and network libraries, and
// where this user's settings and palettes are); quorvel-ilda starts it for them.
#include "app/ToolSupport.h"
#include "framelist/FrameStrip.h"
#include "ilda/IldaOpen.h"
#include "ilda/IldaWriter.h"
#include "laser/IdnStream.h"
#include "laser/LaserFrames.h"
#include "model/MoreSettings.h"
#include "model/ProgramPaths.h"
#include "model/RegularFile.h"
#include "model/Settings.h"
#include "model/SystemText.h"
#include "shell/Texts.h"
#include "vector/SvgImport.h"
#include "view/ImageSurface.h"
#include "view/SlotDrawing.h"

#include <fcntl.h>
#include <unistd.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>

using namespace quorvel;
using namespace quorvel::tool;

namespace {

// The shared helpers, for Qt's text.
void err(const std::string& text) { tool::err(text); }
void err(const QString& text) { tool::err(toSystem(text)); }
void out(const QString& text) { tool::out(toSystem(text)); }
QString shown(const QString& name) { return fromSystem(tool::printable(toSystem(name))); }
Args toArgs(const QStringList& args) {
    Args bytes;
    for (const QString& a : args) bytes.push_back(toSystem(a));
    return bytes;
}
bool wantsHelp(const QStringList& args) { return tool::wantsHelp(toArgs(args)); }
int usage(const char* text, const QStringList& args) { return tool::usage(text, toArgs(args)); }

// The folder quorvel-ilda was started from, which decides where the user's settings are.
QString programFolder() {
    const QString given = qEnvironmentVariable(ProgramFolderVariable);
    return given.isEmpty() ? QCoreApplication::applicationDirPath() : given;
}

// A frame buffer file of its own, so a running editor's is never touched, in memory where the
// system offers it, and removed without waiting for its pages to be freed. Nothing the tool does
// reaches the user's settings: they are only ever read.
class Workspace {
public:
    Workspace() : programFolder_(programFolder()) {
        const QString folder =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray name = QFile::encodeName(folder + QStringLiteral("/quorvel-ilda-XXXXXX"));
        ::close(::mkstemp(name.data()));  // empty, as a started sequence has it
        buffer_ = FrameBufferFile(QFile::decodeName(name));
    }
    ~Workspace() { buffer_.remove(); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
    const FrameBufferFile& buffer() const { return buffer_; }
    // The user's settings and palettes, as the editor of this user reads them.
    const ProgramPaths& paths() {
        if (!paths_) paths_ = programPaths(programFolder_);
        return *paths_;
    }
    // IN's frames in the frame buffer file as Open loads them, with Open's messages on stderr:
    // how many; nothing when the frame buffer file could not take them.
    std::optional<int> load(const QString& in) const {
        const OpenedFrames opened = openFrames(in, buffer_);
        if (opened.scan.rejected) err(rejectionText(opened.scan.declaredFrames));
        if (opened.copied.writeFailed) {
            err(BufferWriteFailed.arg(fromSystem(opened.copied.error)));
            return std::nullopt;
        }
        if (opened.shortened() && !opened.scan.rejected) err(rejectionText(opened.scan.declaredFrames));
        return opened.copied.framesCopied;
    }

private:
    QString programFolder_;
    FrameBufferFile buffer_{QString()};
    std::optional<ProgramPaths> paths_;
};

// Loads IN into a frame buffer file of the workspace as Open does, then draws one frame as the
// canvas shows it once the frame is chosen in the strip, or as the strip's thumbnail.
int render(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool thumbnail = args.removeAll("--thumbnail") > 0;
    if (wantsHelp(args) || args.size() != 3)
        return usage(
            "usage: quorvel-ilda render IN FRAME OUT.png [--thumbnail]\n"
            "Draws frame FRAME (1-based) as the canvas shows it once the frame is chosen in the\n"
            "strip (axes, grid, point markers; 512 x 512), or as its 64 x 64 thumbnail.\n",
            args);
    Workspace w;
    const std::optional<int> loaded = w.load(args[0]);
    if (!loaded) return 1;
    const int frames = *loaded;
    const FrameBufferFile& buffer = w.buffer();
    const int frame = args[1].toInt();  // 0 when it is no number
    if (frame < 1 || frame > frames) {
        err(QStringLiteral("quorvel-ilda: frame %1 is out of range (the file has %2 frames)").arg(args[1]).arg(frames));
        return 2;
    }
    const Settings settings = loadConfig(w.paths().configToRead());
    const Palette palette = loadPalette(w.paths().paletteFolder(settings.paletteChoice), settings.paletteChoice);
    const int size = thumbnail ? ThumbnailSize : CanvasSize;
    QImage image(size, size, QImage::Format_RGB32);
    ImageSurface surface(image);
    if (thumbnail) {
        SlotFile file(buffer.path(), SlotAccess::Read);
        std::vector<uint8_t> scratch(PointAreaSize);
        drawFrameFromSlot(file, frame, palette, thumbnailStyle(settings.pointSize), surface, scratch);
    } else {
        drawChosenFrame(buffer, frame, palette, {settings.beamMode, settings.gridStep, settings.pointSize}, surface);
    }
    // Encoded in memory, then written whole or not at all: a PNG that was there stays intact
    // when the write fails.
    QByteArray png;
    QBuffer encoded(&png);
    encoded.open(QIODevice::WriteOnly);
    image.save(&encoded, "PNG");
    if (const WriteResult written = writeWholeFile(args[2], png); !written.ok) {
        err(QStringLiteral("quorvel-ilda: cannot write %1: %2").arg(args[2], fromSystem(written.error)));
        return 1;
    }
    return 0;
}

// The value after `option`, taken out of `args` with it; `fallback` when it is not there.
QString takeOption(QStringList& args, const QString& option, const QString& fallback = {}) {
    const qsizetype at = args.indexOf(option);
    if (at < 0) return fallback;
    const QString value = args.value(at + 1);
    args.remove(at, std::min<qsizetype>(2, args.size() - at));
    return value;
}

// Each SVG becomes a frame, fitted and traced as Import SVG does with the user's point and blank
// spacing: true colour, or indexed in the palette named.
int importSvgs(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool indexed = args.contains(QStringLiteral("--palette"));
    const QString paletteName = takeOption(args, QStringLiteral("--palette"));
    if (wantsHelp(args) || args.size() < 2 || (indexed && paletteName != "ilda" && paletteName != "pangolin"))
        return usage(
            "usage: quorvel-ilda import [--palette ilda|pangolin] OUT IN.svg [IN2.svg ...]\n"
            "Writes one frame per drawing, in the order given, as the editor's Import SVG draws it:\n"
            "fitted into the canvas, traced with the point and blank spacing of the editor's\n"
            "settings, corners held and blanking anchored for a projector. True colour (format 5),\n"
            "or indexed (format 1) in the palette named. One line per drawing: points, subpaths\n"
            "and elements left out. OUT is left as it was when no drawing could be read.\n",
            args);
    Workspace w;
    const Settings settings = loadConfig(w.paths().configToRead());
    const uint8_t choice = !indexed                ? settings.paletteChoice
                           : paletteName == "ilda" ? uint8_t(IldaPalette)
                                                   : uint8_t(PangolinPalette);
    const Palette palette = loadPalette(w.paths().paletteFolder(choice), choice);
    const MoreSettings more = loadMoreSettings(w.paths().moreSettingsFile());
    const ImportRules rules{settings.pointSpace, settings.blankSpace, more.cornerDwell};
    const FrameBufferFile& buffer = w.buffer();
    WorkingFrame frame;
    frame.format = indexed ? 1 : 5;
    int frames = 0, unreadable = 0;
    for (const QString& in : args.mid(1)) {
        const SvgDrawing drawing = readSvgFile(in);
        if (!drawing.ok) {
            err(SvgUnreadable.arg(shown(in), drawing.error));
            ++unreadable;
            continue;
        }
        ImportReport r;
        frame.visit([&](auto& record) {
            record.header = blankHeader(frame.format);
            record.pointCount = 0;
            r = importDrawing(frame, drawing, rules, Ink(1, palette.color[1]), palette, paletteEntries(choice));
            refreshForWrite(record);
            if (!buffer.writeSlot(frames + 1, record.header, record.points.data(),
                                  int64_t(sizeof(record.points[0])) * record.pointCount, SlotAccess::Create))
                r.added = -1;
        });
        if (r.added < 0) {
            err(BufferWriteFailed.arg(buffer.error()));
            return 1;
        }
        ++frames;
        out(QStringLiteral("%1: %2 points, %3 subpaths, %4 skipped%5")
                .arg(shown(in))
                .arg(r.added)
                .arg(r.outlines)
                .arg(drawing.skipped)
                .arg(r.fit ? QString() : QStringLiteral(", cut at 20000 points")));
    }
    if (frames == 0) {
        err(QStringLiteral("quorvel-ilda: no drawing could be read; %1 is left as it was").arg(shown(args[0])));
        return 1;
    }
    const WriteResult saved = writeIldaFile(buffer, frames, args[0]);
    if (!saved.ok) {
        err(QStringLiteral("quorvel-ilda: %1 could not be written: %2").arg(shown(args[0]), fromSystem(saved.error)));
        return 1;
    }
    return unreadable > 0 ? 1 : 0;
}

// Ctrl+C: a byte in a pipe the event loop watches, so that it ends at once, between frames.
int interruptions[2] = {-1, -1};

// Streams the frames of a file to a projector, as the editor's playback does while armed, and
// ends with the beam dark and the session closed.
int play(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool loop = args.removeAll("--loop") > 0;
    const QString to = takeOption(args, "--to"), kppsText = takeOption(args, "--kpps", "30"),
                  fpsText = takeOption(args, "--fps");
    bool fpsOk = true;
    const int kpps = kppsText.toInt();  // 0 when it is no number
    int fps = fpsText.isEmpty() ? 0 : fpsText.toInt(&fpsOk);
    if (wantsHelp(args) || args.size() != 1 || to.isEmpty() || kpps < 1 || kpps > 100 || !fpsOk || fps < 0 || fps > 100)
        return usage(
            "usage: quorvel-ilda play FILE --to HOST[:PORT] [--kpps N] [--fps N] [--loop]\n"
            "Opens FILE as the editor does and sends its frames to the IDN projector at HOST\n"
            "(port 7255 unless given; an IPv6 address in brackets, as [::1]:7255): N thousand\n"
            "points a second (30 unless given, 1 to 100), N\n"
            "frames a second (the editor's Play FPS unless given), once or, with --loop, until\n"
            "interrupted. Ends with the beam dark and the session closed.\n",
            args);
    Workspace w;
    const std::optional<int> loaded = w.load(args[0]);
    if (!loaded) return 1;
    const int frames = *loaded;
    const FrameBufferFile& buffer = w.buffer();
    if (frames == 0) {
        err(QStringLiteral("quorvel-ilda: no frame could be loaded from %1").arg(args[0]));
        return 1;
    }
    const Settings settings = loadConfig(w.paths().configToRead());
    const Palette palette = loadPalette(w.paths().paletteFolder(settings.paletteChoice), settings.paletteChoice);
    if (fps == 0) fps = std::max<int>(settings.playFps, 1);
    const std::optional<idn::Target> target = idn::parseTarget(to);
    if (!target) {
        err(QStringLiteral("quorvel-ilda: %1 is no projector address (HOST, HOST:PORT or [IPv6]:PORT)").arg(to));
        return 2;
    }
    // The stream runs on this thread: it wakes once a frame, at the frame's time, and sends it.
    idn::IdnStream stream;
    if (!stream.open(*target, kpps * 1000)) {
        err(QStringLiteral("quorvel-ilda: %1").arg(stream.error));
        return 1;
    }
    QEventLoop running;
    QString failure;
    QObject::connect(&stream, &idn::IdnStream::failed, &running, [&](const QString& why) {
        failure = why;
        running.quit();
    });
    QSocketNotifier interrupted(::pipe2(interruptions, O_CLOEXEC | O_NONBLOCK) == 0 ? interruptions[0] : -1,
                                QSocketNotifier::Read);
    QObject::connect(&interrupted, &QSocketNotifier::activated, &running, &QEventLoop::quit);
    std::signal(SIGINT, [](int) { [[maybe_unused]] const auto w = ::write(interruptions[1], "", 1); });
    // Frame k is due k periods after the first, on the monotonic clock. Each is loaded and handed
    // over as the one before it goes, a period ahead of its time: the time a frame takes to load
    // never delays it nor adds up.
    const QDeadlineTimer first = QDeadlineTimer::current(Qt::PreciseTimer);
    const int64_t period = 1'000'000'000 / fps;
    QTimer lastOne;  // the last frame is shown its time too
    lastOne.setTimerType(Qt::PreciseTimer);
    lastOne.setSingleShot(true);
    QObject::connect(&lastOne, &QTimer::timeout, &running, &QEventLoop::quit);
    WorkingFrame frame;
    SlotFile file(buffer.path(), SlotAccess::Read);
    int handed = 0, played = 0;
    const auto handOver = [&] {
        if (!failure.isEmpty()) return running.quit();
        if (handed % frames == 0 && handed > 0 && !loop) return lastOne.start(int(period / 1'000'000));
        loadSlot(file, handed % frames + 1, frame, SlotPart::ValidPoints);
        stream.show(idn::frameSamples(frame, palette, {}), QDeadlineTimer::addNSecs(first, handed++ * period));
    };
    QObject::connect(&stream, &idn::IdnStream::frameTaken, &running, [&] {
        ++played;
        handOver();
    });
    handOver();
    if (failure.isEmpty()) running.exec();
    stream.close();
    if (!failure.isEmpty()) {
        err(QStringLiteral("quorvel-ilda: sending to %1 failed: %2").arg(to, failure));
        return 1;
    }
    out(QStringLiteral("played %1 frames to %2 at %3 kpps, %4 frames a second").arg(played).arg(to).arg(kpps).arg(fps));
    return 0;
}

// copy --sd-card, with the palettes this user's editor would save with.
int copyForSdCard(const Args& args) {
    const ProgramPaths paths = programPaths(programFolder());
    const uint8_t choice = loadConfig(paths.configToRead()).paletteChoice;
    const Palette inUse = loadPalette(paths.paletteFolder(choice), choice);
    const bool inUseIsIlda = choice == IldaPalette;
    const Palette ilda = inUseIsIlda ? inUse : loadPalette(paths.paletteFolder(IldaPalette), IldaPalette);
    const SdCardColors colors{ilda, inUse, inUseIsIlda};
    return copy(args, &colors);
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    // Text is taken out of drawings before Qt sees them; should any still reach Qt's renderer,
    // Qt lays it out only with a GUI application. Nothing is shown.
    const bool drawings = argc > 1 && std::strcmp(argv[1], "import") == 0;
    if (drawings && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawings ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == "import") return importSvgs(args);
    if (command != "render" && command != "play" && command != "copy") {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (const int bad = checkInput(toArgs(args))) return bad;
    if (command == "copy") return copyForSdCard(toArgs(args));
    return command == "play" ? play(args) : render(args);
}
