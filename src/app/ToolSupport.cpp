#include "app/ToolSupport.h"

#include "shell/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace quorvel::tool {

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

bool wantsHelp(const QStringList& args) { return args.contains("--help") || args.contains("-h"); }

int usage(const char* text, const QStringList& args) {
    const bool asked = wantsHelp(args);
    std::fputs(text, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

QStringList arguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
}

int checkInput(const QStringList& args) {
    if (wantsHelp(args)) return 0;
    // The input is the first word that is no option.
    const auto word = std::find_if(args.begin(), args.end(), [](const QString& a) { return !a.startsWith("--"); });
    if (word == args.end()) return 0;
    if (!QFileInfo(*word).isFile()) {
        err(QStringLiteral("quorvel-ilda: cannot read '%1': no such file").arg(*word));
        return 2;
    }
    if (QFile in(*word); !in.open(QIODevice::ReadOnly)) {
        err(FileUnreadableNote.arg(in.errorString()));
        return 1;
    }
    return 0;
}

}  // namespace quorvel::tool
