// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramPaths.h"
#include "shell/Editor.h"
#include "shell/HandOver.h"
#include "shell/MainWindow.h"
#include "shell/QtPrompts.h"
#include "shell/SingleInstance.h"
#include "shell/Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QRegularExpression>
#include <QTimer>
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
    "  -v, --version  show the version and exit\n"
    "Qt's own options work as well, such as -style NAME, -platform NAME and -reverse.\n";

// The options every Qt program takes, which QApplication reads itself: those followed by a value,
// then those that stand alone.
const char* const QtValueOptions[] = {"platform",      "platformpluginpath",
                                      "platformtheme", "plugin",
                                      "qmljsdebugger", "qwindowgeometry",
                                      "qwindowicon",   "qwindowtitle",
                                      "session",       "display",
                                      "geometry",      "style",
                                      "stylesheet",    "title",
                                      "name",          "visual"};
const char* const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

struct CommandLine {
    int exitNow = -1;  // 0 after --help or --version, 2 after a wrong argument; -1 to go on
    QString file;
};

// Read before any window system is needed, so that --help, --version and mistakes are answered
// on a console too.
CommandLine readCommandLine(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"}), version(QStringList{"v", "version"});
    parser.addOption(help), parser.addOption(version);
    for (const char* name : QtValueOptions) parser.addOption({QString::fromLatin1(name), {}, QStringLiteral("value")});
    for (const char* name : QtFlagOptions) parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    const bool ok = parser.parse(args);
    if (parser.isSet(help)) return {std::fputs(Usage, stdout) == EOF, {}};
    if (parser.isSet(version)) return {std::printf("quorvel %s\n", QUORVEL_VERSION) < 0, {}};
    const QStringList files = parser.positionalArguments();
    QString wrong = files.size() > 1 ? files[1] : QString();
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().front();
        wrong = args.filter(QRegularExpression(QStringLiteral("^--?") + QRegularExpression::escape(name) + "(=|$)"))
                    .value(0, name);
    }
    if (!ok || !wrong.isEmpty()) {
        const QString why =
            wrong.isEmpty() ? parser.errorText() : QStringLiteral("unexpected argument '%1'").arg(wrong);
        std::fprintf(stderr, "quorvel: %s\n%s", qPrintable(why), wrong.isEmpty() ? "" : Usage);
        return {2, {}};
    }
    return {-1, files.value(0)};
}
// Quits the application once the window it watches has painted, after the paint is on the screen.
class FirstPaintQuits final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, e);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const CommandLine command = readCommandLine(argc, argv);
    if (command.exitNow >= 0) return command.exitNow;
    std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit is a failed write with a reason, not an abort
    QApplication app(argc, argv);
    quorvel::installTranslations(app);
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
    const QString socket = quorvel::handOverSocket(paths.workFolder);
    const QString file = command.file.isEmpty() ? QString() : QFileInfo(command.file).absoluteFilePath();
    if (claim == quorvel::FolderClaim::HeldByAnother) {
        // A file goes to the running copy, which opens it; a start without one has nothing to give.
        if (file.isEmpty() || !quorvel::handOverFile(socket, file))
            prompts.message(quorvel::AlreadyLoaded, quorvel::MessageIcon::Exclamation);
        return 0;
    }
    quorvel::Editor editor(paths, prompts);
    if (claim == quorvel::FolderClaim::NoLock) editor.win.statusNote = quorvel::NoLockNote;
    quorvel::MainWindow window(editor);
    prompts.setParent(&window);
    quorvel::HandOverServer handOver([&window](const QString& path) { window.takeHandedOverFile(path); });
    // Without a lock of its own a copy cannot know it is the one in charge: it takes no files.
    if (claim == quorvel::FolderClaim::Ours) handOver.listen(socket);
    // For measuring start-up: the program ends once its window has been painted the first time.
    // A window that never paints ends with a failure rather than never.
    if (qEnvironmentVariableIsSet("QUORVEL_EXIT_AFTER_PAINT")) {
        window.installEventFilter(new FirstPaintQuits(&window));
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); });
    }
    window.show();
    if (!file.isEmpty()) window.openAtStart(file);
    return app.exec();
}
