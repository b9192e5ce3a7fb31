// quorvel-ilda: the editor's ILDA reading, writing and drawing from the command line, through
// the same code the editor runs.
#include "ilda/IldaReader.h"
#include "shell/Editor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace quorvel;

namespace {

const char* const Usage =
    "usage: quorvel-ilda COMMAND ...\n"
    "  info FILE                          the sections of an ILDA file, then totals\n"
    "  copy IN OUT                        open IN as the editor does, then save it as OUT\n"
    "  render IN FRAME OUT.png [--thumbnail]\n"
    "                                     draw frame FRAME (1-based) of IN as the canvas shows it\n"
    "                                     after Open (512 x 512), or as its 64 x 64 thumbnail\n"
    "Each command takes --help.\n";

void err(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
void out(const QString& text) { std::printf("%s\n", qPrintable(text)); }

// What the editor would show the user goes to stderr; file choices are the given paths.
class CommandLinePrompts final : public Prompts {
public:
    QString openPath, savePath;
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    void message(const QString& text, MessageIcon) override { err(text); }
    QString openFileName(const QString&) override { return openPath; }
    QString saveFileName(const QString&) override { return savePath; }
};

// A program folder of its own, so a running editor's frame buffer file is never touched.
struct Workspace {
    QTemporaryDir dir;
    CommandLinePrompts prompts;
    std::unique_ptr<Editor> editor;
    Workspace() {
        const QString installed = QCoreApplication::applicationDirPath();
        for (const char* name : {"ilda.dat", "pangolin.dat", "config.dat"})
            QFile::copy(installed + '/' + name, dir.filePath(name));
        editor = std::make_unique<Editor>(dir.path(), prompts);
    }
    void open(const QString& path) {
        prompts.openPath = path;
        editor->open();
        if (!editor->win.statusNote.isEmpty()) err(editor->win.statusNote);
    }
};

QString text(const uint8_t* field, int width) {
    return QString::fromLatin1(reinterpret_cast<const char*>(field), width);
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
        return usage("usage: quorvel-ilda info FILE\n"
                     "One line per section: byte offset, format code, frame or palette, points, name, company.\n",
                     args);
    const FrameScan scan = seekFrames(args[0]);
    int palettes = 0;
    int64_t points = 0;
    for (const IldaSection& s : scan.sections) {
        const bool palette = s.header.formatCode == 2;
        palettes += palette;
        points += palette ? 0 : s.header.pointCount();
        out(QStringLiteral("%1 format %2 %3 points %4 name '%5' company '%6'")
                .arg(s.position - 1, 10)
                .arg(s.header.formatCode)
                .arg(palette ? "palette" : "frame  ")
                .arg(s.header.pointCount(), 5)
                .arg(text(s.header.frameName, 8), text(s.header.companyName, 8)));
    }
    out(QStringLiteral("frames: %1 of %2 declared, palettes: %3, points: %4")
            .arg(scan.framesFound).arg(scan.declaredFrames).arg(palettes).arg(points));
    if (scan.rejected) {
        err(QStringLiteral("rejected: %1").arg(scan.reason));
        return 1;
    }
    if (!scan.reason.isEmpty()) err(QStringLiteral("note: %1").arg(scan.reason));
    return 0;
}

int copy(const QStringList& args) {
    if (wantsHelp(args) || args.size() != 2)
        return usage("usage: quorvel-ilda copy IN OUT\n"
                     "Opens IN as the editor's Open does and writes what was loaded as OUT, as Save As does.\n",
                     args);
    Workspace w;
    w.open(args[0]);
    w.prompts.savePath = args[1];
    w.editor->saveAs();
    if (w.editor->win.statusNote.startsWith("The file could not be written")) {
        err(w.editor->win.statusNote);
        return 1;
    }
    return 0;
}

int render(const QStringList& argsIn) {
    QStringList args = argsIn;
    const bool thumbnail = args.removeAll("--thumbnail") > 0;
    if (wantsHelp(args) || args.size() != 3)
        return usage("usage: quorvel-ilda render IN FRAME OUT.png [--thumbnail]\n"
                     "Draws frame FRAME (1-based) as the canvas shows it after Open, or as its thumbnail.\n",
                     args);
    bool number = false;
    const int frame = args[1].toInt(&number);
    Workspace w;
    w.open(args[0]);
    if (!number || frame < 1 || frame > w.editor->seq.totalFrames) {
        err(QStringLiteral("quorvel-ilda: frame %1 is out of range (the file has %2 frames)")
                .arg(args[1]).arg(w.editor->seq.totalFrames));
        return 2;
    }
    const int size = thumbnail ? ThumbnailSize : CanvasSize;
    QImage image(size, size, QImage::Format_RGB32);
    ImageSurface surface(image);
    w.editor->drawFrameFromBuffer(frame, thumbnail ? ThumbnailScale : CanvasScale, !thumbnail, surface);
    if (!image.save(args[2], "PNG")) {
        err(QStringLiteral("quorvel-ilda: cannot write %1").arg(args[2]));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h") return usage(Usage, args);
    const QString command = args.takeFirst();
    if (command != "info" && command != "copy" && command != "render") {
        err(QStringLiteral("quorvel-ilda: unknown command '%1'").arg(command));
        std::fputs(Usage, stderr);
        return 2;
    }
    if (!wantsHelp(args) && !args.isEmpty() && !QFileInfo(args[0]).isFile()) {
        err(QStringLiteral("quorvel-ilda: cannot read '%1': no such file").arg(args[0]));
        return 2;
    }
    if (command == "info") return info(args);
    if (command == "copy") return copy(args);
    return render(args);
}
