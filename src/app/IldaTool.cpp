// SPDX-License-Identifier: GPL-3.0-or-later
// quorvel-ilda: the editor's ILDA reading and writing from the command line, through the same
// code the editor runs, with the standard library alone. Drawing, SVG import, laser output and
// copies for SD-card projectors are handed to quorvel-ilda-media.
#include "app/ToolSupport.h"
#include "ilda/IldaRepair.h"

#include <unistd.h>
#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

using namespace quorvel;
using namespace quorvel::tool;

namespace {

// The folder this program was started from, which decides where the user's settings are.
std::string programFolder() {
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    const std::string path(exe, size_t(std::max<ssize_t>(n, 0)));
    return path.substr(0, path.rfind('/'));
}

// Beside this program in a build or a portable copy; in the libexec folder once installed.
std::string mediaProgram(const std::string& folder) {
    const std::string beside = folder + "/quorvel-ilda-media";
    return ::access(beside.c_str(), F_OK) == 0 ? beside : folder + "/" QUORVEL_MEDIA_FROM_BIN "/quorvel-ilda-media";
}

// Name fields hold Latin-1 text; the terminal gets it as UTF-8.
std::string text(std::string_view field) {
    std::string utf8;
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += char(0xC0 | (byte >> 6));
            utf8 += char(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

// Numbers and short fields only: a path may be longer than the line.
template <class... T> std::string format(const char* pattern, T... values) {
    char line[512];
    std::snprintf(line, sizeof line, pattern, values...);
    return line;
}

int info(const Args& args) {
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
        out(format("%10lld format %d %s points %5d name '%s' company '%s'", static_cast<long long>(s.position - 1),
                   int(s.header.formatCode), palette ? "palette" : "frame  ", s.header.pointCount(),
                   text(s.header.frameNameText()).c_str(), text(s.header.companyNameText()).c_str()));
    });
    out(format("frames: %d of %d declared, palettes: %d, points: %lld", scan.framesFound, scan.declaredFrames, palettes,
               static_cast<long long>(points)));
    if (scan.rejected) {
        err("rejected: " + scan.reason);
        return 1;
    }
    if (!scan.reason.empty()) err("note: " + scan.reason);
    return 0;
}

int repair(const Args& args) {
    if (wantsHelp(args) || args.size() != 2 || args[1].empty())
        return usage(
            "usage: quorvel-ilda repair IN OUT\n"
            "Takes every frame section of IN in order, whatever the headers say about the number\n"
            "of frames; steps over palette and colour-table sections; stops at a closing header,\n"
            "at bytes that are no header or at the end; keeps the whole points of a frame cut\n"
            "short. 3-D true-colour frames become 2-D ones, as Open makes them. Writes the frames\n"
            "as OUT, as Save As does. Nothing is written when no frame is found.\n",
            args);
    const RepairScan found = scanLeniently(args[0]);
    out(format("frames found: %d (%lld points), sections skipped: %d", found.scan.framesFound,
               static_cast<long long>(found.points), found.skipped));
    out(format("stopped at byte %lld: ", static_cast<long long>(found.stoppedAt)) + found.stopReason);
    if (found.scan.framesFound == 0) {
        err("quorvel-ilda: no frame found in " + args[0] + "; " + args[1] + " is left as it was");
        return 1;
    }
    IldaFileWriter written(args[1], found.scan.framesFound);  // frames go straight in
    const std::optional<CopyReport> copied = copyInto(args[0], args[1], found.scan, written);
    if (!copied) return 1;
    if (copied->converted) out(format("3-D true-colour frames made 2-D: %d", copied->converted));
    if (copied->cut) out(format("frames cut to their first %d points: %d", MaxPoints, copied->cut));
    if (!putInPlace(written, args[1])) return 1;
    out("written: " + args[1] + format(" (%d frames)", copied->framesCopied));
    return 0;
}

// The companion, in this process's place, with the same arguments.
int startMedia(char** argv) {
    const std::string folder = programFolder();
    ::setenv(ProgramFolderVariable, folder.c_str(), 1);
    const std::string media = mediaProgram(folder);
    ::execv(media.c_str(), argv);
    err("quorvel-ilda: cannot start " + media + ": " + std::strerror(errno));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    const Args args = arguments(argc, argv);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") return usage(Usage, args);
    if (args[0] == "--version" || args[0] == "-v") return std::printf("quorvel-ilda %s\n", QUORVEL_VERSION) < 0;
    const std::string& command = args[0];
    const Args rest(args.begin() + 1, args.end());
    const bool sdCard = command == "copy" && std::ranges::count(rest, "--sd-card") > 0;
    if (command == "render" || command == "import" || command == "play" || sdCard) return startMedia(argv);
    if (command != "info" && command != "copy" && command != "repair") {
        err("quorvel-ilda: unknown command '" + command + "'");
        std::fputs(Usage, stderr);
        return 2;
    }
    if (const int bad = checkInput(rest)) return bad;
    if (command == "info") return info(rest);
    if (command == "copy") return copy(rest, nullptr);
    return repair(rest);
}
