#include "shell/Editor.h"
#include "shell/MainWindow.h"
#include "shell/QtPrompts.h"
#include "shell/SingleInstance.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    QApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    quorvel::QtPrompts prompts;
    QLockFile lock(folder + QStringLiteral("/quorvel.lock"));
    const quorvel::FolderClaim claim = quorvel::claimProgramFolder(lock);
    if (claim == quorvel::FolderClaim::HeldByAnother) {
        prompts.message(quorvel::AlreadyLoaded, quorvel::MessageIcon::Exclamation);
        return 0;
    }
    quorvel::Editor editor(folder, prompts);
    if (claim == quorvel::FolderClaim::NoLock) editor.win.statusNote = quorvel::NoLockNote;
    quorvel::MainWindow window(editor);
    prompts.setParent(&window);
    window.show();
    return app.exec();
}
