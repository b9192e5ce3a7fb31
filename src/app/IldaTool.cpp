// quorvel-ilda: the editor's ILDA reading and writing from the command line, through the same
// code the editor runs. Drawing, SVG import and laser output are handed to quorvel-ilda-media.
#include "app/ToolSupport.h"
#include "ilda/IldaRepair.h"
#include "ilda/IldaWriter.h"
#include "model/ProgramPaths.h"
#include "model/Settings.h"
#include "shell/Texts.h"

#include <unistd.h>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace quorvel;
using namespace quorvel::tool;

namespace {

// The folder this program was started from, which decides where the user's settings are.
QString programFolder() { return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath(); }

// Beside this program in a build or a portable copy; in the libexec folder once installed.
QString mediaProgram(const QString& folder) {
    const QString beside = folder + QStringLiteral("/quorvel-ilda-media");
    return QFileInfo::exists(beside) ? beside
                                     : folder + QStringLiteral("/" QUORVEL_MEDIA_FROM_BIN "/quorvel-ilda-media");
}

QString text(std::string_view field) { return QString::fromLatin1(field.data(), qsizetype(field.size())); }

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
                .arg(text(s.header.frameNameText()), text(s.header.companyNameText())));
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
    Palette inUse, ilda;  // for SD cards: the palettes the editor of this user would save with
    bool inUseIsIlda = true;
    if (sdCard) {
        const ProgramPaths paths = programPaths(programFolder());
        const uint8_t choice = loadConfig(paths.configToRead()).paletteChoice;
        inUse = loadPalette(paths.paletteFolder(choice), choice);
        inUseIsIlda = choice == IldaPalette;
        ilda = inUseIsIlda ? inUse : loadPalette(paths.paletteFolder(IldaPalette), IldaPalette);
    }
    const SdCardColors colors{ilda, inUse, inUseIsIlda};
    // Open's walk, then its copy straight into the new file as Save As writes it: the frames
    // need no frame buffer file in between.
    const FrameScan scan = seekFrames(args[0]);
    if (scan.rejected) err(rejectionText(scan.declaredFrames));
    if (scan.framesFound == 0) {
        err(QStringLiteral("quorvel-ilda: no frame could be loaded from %1; %2 is left as it was")
                .arg(args[0], args[1]));
        return 1;
    }
    IldaFileWriter written(args[1], scan.framesFound, sdCard ? &colors : nullptr);
    const CopyReport copied = copyFrames(args[0], scan, written);
    if (copied.framesCopied != scan.framesFound) {
        err(QStringLiteral("quorvel-ilda: %1 changed while it was read; %2 is left as it was").arg(args[0], args[1]));
        return 1;
    }
    if (scan.tooManyFrames) err(TooManyFramesNote);
    if (const QString notes = conversionNotes(copied); !notes.isEmpty()) err(notes);
    if (const WriteResult saved = written.commit(); !saved.ok) {
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
    IldaFileWriter written(args[1], found.scan.framesFound);  // the frames go straight into it
    const CopyReport copied = copyFrames(args[0], found.scan, written);
    if (copied.framesCopied != found.scan.framesFound) {
        err(QStringLiteral("quorvel-ilda: %1 changed while it was read; %2 is left as it was").arg(args[0], args[1]));
        return 1;
    }
    if (copied.converted) out(QStringLiteral("3-D true-colour frames made 2-D: %1").arg(copied.converted));
    if (copied.cut) out(QStringLiteral("frames cut to their first %1 points: %2").arg(MaxPoints).arg(copied.cut));
    const WriteResult saved = written.commit();
    if (!saved.ok) {
        err(QStringLiteral("quorvel-ilda: %1 could not be written: %2").arg(args[1], saved.error));
        return 1;
    }
    out(QStringLiteral("written: %1 (%2 frames)").arg(args[1]).arg(copied.framesCopied));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    const QStringList args = arguments(argc, argv);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h") return usage(Usage, args);
    const QString command = args[0];
    if (command == "render" || command == "import" || command == "play") {
        const QString folder = programFolder();
        ::setenv(ProgramFolderVariable, QFile::encodeName(folder).constData(), 1);
        const QByteArray media = QFile::encodeName(mediaProgram(folder));
        ::execv(media.constData(), argv);
        err(QStringLiteral("quorvel-ilda: cannot start %1: %2")
                .arg(QFile::decodeName(media), QString::fromLocal8Bit(std::strerror(errno))));
        return 1;
    }
    if (command != "info" && command != "copy" && command != "repair") {
        err(QStringLiteral("quorvel-ilda: unknown command '%1'").arg(command));
        std::fputs(Usage, stderr);
        return 2;
    }
    const QStringList rest = args.mid(1);
    if (const int bad = checkInput(rest)) return bad;
    if (command == "info") return info(rest);
    if (command == "copy") return copy(rest);
    return repair(rest);
}
