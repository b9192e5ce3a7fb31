// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What both halves of quorvel-ilda share: the usage, plain output, the checks on the input file
// and the copy. `quorvel-ilda` itself reads and writes ILDA files with the standard library
// alone, so it starts in a fraction of the time a program loading Qt takes; drawing, SVG import,
// laser output and copies for SD-card projectors (which need the user's palettes and settings)
// run in the companion `quorvel-ilda-media`, which it starts in its place.
#include "ilda/IldaFileWriter.h"
#include "ilda/IldaReader.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::tool {

using Args = std::vector<std::string>;

extern const char* const Usage;
// Where the companion finds the folder quorvel-ilda was started from, for the user's settings.
inline constexpr char ProgramFolderVariable[] = "QUORVEL_ILDA_FOLDER";

void err(const std::string& text);
void out(const std::string& text);
// A file name as it may go to a terminal: control characters (a newline, the escape that starts
// a terminal's commands) as \xNN, so that a name can neither forge lines nor drive the terminal.
std::string printable(const std::string& name);
bool wantsHelp(const Args& args);
// Asked for, the usage goes to stdout and the command succeeds; after a wrong call, to stderr.
int usage(const char* text, const Args& args);
Args arguments(int argc, char** argv);

// Exit code 2 or 1 with the reason when the input named in `args` cannot be read; 0 when it can.
int checkInput(const Args& args);

// `copy [--sd-card] IN OUT`: IN opened as the editor's Open does, written as OUT as Save As
// writes it; with --sd-card in `colors`.
int copy(const Args& args, const SdCardColors* colors);

// The frames `scan` found in IN, into `written` (OUT, not yet in its place); nothing, said on
// stderr, when IN changed since the walk.
std::optional<CopyReport> copyInto(const std::string& in, const std::string& out, const FrameScan& scan,
                                   IldaFileWriter& written);
// OUT in its place; false, said on stderr, when it could not be written whole.
bool putInPlace(IldaFileWriter& written, const std::string& out);

}  // namespace quorvel::tool
