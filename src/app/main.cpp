#include "shell/Editor.h"
#include "shell/MainWindow.h"
#include "shell/QtPrompts.h"
#include "shell/SingleInstance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    quorvel::QtPrompts prompts;
    QLockFile lock(folder + QStringLiteral("/quorvel.lock"));
    if (!quorvel::claimProgramFolder(lock, prompts)) return 0;
    quorvel::Editor editor(folder, prompts);
    quorvel::MainWindow window(editor);
    prompts.setParent(&window);
    window.show();
    return app.exec();
}
