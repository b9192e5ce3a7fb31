// Files and folders that do not behave: each case ends with nothing lost and the user told why.
#include "IldaBuilder.h"
#include "TestSupport.h"
#include "ilda/IldaReader.h"
#include "shell/Editor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// While it lives, no file may grow past `bytes`: writes fail as they do on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(int64_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

struct FaultFixture : ::testing::Test {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};

    QString twoFrames() { return IldaBuilder().section(1, 50, 2).section(1, 50, 2).save(folder.file("two.ild")); }
    void open(const QString& path) {
        prompts.fileNames = {path};
        editor.open();
    }
    WriteResult saveAs(const QString& path) {
        prompts.fileNames = {path};
        return editor.saveAs();
    }
    void addPoint() {
        editor.chooseTool(PointTool);
        editor.canvasPress(1, 100, 100);
        editor.canvasRelease(1, 100, 100);
    }
    int64_t bufferSize() const { return QFileInfo(folder.bufferPath()).size(); }
    bool toldBufferFailed() const {
        return !prompts.messages.isEmpty() && prompts.messages.last().startsWith("The frame buffer file could not be written: ");
    }
};

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

}  // namespace

TEST_F(FaultFixture, FramesOpenCannotStoreLeaveTheSequenceAsNewFileDoes) {
    struct Case {
        const char* what;
        std::function<void()> spoil;  // makes the frame buffer file take less than Open needs
    };
    const Case cases[] = {
        {"the disk fills while frames are copied", [] {}},
        {"the frame buffer file cannot be made", [&] {
             QFile::remove(folder.bufferPath());
             QDir(folder.path()).mkpath("buffer/FrameBuffer.tmp");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = twoFrames();
        c.spoil();
        {
            const FileSizeLimit full(bufferSize());
            open(file);
        }
        EXPECT_TRUE(toldBufferFailed());
        EXPECT_EQ(editor.seq.totalFrames, 1);
        EXPECT_EQ(editor.win.title, MainTitle);
        // Whatever can be saved now is never the half-loaded file.
        const QByteArray before = readFile(file);
        const WriteResult saved = saveAs(file);
        if (saved.ok) {
            EXPECT_EQ(readFile(file).size(), 64);
        } else {
            EXPECT_EQ(readFile(file), before);
        }
        QDir(folder.bufferPath()).removeRecursively();
        editor.newFile();
    }
}

TEST_F(FaultFixture, AnEditThatCannotBeWrittenBackStaysLoaded) {
    open(twoFrames());
    editor.chooseThumbnail(1, true);
    addPoint();
    const QString target = folder.file("kept.ild");
    writeText(target, "what was there");
    {
        const FileSizeLimit full(bufferSize());
        editor.chooseThumbnail(0, true);
        EXPECT_TRUE(toldBufferFailed());
        EXPECT_FALSE(saveAs(target).ok);
    }
    EXPECT_EQ(editor.seq.currentFrame, 2);
    EXPECT_EQ(editor.frame.pointCount(), 51);
    EXPECT_TRUE(editor.seq.framechanged);
    EXPECT_TRUE(editor.seq.fileChanged);
    EXPECT_EQ(readFile(target), "what was there");
    // With room again, the edit goes where it belongs.
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(editor.buffer.readHeader(2)->pointCount(), 51);
}

TEST_F(FaultFixture, AFileThatShrinksBetweenThePassesKeepsOnlyWhatCanStillBeRead) {
    // Two 3-D true-colour frames and a promised third: the rejection box comes up between the
    // passes, and while it is up the file loses most of frame 2.
    const QString path = IldaBuilder().section(4, 100, 3).section(4, 100, 3).save(folder.file("shrinks.ild"));
    prompts.onMessage = [&] { QFile::resize(path, 32 + 1000 + 32 + 10); };
    open(path);
    EXPECT_EQ(prompts.messages, QStringList{" err totframes= 3"});
    EXPECT_EQ(editor.seq.totalFrames, 1);
    EXPECT_EQ(editor.buffer.readHeader(1)->formatCode, 5);
}

TEST_F(FaultFixture, FramesCountedButNotCopiedAreEmptyNotLeftOvers) {
    open(IldaBuilder().section(0, 5, 3).section(0, 5, 3).section(0, 5, 3).save(folder.file("full.ild")));
    // A format-3 code behind a reserved byte passes the header check, holds the walk in place
    // and has nothing to copy: every frame after the first reads it.
    open(IldaBuilder().section(0, 1, 3).section(3, 4, 3, "x", {1, 0, 0}).save(folder.file("odd.ild")));
    ASSERT_EQ(editor.seq.totalFrames, 3);
    for (int frame : {2, 3}) {
        const FrameHeader h = *editor.buffer.readHeader(frame);
        EXPECT_EQ(h.formatCode, 1);
        EXPECT_EQ(h.pointCount(), 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(h.frameName), 16), std::string(16, ' '));
    }
}

TEST_F(FaultFixture, SaveAsWritesWhereAPlainWriteOfTheNameWould) {
    const QByteArray old = "what was there";
    struct Case {
        const char* what;
        std::function<QString()> prepare;  // returns the name the user enters
        std::function<QString()> written;  // the file that must hold the sequence
        bool ok;
    };
    const Case cases[] = {
        {"through a symbolic link to its target",
         [&] {
             writeText(folder.file("real.ild"), old);
             QFile::link(folder.file("real.ild"), folder.file("link.ild"));
             return folder.file("link.ild");
         },
         [&] { return folder.file("real.ild"); }, true},
        {"a name of 251 bytes", [&] { return folder.file(QString(247, 'n') + ".ild"); },
         [&] { return folder.file(QString(247, 'n') + ".ild"); }, true},
        {"a full disk leaves the old file", [&] {
             writeText(folder.file("old.ild"), old);
             return folder.file("old.ild");
         },
         [&] { return folder.file("old.ild"); }, false},
        {"the name of a folder", [&] {
             QDir(folder.path()).mkpath("taken/inside");
             return folder.file("taken");
         },
         [&] { return QString(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = c.prepare();
        editor.seq.fileChanged = true;
        WriteResult r;
        if (c.ok) {
            r = saveAs(name);
        } else {
            const FileSizeLimit full(8);
            r = saveAs(name);
        }
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(editor.seq.fileChanged, !c.ok);  // a failed save keeps the question for later
        if (c.ok) {
            EXPECT_EQ(readFile(c.written()).size(), 64);
        } else {
            EXPECT_TRUE(editor.win.statusNote.startsWith("The file could not be written: "));
            EXPECT_FALSE(r.error.isEmpty());
            if (!c.written().isEmpty()) EXPECT_EQ(readFile(c.written()), old);
        }
    }
    EXPECT_TRUE(QFileInfo(folder.file("link.ild")).isSymLink());
    EXPECT_TRUE(QDir(folder.file("taken/inside")).exists());
}

// A folder the user may not write to, holding a file the user may: the file is written in place.
TEST_F(FaultFixture, SaveAsWritesIntoAFileWhoseFolderTakesNoTemporaryFile) {
    const QString locked = folder.file("locked"), target = folder.file("locked/show.ild");
    QDir(folder.path()).mkpath("locked");
    writeText(target, "what was there");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    for (const QString& path : {folder.path(), locked, folder.file("buffer")}) QFile::setPermissions(path, readable);
    QFile::setPermissions(folder.bufferPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    const auto save = [&] { return writeIldaFile(editor.buffer, 1, target).ok; };
    if (geteuid() != 0) {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_TRUE(save());
    } else {
        // The superuser writes anywhere: the save runs as an ordinary user in a child process.
        const pid_t child = fork();
        if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && save() ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(readFile(target).size(), 64);
    QFile::setPermissions(locked, readable | QFile::WriteOwner);
}

TEST_F(FaultFixture, AFileThatCannotBeReadIsNotADamagedFile) {
    const QString folderName = folder.file("buffer");  // a folder cannot be read as a file
    open(folderName);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(editor.win.title, MainTitle);
    EXPECT_EQ(editor.seq.totalFrames, 1);
    EXPECT_TRUE(editor.win.statusNote.startsWith("The file could not be read: "));
}
