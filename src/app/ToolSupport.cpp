// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolSupport.h"

#include "ilda/IldaReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
    "Each command takes --help. --version prints the version.\n";

void err(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }
std::string printable(const std::string& name) {
    std::string shown;
    for (const unsigned char c : name) {
        if (c >= 0x20 && c != 0x7F) {
            shown += char(c);
            continue;
        }
        static constexpr char Hex[] = "0123456789ABCDEF";
        shown += {'\\', 'x', Hex[c >> 4], Hex[c & 15]};
    }
    return shown;
}

void out(const std::string& text) { std::printf("%s\n", text.c_str()); }

bool wantsHelp(const Args& args) {
    return std::ranges::any_of(args, [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int usage(const char* text, const Args& args) {
    const bool asked = wantsHelp(args);
    std::fputs(text, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

Args arguments(int argc, char** argv) { return Args(argv + std::min(argc, 1), argv + argc); }

int checkInput(const Args& args) {
    if (wantsHelp(args)) return 0;
    // The input is the first word that is no option.
    const auto word = std::ranges::find_if(args, [](const std::string& a) { return !a.starts_with("--"); });
    if (word == args.end()) return 0;
    if (struct stat st{}; ::stat(word->c_str(), &st) != 0) {
        err("quorvel-ilda: cannot read '" + printable(*word) + "': no such file");
        return 2;
    } else if (!S_ISREG(st.st_mode)) {  // a folder, or a pipe that would hold the tool
        err("quorvel-ilda: cannot read '" + printable(*word) + "': it is not a regular file");
        return 2;
    }
    const int fd = ::open(word->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) {
        err(FileUnreadableText + std::string(std::strerror(errno)));
        return 1;
    }
    ::close(fd);
    return 0;
}

int copy(const Args& argsIn, const SdCardColors* colors) {
    Args args = argsIn;
    std::erase(args, "--sd-card");
    if (wantsHelp(args) || args.size() != 2 || args[1].empty())
        return usage(
            "usage: quorvel-ilda copy [--sd-card] IN OUT\n"
            "Opens IN as the editor's Open does and writes what was loaded as OUT, as Save As does.\n"
            "Nothing is written when no frame could be loaded. With --sd-card, as Save As writes for\n"
            "SD-card projectors: every frame 3-D indexed (format 0) in the ILDA palette.\n",
            args);
    // Open's walk, then its copy straight into the new file as Save As writes it: the frames
    // need no frame buffer file in between.
    const FrameScan scan = seekFrames(args[0]);
    if (scan.rejected) err(rejectionText(scan.declaredFrames));
    if (scan.framesFound == 0) {
        err("quorvel-ilda: no frame could be loaded from " + args[0] + "; " + args[1] + " is left as it was");
        return 1;
    }
    IldaFileWriter written(args[1], scan.framesFound, colors);
    const std::optional<CopyReport> copied = copyInto(args[0], args[1], scan, written);
    if (!copied) return 1;
    if (scan.tooManyFrames) err(TooManyFramesText);
    if (const std::string notes = conversionNotes(*copied); !notes.empty()) err(notes);
    return putInPlace(written, args[1]) ? 0 : 1;
}

std::optional<CopyReport> copyInto(const std::string& in, const std::string& out, const FrameScan& scan,
                                   IldaFileWriter& written) {
    const CopyReport copied = copyFrames(in, scan, written);
    if (copied.framesCopied == scan.framesFound) return copied;
    err("quorvel-ilda: " + in + " changed while it was read; " + out + " is left as it was");
    return std::nullopt;
}

bool putInPlace(IldaFileWriter& written, const std::string& out) {
    const WriteResult saved = written.commit();
    if (!saved.ok) err("quorvel-ilda: " + out + " could not be written: " + saved.error);
    return saved.ok;
}

}  // namespace quorvel::tool
