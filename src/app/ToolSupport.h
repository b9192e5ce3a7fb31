#pragma once
// What both halves of quorvel-ilda share: the usage, plain output and the checks on the input
// file. `quorvel-ilda` itself reads and writes ILDA files with Qt Core alone, so it starts
// quickly; drawing, SVG import and laser output need Qt's GUI and network libraries and run in
// the companion `quorvel-ilda-media`, which it starts in its place.
#include <QStringList>

namespace quorvel::tool {

extern const char* const Usage;
// Where the companion finds the folder quorvel-ilda was started from, for the user's settings.
inline constexpr char ProgramFolderVariable[] = "QUORVEL_ILDA_FOLDER";

void err(const QString& text);
void out(const QString& text);
bool wantsHelp(const QStringList& args);
// Asked for, the usage goes to stdout and the command succeeds; after a wrong call, to stderr.
int usage(const char* text, const QStringList& args);
QStringList arguments(int argc, char** argv);

// Exit code 2 or 1 with the reason when the input named in `args` cannot be read; 0 when it can.
int checkInput(const QStringList& args);

}  // namespace quorvel::tool
