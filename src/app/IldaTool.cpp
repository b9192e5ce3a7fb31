// quorvel-ilda: the editor's ILDA reading, writing and drawing from the command line, through
// the same code the editor runs.
#include "ilda/IldaReader.h"
#include "ilda/IldaRepair.h"
#include "ilda/IldaWriter.h"
#include "laser/IdnStream.h"
#include "laser/LaserFrames.h"
#include "model/ProgramPaths.h"
#include "shell/Editor.h"
#include "vector/SvgImport.h"
#include "view/SlotDrawing.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace quorvel;

namespace {

const char* const Usage =
    "usage: quorvel-ilda COMMAND ...\n"
    "  info FILE                          the sections of an ILDA file, then totals\n"
    "  copy [--sd-card] IN OUT            open IN as the editor does, then save it as OUT\n"
    "  render IN FRAME OUT.png [--thumbnail]\n"
    "                                     draw frame FRAME (1-based) of IN as the canvas shows it\n"
    "                                     once the frame is chosen in the strip (axes, grid,\n"
    "                                     markers; 512 x 512), or as its 64 x 64 thumbnail\n"
    "  repair IN OUT                      take every frame IN holds, whatever its headers say,\n"
    "                                     and write them as OUT, which Open then reads whole\n"
    "  import [--palette ilda|pangolin] OUT IN.svg...\n"
    "                                     one frame per SVG drawing, as the editor imports it\n"
    "  play FILE --to HOST[:PORT] [--kpps N] [--fps N] [--loop]\n"
    "                                     stream the frames to a projector over IDN\n"
    "Each command takes --help.\n";

void err(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
void out(const QString& text) { std::printf("%s\n", qPrintable(text)); }

// What the editor would show the user goes to stderr; file choices are the given paths.
class CommandLinePrompts final : public Prompts {
public:
    QString openPath, savePath;
    bool sdCard = false;
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    void message(const QString& text, MessageIcon) override { err(text); }
    QString openFileName(const QString&) override { return openPath; }
    QString saveFileName(const QString&) override { return savePath; }
    QString saveFileName(const QString&, const QString&, bool& otherChosen) override {
        otherChosen = sdCard;
        return savePath;
    }
};

// A frame buffer of its own, so a running editor's is never touched, in memory where the
// system offers it; the palettes and settings the editor of this user would read, read in place.
// Nothing the tool does reaches the user's settings: they are only ever read.
struct Workspace {
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/quorvel-ilda-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/quorvel-ilda-XXXXXX")};
    ProgramPaths paths;
    QString moreSettings;  // the user's, read only
    Workspace() {
        const ProgramPaths installed = programPaths(QCoreApplication::applicationDirPath());
        paths = {dir.path(), installed.configToRead(), dir.path(), installed.paletteFolders};
        moreSettings = installed.moreSettingsFile();
        QDir().mkpath(paths.bufferFolder());
    }
    QString bufferFile() const { return paths.bufferFile(); }
};

// A name or company up to its first zero byte: the editor's own frames are all zeros there.
QString text(const uint8_t* field, int width) {
    int n = 0;
    while (n < width && field[n] != 0) ++n;
    return QString::fromLatin1(reinterpret_cast<const char*>(field), n);
}

bool wantsHelp(const QStringList& args) { return args.contains("--help") || args.contains("-h"); }

// Asked for, the usage goes to stdout and the command succeeds; after a wrong call, to stderr.
int usage(const char* text, const QStringList& args) {
    const bool asked = wantsHelp(args);
    std::fputs(text, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

int info(const QStringList& args) {
    if (wantsHelp(args) || args.size() != 1)
        return usage(
            "usage: quorvel-ilda info FILE\n"
            "One line per section: byte offset, format code, frame or palette, points, name, company.\n",
            args);
    int palettes = 0;
    int64_t points = 0;
    const FrameScan scan = seekFrames(args[0], [&](const IldaSection& s) {
        const bool palette = s.header.formatCode == 2;
        palettes += palette;
        points += palette ? 0 : s.header.pointCount();
        out(QStringLiteral("%1 format %2 %3 points %4 name '%5' company '%6'")
                .arg(s.position - 1, 10)
                .arg(s.header.formatCode)
                .arg(palette ? "palette" : "frame  ")
                .arg(s.header.pointCount(), 5)
                .arg(text(s.header.frameName, 8), text(s.header.companyName, 8)));
    });
    out(QStringLiteral("frames: %1 of %2 declared, palettes: %3, points: %4")
            .arg(scan.framesFound)
            .arg(scan.declaredFrames)
            .arg(palettes)
            .arg(points));
    if (scan.rejected) {
        err(QStringLiteral("rejected: %1").arg(scan.reason));
        return 1;
    }
    if (!scan.reason.isEmpty()) err(QStringLiteral("note: %1").arg(scan.reason));
    return 0;
}

int copy(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool sdCard = args.removeAll("--sd-card") > 0;
    if (wantsHelp(args) || args.size() != 2 || args[1].isEmpty())
        return usage(
            "usage: quorvel-ilda copy [--sd-card] IN OUT\n"
            "Opens IN as the editor's Open does and writes what was loaded as OUT, as Save As does.\n"
            "Nothing is written when no frame could be loaded. With --sd-card, as Save As writes for\n"
            "SD-card projectors: every frame 3-D indexed (format 0) in the ILDA palette.\n",
            args);
    Workspace w;
    CommandLinePrompts prompts;
    Editor editor(w.paths, prompts);
    editor.remembersFiles = false;  // the user's Recent Files are the window's
    const OpenResult opened = editor.openFile(args[0]);
    if (!editor.win.statusNote.isEmpty()) err(editor.win.statusNote);
    if (opened == OpenResult::Unreadable || opened == OpenResult::BufferFailed) return 1;
    if (editor.seq.totalFrames == 0) {
        err(QStringLiteral("quorvel-ilda: no frame could be loaded from %1; %2 is left as it was")
                .arg(args[0], args[1]));
        return 1;
    }
    prompts.savePath = args[1];
    prompts.sdCard = sdCard;
    const WriteResult saved = editor.saveAs();
    if (!saved.ok) {
        err(QStringLiteral("quorvel-ilda: %1 could not be written: %2").arg(args[1], saved.error));
        return 1;
    }
    return 0;
}

int repair(const QStringList& args) {
    if (wantsHelp(args) || args.size() != 2 || args[1].isEmpty())
        return usage(
            "usage: quorvel-ilda repair IN OUT\n"
            "Takes every frame section of IN in order, whatever the headers say about the number\n"
            "of frames; steps over palette and colour-table sections; stops at a closing header,\n"
            "at bytes that are no header or at the end; keeps the whole points of a frame cut\n"
            "short. 3-D true-colour frames become 2-D ones, as Open makes them. Writes the frames\n"
            "as OUT, as Save As does. Nothing is written when no frame is found.\n",
            args);
    const RepairScan found = scanLeniently(args[0]);
    out(QStringLiteral("frames found: %1 (%2 points), sections skipped: %3")
            .arg(found.scan.framesFound)
            .arg(found.points)
            .arg(found.skipped));
    out(QStringLiteral("stopped at byte %1: %2").arg(found.stoppedAt).arg(found.stopReason));
    if (found.scan.framesFound == 0) {
        err(QStringLiteral("quorvel-ilda: no frame found in %1; %2 is left as it was").arg(args[0], args[1]));
        return 1;
    }
    Workspace w;
    const FrameBufferFile buffer(w.bufferFile());
    const CopyReport copied = copyFrames(args[0], found.scan, buffer);
    if (copied.writeFailed || copied.framesCopied != found.scan.framesFound) {
        err(BufferWriteFailed.arg(copied.writeFailed ? copied.error : QStringLiteral("the file changed while read")));
        return 1;
    }
    if (copied.converted) out(QStringLiteral("3-D true-colour frames made 2-D: %1").arg(copied.converted));
    if (copied.cut) out(QStringLiteral("frames cut to their first %1 points: %2").arg(MaxPoints).arg(copied.cut));
    const WriteResult saved = writeIldaFile(buffer, copied.framesCopied, args[1]);
    if (!saved.ok) {
        err(QStringLiteral("quorvel-ilda: %1 could not be written: %2").arg(args[1], saved.error));
        return 1;
    }
    out(QStringLiteral("written: %1 (%2 frames)").arg(args[1]).arg(copied.framesCopied));
    return 0;
}

// The frames of IN in the workspace's frame buffer file, as Open loads them; nothing (and said)
// when the frame buffer file could not take them.
std::optional<CopyReport> loadFrames(const QString& in, const FrameBufferFile& buffer) {
    const FrameScan scan = seekFrames(in);
    if (scan.rejected) err(rejectionText(scan.declaredFrames));
    const CopyReport copied = copyFrames(in, scan, buffer);
    if (!copied.writeFailed) return copied;
    err(BufferWriteFailed.arg(copied.error));
    return std::nullopt;
}

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
    const FrameBufferFile buffer(w.bufferFile());
    const std::optional<CopyReport> loaded = loadFrames(args[0], buffer);
    if (!loaded) return 1;
    const CopyReport& copied = *loaded;
    bool number = false;
    const int frame = args[1].toInt(&number);
    if (!number || frame < 1 || frame > copied.framesCopied) {
        err(QStringLiteral("quorvel-ilda: frame %1 is out of range (the file has %2 frames)")
                .arg(args[1])
                .arg(copied.framesCopied));
        return 2;
    }
    const Settings settings = loadConfig(w.paths.configToRead());
    const Palette palette = loadPalette(w.paths.paletteFolder(settings.paletteChoice), settings.paletteChoice);
    const int size = thumbnail ? ThumbnailSize : CanvasSize;
    QImage image(size, size, QImage::Format_RGB32);
    ImageSurface surface(image);
    if (thumbnail) {
        SlotFile file(buffer.path(), SlotAccess::Read);
        std::vector<uint8_t> scratch(PointAreaSize);
        PathStyle style;
        style.scale = ThumbnailScale;
        style.markers = false;
        drawFrameFromSlot(file, frame, palette, style, surface, scratch);
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
        err(QStringLiteral("quorvel-ilda: cannot write %1: %2").arg(args[2], written.error));
        return 1;
    }
    return 0;
}

// Each SVG becomes a frame, fitted and traced as Import SVG does with the user's point and blank
// spacing: true colour, or indexed in the palette named.
int importSvgs(const QStringList& argsIn) {
    QStringList args = argsIn;
    const int option = int(args.indexOf(QStringLiteral("--palette")));
    QString paletteName;
    if (option >= 0) paletteName = args.value(option + 1), args.remove(option, std::min(2, int(args.size()) - option));
    const bool indexed = !paletteName.isEmpty();
    if (wantsHelp(args) || args.size() < 2 || (option >= 0 && paletteName != "ilda" && paletteName != "pangolin"))
        return usage(
            "usage: quorvel-ilda import [--palette ilda|pangolin] OUT IN.svg [IN2.svg ...]\n"
            "Writes one frame per drawing, in the order given, as the editor's Import SVG draws it:\n"
            "fitted into the canvas, traced with the point and blank spacing of the editor's\n"
            "settings, corners held and blanking anchored for a projector. True colour (format 5),\n"
            "or indexed (format 1) in the palette named. One line per drawing: points, subpaths\n"
            "and elements left out. OUT is left as it was when no drawing could be read.\n",
            args);
    Workspace w;
    const Settings settings = loadConfig(w.paths.configToRead());
    const uint8_t choice = !indexed                ? settings.paletteChoice
                           : paletteName == "ilda" ? uint8_t(IldaPalette)
                                                   : uint8_t(PangolinPalette);
    const Palette palette = loadPalette(w.paths.paletteFolder(choice), choice);
    const MoreSettings more = loadMoreSettings(w.moreSettings);
    const ImportRules rules{settings.pointSpace, settings.blankSpace, more.cornerDwell};
    const FrameBufferFile buffer(w.bufferFile());
    WorkingFrame frame;
    frame.format = indexed ? 1 : 5;
    int frames = 0, unreadable = 0;
    for (const QString& in : args.mid(1)) {
        const SvgDrawing drawing = readSvgFile(in);
        if (!drawing.ok) {
            err(SvgUnreadable.arg(in, drawing.error));
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
                .arg(in)
                .arg(r.added)
                .arg(r.outlines)
                .arg(drawing.skipped)
                .arg(r.fit ? QString() : QStringLiteral(", cut at 20000 points")));
    }
    if (frames == 0) {
        err(QStringLiteral("quorvel-ilda: no drawing could be read; %1 is left as it was").arg(args[0]));
        return 1;
    }
    const WriteResult saved = writeIldaFile(buffer, frames, args[0]);
    if (!saved.ok) {
        err(QStringLiteral("quorvel-ilda: %1 could not be written: %2").arg(args[0], saved.error));
        return 1;
    }
    return unreadable > 0 ? 1 : 0;
}

volatile std::sig_atomic_t interrupted = 0;

// The value after `option`, taken out of `args` with it; `fallback` when it is not there.
QString takeOption(QStringList& args, const QString& option, const QString& fallback = {}) {
    const qsizetype at = args.indexOf(option);
    if (at < 0) return fallback;
    const QString value = args.value(at + 1);
    args.remove(at, std::min<qsizetype>(2, args.size() - at));
    return value;
}

// Streams the frames of a file to a projector, as the editor's playback does while armed, and
// ends with the beam dark and the session closed.
int play(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool loop = args.removeAll("--loop") > 0;
    const QString to = takeOption(args, "--to"), kppsText = takeOption(args, "--kpps", "30"),
                  fpsText = takeOption(args, "--fps");
    bool kppsOk = false, fpsOk = true;
    const int kpps = kppsText.toInt(&kppsOk);
    int fps = fpsText.isEmpty() ? 0 : fpsText.toInt(&fpsOk);
    if (wantsHelp(args) || args.size() != 1 || to.isEmpty() || !kppsOk || kpps < 1 || kpps > 100 || !fpsOk || fps < 0 ||
        fps > 100)
        return usage(
            "usage: quorvel-ilda play FILE --to HOST[:PORT] [--kpps N] [--fps N] [--loop]\n"
            "Opens FILE as the editor does and sends its frames to the IDN projector at HOST\n"
            "(port 7255 unless given): N thousand points a second (30 unless given, 1 to 100), N\n"
            "frames a second (the editor's Play FPS unless given), once or, with --loop, until\n"
            "interrupted. Ends with the beam dark and the session closed.\n",
            args);
    Workspace w;
    const FrameBufferFile buffer(w.bufferFile());
    const std::optional<CopyReport> loaded = loadFrames(args[0], buffer);
    if (!loaded) return 1;
    const CopyReport& copied = *loaded;
    if (copied.framesCopied == 0) {
        err(QStringLiteral("quorvel-ilda: no frame could be loaded from %1").arg(args[0]));
        return 1;
    }
    const Settings settings = loadConfig(w.paths.configToRead());
    const Palette palette = loadPalette(w.paths.paletteFolder(settings.paletteChoice), settings.paletteChoice);
    if (fps == 0) fps = std::max<int>(settings.playFps, 1);
    const qsizetype colon = to.lastIndexOf(':');
    bool portOk = true;
    const int port = colon < 0 ? idn::Port : to.mid(colon + 1).toInt(&portOk);
    if (!portOk || port < 1 || port > 65535) {
        err(QStringLiteral("quorvel-ilda: %1 is no port").arg(to.mid(colon + 1)));
        return 2;
    }
    idn::LaserOutput output;
    QString failure;
    output.onFailed = [&](const QString& why) { failure = why; };
    if (!output.arm({colon < 0 ? to : to.left(colon), uint16_t(port), 0}, kpps * 1000)) {
        err(QStringLiteral("quorvel-ilda: %1").arg(output.error));
        return 1;
    }
    std::signal(SIGINT, [](int) { interrupted = 1; });
    WorkingFrame frame;
    int played = 0;
    do {
        for (int f = 1; f <= copied.framesCopied && failure.isEmpty() && !interrupted; ++f, ++played) {
            buffer.copyFrameToRam(f, frame);
            output.show(idn::frameSamples(frame, palette, {}));
            QDeadlineTimer next(1000 / fps);
            while (!next.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, int(next.remainingTime()));
        }
    } while (loop && failure.isEmpty() && !interrupted);
    output.disarm();
    if (!failure.isEmpty()) {
        err(QStringLiteral("quorvel-ilda: sending to %1 failed: %2").arg(to, failure));
        return 1;
    }
    out(QStringLiteral("played %1 frames to %2 at %3 kpps").arg(played).arg(to).arg(kpps));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    // Drawings may hold text, which Qt lays out only with a GUI application; nothing is shown.
    const bool drawings = argc > 1 && std::strcmp(argv[1], "import") == 0;
    if (drawings && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawings ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h") return usage(Usage, args);
    const QString command = args.takeFirst();
    if (command == "import") return importSvgs(args);
    if (command != "info" && command != "copy" && command != "render" && command != "repair" && command != "play") {
        err(QStringLiteral("quorvel-ilda: unknown command '%1'").arg(command));
        std::fputs(Usage, stderr);
        return 2;
    }
    // The input is the first word that is no option.
    const QStringList words = args.filter(QRegularExpression(QStringLiteral("^(?!--)")));
    if (!wantsHelp(args) && !words.isEmpty() && !QFileInfo(words[0]).isFile()) {
        err(QStringLiteral("quorvel-ilda: cannot read '%1': no such file").arg(words[0]));
        return 2;
    }
    if (QFile in(words.value(0)); !wantsHelp(args) && !words.isEmpty() && !in.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("The file could not be read: %1").arg(in.errorString()));
        return 1;
    }
    if (command == "info") return info(args);
    if (command == "copy") return copy(args);
    if (command == "repair") return repair(args);
    if (command == "play") return play(args);
    return render(args);
}
