// SPDX-License-Identifier: GPL-3.0-or-later
// Links, pipes and folders where the program expects a file: it never writes through a link,
// never waits on a pipe, and says what it found instead of hanging or destroying another file.
#include "EditorFixture.h"
#include "IldaBuilder.h"
#include "shell/SingleInstance.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>

using namespace quorvel;
using namespace quorvel::test;

namespace {
enum class Impostor { Link, Pipe, Folder };

// Puts `kind` under `path`; a link points at `victim`.
void plant(const QString& path, Impostor kind, const QString& victim) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    if (kind == Impostor::Link) { ASSERT_TRUE(QFile::link(victim, path)); }
    if (kind == Impostor::Pipe) { ASSERT_EQ(::mkfifo(qPrintable(path), 0600), 0); }
    if (kind == Impostor::Folder) { ASSERT_TRUE(QDir().mkpath(path)); }
}
}  // namespace

// The program's own files: a link or a pipe in their place goes (the file it points to stays
// whole), the user is told, and the editor starts with a fresh sequence it can save.
TEST(OwnFiles, ALinkOrPipeInPlaceOfAnOwnFileIsRemovedAndSaid) {
    struct Case { const char* file; Impostor kind; bool fresh; };
    const Case cases[] = {
        {"buffer/FrameBuffer.tmp", Impostor::Link, true},      {"buffer/FrameBuffer.tmp", Impostor::Pipe, true},
        {"buffer/FrameBuffer.unsaved", Impostor::Link, true},  {"buffer/FrameBuffer.unsaved", Impostor::Pipe, true},
        {"buffer/FrameBuffer.tmp", Impostor::Folder, false},  // cannot go: said, and nothing is saved from it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << ' ' << int(c.kind));
        ProgramFolder folder;
        const QString victim = folder.file("precious.ild");
        const QByteArray precious = IldaBuilder().section(1, 3, 1).bytes();
        writeFile(victim, precious);
        // A marker that points at the victim would offer it as frames, a buffer link would take them.
        writeFile(folder.file("buffer/FrameBuffer.unsaved"), "unsaved frames 1\n");
        plant(folder.file(c.file), c.kind, victim);
        ScriptedPrompts prompts;
        prompts.answers = {Answer::Yes, Answer::Yes};
        Editor editor(folder.path(), prompts);
        EXPECT_EQ(readFile(victim), precious);
        ASSERT_FALSE(prompts.messages.isEmpty());
        EXPECT_TRUE(prompts.messages.front().contains("FrameBuffer")) << prompts.messages.front().toStdString();
        EXPECT_EQ(editor.seq.totalFrames, c.fresh ? 1 : 0);
        if (!c.fresh) continue;
        EXPECT_TRUE(QFileInfo(folder.bufferPath()).isFile() && !QFileInfo(folder.bufferPath()).isSymLink());
        editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
        editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100);
        editor.chooseThumbnail(0, true);
        EXPECT_EQ(readFile(victim), precious);
        const QFileInfo marker(folder.file("buffer/FrameBuffer.unsaved"));
        EXPECT_TRUE(marker.isFile() && !marker.isSymLink());
        editor.shutdown();
    }
}

// The lock: a link or a pipe in its place is never read (a pipe would hold start-up for ever); it
// goes, what it pointed to stays, and the lock is taken.
TEST(OwnFiles, ALinkOrPipeInPlaceOfTheLockIsRemovedAndSaid) {
    for (const Impostor kind : {Impostor::Link, Impostor::Pipe}) {
        ProgramFolder folder;
        writeFile(folder.file("precious.ild"), "precious");
        plant(folder.file("quorvel.lock"), kind, folder.file("precious.ild"));
        QLockFile lock(folder.file("quorvel.lock"));
        QString removed;
        EXPECT_EQ(claimProgramFolder(lock, &removed), FolderClaim::Ours);
        EXPECT_TRUE(removed.contains("quorvel.lock was a ")) << removed.toStdString();
        EXPECT_EQ(readFile(folder.file("precious.ild")), "precious");
        EXPECT_TRUE(QFileInfo(folder.file("quorvel.lock")).isFile() && !QFileInfo(folder.file("quorvel.lock")).isSymLink());
    }
}

// Files the user names: a pipe, a device or a folder is said to be no file, without waiting on
// it, and the sequence and the picture stay as they were.
TEST_F(EditorFixture, PipesAndFoldersTheUserChoosesAreNoFiles) {
    const QString pipe = folder.file("pipe.ild"), dir = folder.file("dir.ild");
    ASSERT_EQ(::mkfifo(qPrintable(pipe), 0600), 0);
    QDir().mkpath(dir);
    open(IldaBuilder().section(1, 3, 2).section(1, 4, 2).save(folder.file("show.ild")));
    for (const QString& path : {pipe, dir}) {
        const QString name = QFileInfo(path).fileName();
        open(path);
        EXPECT_EQ(std::pair(editor.win.statusNote, editor.seq.totalFrames), std::pair(name + " is not a regular file.", 2));
        editor.openPath(path);  // from the command line
        EXPECT_EQ(editor.win.statusNote, name + " is not a regular file.");
        prompts.fileNames = {path};
        editor.loadImage();
        EXPECT_EQ(prompts.messages.last(), name + " is not a regular file.");
        editor.chooseThumbnail(0, true);
        prompts.fileNames = {path};
        editor.importSvg();
        EXPECT_TRUE(prompts.messages.last().startsWith(name + " could not be read as an SVG drawing")) << prompts.messages.last().toStdString();
    }
    EXPECT_EQ(editor.win.title, MainTitle + ": show.ild");
}

// Delete Frames keeps the frames it moves in a stash beside the frame buffer file: a link there
// is not followed, and the frames stay where they were.
TEST_F(EditorFixture, ALinkInPlaceOfTheStashIsNotFollowed) {
    const QString victim = folder.file("precious.ild");
    writeFile(victim, "keep me");
    open(IldaBuilder().section(1, 3, 3).section(1, 4, 3).section(1, 5, 3).save(folder.file("show.ild")));
    ASSERT_TRUE(QFile::link(victim, folder.bufferPath() + ".deleting"));
    editor.seq.selFrameStart = 1, editor.seq.selFrameLen = 1;
    editor.deleteFrames();
    EXPECT_EQ(readFile(victim), "keep me");
    EXPECT_EQ(editor.seq.totalFrames, 3);
    EXPECT_TRUE(prompts.messages.last().startsWith("The frame buffer file could not be written: "));
}

// Settings and palettes with a pipe or a folder in their place: the editor starts at once on
// its initial settings, says what it could not read, and its first save of the settings says
// they cannot be kept rather than waiting on the pipe.
TEST(OwnFiles, PipesInPlaceOfSettingsAndPalettesHoldNothing) {
    for (const char* name : {"config.dat", "quorvel.ini", "ilda.dat"}) {
        for (const Impostor kind : {Impostor::Pipe, Impostor::Folder}) {
            SCOPED_TRACE(testing::Message() << name << ' ' << int(kind));
            ProgramFolder folder;
            plant(folder.file(name), kind, {});
            ScriptedPrompts prompts;
            Editor editor(folder.path(), prompts);
            EXPECT_EQ(editor.seq.totalFrames, 1);
            EXPECT_EQ(editor.settings.pointSpace, Settings{}.pointSpace);
            if (QString(name) == "ilda.dat") { EXPECT_FALSE(editor.win.statusNote.isEmpty()); }
            editor.shutdown();  // writes what it can, waits on nothing
        }
    }
}
