// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramPaths.h"
#include "shell/Editor.h"
#include "shell/MainWindow.h"
#include "shell/QtPrompts.h"
#include "shell/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {
constexpr char Usage[] =
    "Usage: quorvel [FILE.ild]\n"
    "Quorvel Laser Editor: draw and edit laser-show frame sequences in ILDA files.\n"
    "\n"
    "  FILE.ild       open this file at start\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n";

bool is(const char* arg, const char* shortName, const char* longName) {
    return std::strcmp(arg, shortName) == 0 || std::strcmp(arg, longName) == 0;
}
}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed, so they work on a console too.
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (is(argv[i], "-h", "--help")) return std::fputs(Usage, stdout) == EOF;
        if (is(argv[i], "-v", "--version")) return std::printf("quorvel %s\n", QUORVEL_VERSION) < 0;
        if (argv[i][0] == '-' || file) {
            std::fprintf(stderr, "quorvel: unexpected argument '%s'\n%s", argv[i], Usage);
            return 2;
        }
        file = argv[i];
    }
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    QApplication app(argc, argv);
    QIcon icon;  // every size drawn for itself: a small icon scaled down from a large one blurs
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/%1x%1.png").arg(size));
    app.setWindowIcon(icon);
    const quorvel::ProgramPaths paths = quorvel::programPaths(QCoreApplication::applicationDirPath());
    quorvel::QtPrompts prompts;
    QDir().mkpath(paths.workFolder);
    QLockFile lock(paths.lockFile());
    QString removed;
    const quorvel::FolderClaim claim = quorvel::claimProgramFolder(lock, &removed);
    if (!removed.isEmpty()) prompts.message(removed, quorvel::MessageIcon::Exclamation);
    if (claim == quorvel::FolderClaim::HeldByAnother) {
        prompts.message(quorvel::AlreadyLoaded, quorvel::MessageIcon::Exclamation);
        return 0;
    }
    quorvel::Editor editor(paths, prompts);
    if (claim == quorvel::FolderClaim::NoLock) editor.win.statusNote = quorvel::NoLockNote;
    quorvel::MainWindow window(editor);
    prompts.setParent(&window);
    window.show();
    if (file) window.openAtStart(QFileInfo(QString::fromLocal8Bit(file)).absoluteFilePath());
    return app.exec();
}
