// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders that do not behave: each case ends with nothing lost and the user told why.
#include "EditorFixture.h"
#include "IldaBuilder.h"
#include "ilda/IldaOpen.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <csignal>
#include <numeric>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct FaultFixture : EditorFixture {
    const QByteArray old = "what was there";

    QString twoFrames() { return IldaBuilder().section(1, 50, 2).section(1, 50, 2).save(folder.file("two.ild")); }
    int64_t bufferSize() const { return QFileInfo(folder.bufferPath()).size(); }
    bool toldBufferFailed() const {
        return !prompts.messages.isEmpty() && prompts.messages.last().startsWith("The frame buffer file could not be written: ");
    }
    QString oldFile(const QString& name) {
        IldaBuilder().raw(old).save(folder.file(name));
        return folder.file(name);
    }
};
}  // namespace

TEST_F(FaultFixture, FramesOpenCannotStoreLeaveTheSequenceAsNewFileDoes) {
    for (bool folderInTheWay : {false, true}) {  // the disk fills during the copy, or no file can be made
        SCOPED_TRACE(folderInTheWay);
        const QString file = twoFrames();
        if (folderInTheWay) QFile::remove(folder.bufferPath()), QDir(folder.path()).mkpath("buffer/FrameBuffer.tmp");
        {
            const FileSizeLimit full(bufferSize());
            open(file);
        }
        EXPECT_TRUE(toldBufferFailed() && !prompts.busy);
        // With no file made, nothing at all.
        EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.win.deleteFramesEnabled, editor.win.title), std::tuple(folderInTheWay ? 0 : 1, !folderInTheWay, QString(MainTitle)));
        const QByteArray before = readFile(file);
        const WriteResult saved = saveAs(file);  // whatever is saved now is never the half-loaded file
        EXPECT_EQ(readFile(file), saved.ok ? readFile(file).left(64) : before);
        EXPECT_EQ(saved.ok, !folderInTheWay);
        QDir(folder.bufferPath()).removeRecursively();
        editor.newFile();
    }
}

TEST_F(FaultFixture, AFileThatShrinksBetweenThePassesKeepsOnlyWhatCanStillBeRead) {
    // Two 3-D frames and a third promised: while the rejection box is up the file loses most of
    // frame 2. Open copied each frame as it read it: both are loaded.
    const IldaBuilder file = IldaBuilder().section(4, 100, 3).section(4, 100, 3);
    const QString path = file.save(folder.file("shrinks.ild"));
    prompts.onMessage = [&] { QFile::resize(path, 32 + 1000 + 32 + 10); };
    open(path);
    EXPECT_EQ(prompts.messages, QStringList{" err totframes= 3"});
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, slotHeader(2).pointCount()), std::tuple(2, 100));
    // A pass that reads the file again, as one too large to hold does, stops where it ends.
    editor.newFile();
    const CopyReport copied = copyFrames(path, seekFrames(file.bytes(), "shrinks.ild"), editor.buffer);
    EXPECT_EQ(std::tuple(copied.framesCopied, int(slotHeader(1).formatCode)), std::tuple(1, 5));
}

TEST_F(FaultFixture, SaveAsReplacesTheFileWholeOrLeavesItAsItWas) {
    QFile::link(oldFile("real.ild"), folder.file("link.ild"));
    QDir(folder.path()).mkpath("taken/inside");
    ASSERT_EQ(::mkfifo(qPrintable(folder.file("pipe.ild")), 0644), 0);
    const QString longest = folder.file(QString(251, 'n') + ".ild"), kept = oldFile("kept.ild");
    QFile::setPermissions(kept, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const bool owned = ::chown(qPrintable(kept), 65534, 65534) == 0;  // another user's file, where this user may give it away
    struct Case { QString name, written; bool fullDisk, ok; const char* says; };
    const Case cases[] = {
        {folder.file("link.ild"), folder.file("real.ild"), false, true, ""},  // through a link to its target
        {longest, longest, false, true, ""},                                  // a name of 255 bytes
        {folder.file(QString(249, 'm') + ".ild"), folder.file(QString(249, 'm') + ".ild"), false, true, ""},
        {oldFile("old.ild"), folder.file("old.ild"), true, false, "File too large"},  // a full disk leaves the old file
        {longest, longest, true, false, "File too large"},                           // however long its name
        {kept, kept, false, true, ""},                                                // read-only: replaced, still read-only
        {folder.file("taken"), QString(), false, false, "is not a regular file"},     // the name of a folder
        {folder.file("pipe.ild"), QString(), false, false, "is not a regular file"},  // a FIFO stays a FIFO
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.right(20).toStdString());
        if (!c.written.isEmpty()) oldFile(QFileInfo(c.written).fileName());
        editor.seq.fileChanged = true;
        std::optional<FileSizeLimit> full;
        if (c.fullDisk) full.emplace(8);
        const WriteResult r = saveAs(c.name);
        full.reset();
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_TRUE(r.error.find(c.says) != std::string::npos) << r.error;
        EXPECT_EQ(editor.seq.fileChanged, !c.ok);  // a failed save keeps the question for later
        EXPECT_EQ(editor.win.statusNote.startsWith("The file could not be written: "), !c.ok);
        const QByteArray written = readFile(c.written);
        EXPECT_TRUE(c.written.isEmpty() || (c.ok ? written.size() == 64 : written == old));
    }
    EXPECT_EQ(std::tuple(QFileInfo(folder.file("link.ild")).isSymLink(), QDir(folder.file("taken/inside")).exists(), QFileInfo(folder.file("pipe.ild")).isFile()), std::tuple(true, true, false));
    // Owner, group and others, not what the running user may do.
    EXPECT_EQ(QFile::permissions(kept) & 0x7077, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (owned) { EXPECT_EQ(std::pair(QFileInfo(kept).ownerId(), QFileInfo(kept).groupId()), std::pair(65534u, 65534u)); }  // and its owner
    // A loop of links is followed a bounded number of steps; the name where they end takes the file.
    QFile::link("loop-b.ild", folder.file("loop-a.ild")), QFile::link("loop-a.ild", folder.file("loop-b.ild"));
    const bool looped = saveAs(folder.file("loop-a.ild")).ok;
    EXPECT_EQ(std::pair(looped, readFile(folder.file("loop-a.ild")).size()), std::pair(true, qsizetype(64)));
    const mode_t mask = ::umask(027);  // a new file gets what the user's umask leaves of read and write for all
    saveAs(folder.file("new.ild")), ::umask(mask);
    EXPECT_EQ(QFile::permissions(folder.file("new.ild")) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(QDir(folder.path()).entryList({".quorvel-*"}, QDir::Files | QDir::Hidden), QStringList{});  // nothing left behind
}

// A deletion that cannot finish changes nothing: every frame stays in its slot, and the count,
// the selection and the working frame stay as they were.
TEST_F(FaultFixture, ADeletionThatCannotFinishLeavesEveryFrameWhereItWas) {
    for (int n = 1; n <= 20; ++n) {
        if (n > 1) editor.addNewFrame();
        WorkingFrame wf;
        wf.format = 1;
        wf.frame1->pointCount = n;
        for (int i = 0; i < n; ++i) wf.frame1->points[i] = point2D(100 * n + i, n);
        editor.buffer.saveRamToBuffer(n, wf);
    }
    editor.chooseThumbnail(0, true), editor.chooseThumbnail(1, false);  // frames 1 and 2
    const auto slotsHold = [&](const std::vector<int>& frames) {
        for (int slot = 1; slot <= int(frames.size()); ++slot) {
            const int n = frames[size_t(slot) - 1];
            const QByteArray p = slotPoints(slot, 6 * n);
            if (slotHeader(slot).pointCount() != n ||
                uint8_t(p[6 * (n - 1) + 1]) != uint8_t((100 * n + n - 1) & 0xFF))
                return false;
        }
        return true;
    };
    std::vector<int> all(20);
    std::iota(all.begin(), all.end(), 1);
    {
        const FileSizeLimit full(7 * FrameSlotSize + 10);  // the move into slot 8 would fail
        editor.deleteFrames();
    }
    EXPECT_TRUE(toldBufferFailed());
    EXPECT_TRUE(prompts.messages.last().endsWith("File too large"));
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.selFrameStart, editor.seq.selFrameLen, editor.seq.currentFrame),
              std::tuple(20, 1, 2, 2));
    EXPECT_TRUE(slotsHold(all));
    QDir(folder.path()).mkpath("buffer/FrameBuffer.tmp.deleting");  // nowhere to keep the deleted frames
    editor.deleteFrames();
    EXPECT_TRUE(prompts.messages.last().endsWith("Is a directory") && slotsHold(all));
    QDir(folder.path()).rmdir("buffer/FrameBuffer.tmp.deleting");
    editor.deleteFrames();  // with room again it goes through
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, slotsHold(std::vector<int>(all.begin() + 2, all.end())), QFile::exists(folder.bufferPath() + ".deleting")), std::tuple(18, true, false));
}

// Looking through frames writes nothing: a frame buffer file that takes no more bytes does not
// stop the user leaving a frame that was not changed.
TEST_F(FaultFixture, LeavingAnUnchangedFrameWritesNothing) {
    open(twoFrames());
    editor.chooseThumbnail(1, true);  // the last slot, so writing it would grow the file
    FileSizeLimit full(bufferSize() - 1);
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(std::pair(editor.seq.currentFrame, prompts.messages), std::pair(1, QStringList{}));
}

// A frame buffer file cut short from outside: a frame that can no longer be read whole is not
// chosen, and the points loaded before never go into its slot.
TEST_F(FaultFixture, AFrameThatCannotBeReadWholeIsNotChosen) {
    open(twoFrames());
    editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
    editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100);
    for (const int64_t cut : {FrameSlotSize + 32 + 6 * 49, FrameSlotSize + 10}) {  // a point short; half a header
        ASSERT_TRUE(QFile::resize(folder.bufferPath(), cut));
        prompts.messages.clear();
        editor.chooseThumbnail(1, true);
        EXPECT_EQ(prompts.messages, QStringList{"Frame 2 could not be read from the frame buffer file."});
        EXPECT_EQ(std::tuple(editor.seq.currentFrame, editor.frame.pointCount()), std::tuple(1, 51));
        EXPECT_EQ(slotHeader(1).pointCount(), 51);  // written back all the same
    }
    const WriteResult saved = saveAs(folder.file("cut.ild"));  // nor is the sequence saved without it
    EXPECT_EQ(std::pair(saved.ok, saved.error), std::pair(false, std::string("frame 2 cannot be read from the frame buffer file")));
}

// Save writes where the sequence came from or was last saved, without asking, through the same
// safe write as Save As; a sequence with no such file (new, or loaded only in part) asks.
TEST_F(FaultFixture, SaveWritesInPlaceOnceTheSequenceHasAFile) {
    const auto edit = [&] {
        editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
        editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100);
    };
    edit();
    prompts.fileNames = {folder.file("first.ild")};
    ASSERT_TRUE(editor.save().ok);  // a new sequence: asked for a name
    EXPECT_EQ(prompts.filters.size(), 1);
    edit();
    ASSERT_TRUE(editor.save().ok);  // then in place, without a dialog
    EXPECT_EQ(prompts.filters.size(), 1);
    EXPECT_EQ(headerAt(readFile(folder.file("first.ild")), 0).pointCount(), 2);

    const QString opened = twoFrames();
    open(opened);
    edit();
    const QByteArray before = readFile(opened);
    {
        const FileSizeLimit full(100);
        EXPECT_FALSE(editor.save().ok);
    }
    EXPECT_EQ(readFile(opened), before);  // the old file is whole
    EXPECT_TRUE(editor.seq.fileChanged);
    ASSERT_TRUE(editor.save().ok);
    EXPECT_EQ(std::pair(headerAt(readFile(opened), 0).pointCount(), editor.seq.fileChanged), std::pair(51, false));

    // Loaded only in part: saving over it would drop the rest, so Save asks.
    const QString damaged = IldaBuilder().section(1, 5, 3).save(folder.file("damaged.ild"));
    open(damaged);
    prompts.fileNames.clear();
    const int asked = int(prompts.filters.size());
    EXPECT_FALSE(editor.save().ok);
    EXPECT_EQ(int(prompts.filters.size()), asked + 1);
}

namespace {
// Runs `child` in a process of its own and returns its exit code (-signal when killed), or
// kills it after `killAfterMs` when that is not negative.
int inChild(const std::function<int()>& child, int killAfterMs = -1) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(child());
    if (killAfterMs >= 0) {
        ::usleep(useconds_t(killAfterMs) * 1000);
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}
}  // namespace

// Killed at any moment while it saves, the program leaves the old file or the new one.
TEST_F(FaultFixture, AKilledSaveLeavesTheOldFileOrTheNewOne) {
    for (int n = 1; n <= 60; ++n) {
        WorkingFrame wf;
        wf.frame0->pointCount = MaxPoints;
        for (int i = 0; i < MaxPoints; ++i) wf.frame0->points[i] = point3D(i, n);
        editor.buffer.saveRamToBuffer(n, wf);
    }
    const QString target = folder.file(QString(251, 'k') + ".ild"), whole = folder.file("whole.ild");
    ASSERT_TRUE(writeIldaFile(editor.buffer, 60, whole).ok);
    const QByteArray newFile = readFile(whole);
    int oldSeen = 0, newSeen = 0;
    for (int delay = 0; delay < 120; delay += 8) {
        IldaBuilder().raw(old).save(target);
        inChild([&] { return writeIldaFile(editor.buffer, 60, target).ok ? 0 : 1; }, delay);
        const QByteArray now = readFile(target);
        ASSERT_TRUE(now == old || now == newFile) << delay << " ms: " << now.size() << " bytes";
        (now == old ? oldSeen : newSeen)++;
    }
    EXPECT_GT(oldSeen, 0);
}

// Started by another user in a program folder it cannot write, over the frame buffer file and
// the unsaved marker a session of the folder's owner left: nothing of that file is offered,
// shown or saved.
TEST_F(FaultFixture, AnotherSessionsFrameBufferIsNeverShownOfferedOrSaved) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    storeFrame(editor.buffer, 1, {point2D(1, 2), point2D(3, 4)});
    IldaBuilder().raw("unsaved frames 1\n").save(folder.file("buffer/FrameBuffer.unsaved"));
    QDir(folder.path()).mkpath("out");
    ::chmod(qPrintable(folder.file("out")), 0777);
    for (const char* name : {"", "/buffer"}) ::chmod(qPrintable(folder.path() + name), 0755);
    for (const char* name : {"/buffer/FrameBuffer.tmp", "/config.dat", "/ilda.dat"}) ::chmod(qPrintable(folder.path() + name), 0644);
    const QString target = folder.file("out/saved.ild");
    const int code = inChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 3;
        ScriptedPrompts asked;
        asked.answers = {Answer::Yes};
        Editor other(folder.path(), asked);
        if (!asked.questions.isEmpty() || other.seq.totalFrames != 0 || other.win.deleteFramesEnabled) return 4;
        if (asked.messages.isEmpty() || !asked.messages[0].startsWith("The frame buffer file could not be written")) return 5;
        if (other.newFile()) return 7;  // New File cannot start either, and says it went nowhere
        asked.fileNames = {target};
        return other.saveAs().ok ? 6 : 0;
    });
    EXPECT_EQ(std::pair(code, QFile::exists(target)), std::pair(0, false));
}

// As another user, in a folder that takes no new file, Save As refuses and says why.
TEST_F(FaultFixture, AFolderThatTakesNoNewFileIsRefusedAndTheOldFileStays) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    QDir(folder.path()).mkpath("closed");
    const QString target = folder.file("closed/shared.ild");
    IldaBuilder().raw(old).save(target);
    QFile::setPermissions(target, QFileDevice::Permissions(0x6666));  // anyone may write the file itself
    ::chmod(qPrintable(folder.path()), 0755);
    ::chmod(qPrintable(folder.file("closed")), 0755);
    ::chmod(qPrintable(folder.bufferPath()), 0644);
    ::chmod(qPrintable(folder.file("buffer")), 0755);
    const int code = inChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 3;
        const WriteResult r = writeIldaFile(editor.buffer, 1, target);
        return !r.ok && r.error.find("takes no new file") != std::string::npos && r.error.find("Permission denied") != std::string::npos ? 0 : 1;
    });
    EXPECT_EQ(std::pair(code, readFile(target)), std::pair(0, old));
}

// Faults from outside while the editor runs, and damaged files it starts with: the editor
// carries on, says what matters, and a file saved before is never replaced by a partial one.
TEST_F(FaultFixture, EveryFaultEndsWithTheEditorWorkingAndNothingSavedLost) {
    struct Running { const char* what; std::function<void()> fault; };
    std::optional<FileSizeLimit> full;
    const Running running[] = {
        {"disk full", [&] { full.emplace(bufferSize()); }},
        {"buffer folder removed", [&] { QDir(folder.file("buffer")).removeRecursively(); }},
        {"frame buffer file removed", [&] { QFile::remove(folder.bufferPath()); }},
    };
    for (const auto& c : running) {
        SCOPED_TRACE(c.what);
        editor.newFile();
        open(twoFrames());
        editor.chooseThumbnail(1, true), editor.chooseTool(PointTool);
        editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100);
        const QString target = oldFile("kept.ild");
        c.fault();
        const qsizetype told = prompts.messages.size();
        editor.insertFrame();  // refused once the edited frame cannot go back: said once, nothing moved
        EXPECT_EQ(std::pair(editor.seq.totalFrames, prompts.messages.size()), std::pair(2, told + 1));
        editor.chooseThumbnail(0, true);
        EXPECT_TRUE(toldBufferFailed());
        // The frame that could not go back stays loaded, edited, and the sequence unsaved.
        EXPECT_EQ(std::tuple(editor.seq.currentFrame, editor.frame.pointCount(), editor.seq.framechanged), std::tuple(2, 51, true));
        EXPECT_TRUE(editor.seq.fileChanged);
        EXPECT_FALSE(saveAs(target).ok);
        EXPECT_EQ(readFile(target), old);
        if (full) {  // with room again, the edit goes where it belongs
            full.reset();
            editor.chooseThumbnail(0, true);
            EXPECT_EQ(editor.buffer.readHeader(2)->pointCount(), 51);
        }
        QDir(folder.path()).mkpath("buffer");
        prompts.answers = {Answer::No};  // not saved; then a new sequence makes the file again
        editor.newFile(), editor.newFile();
        EXPECT_TRUE(QFile::exists(folder.bufferPath()));
    }
    open(twoFrames());  // frames whose slots cannot be read are not deleted
    QFile::remove(folder.bufferPath());
    editor.deleteFrames();
    EXPECT_EQ(std::pair(toldBufferFailed(), editor.seq.totalFrames), std::pair(true, 2));

    struct Starting { const char* what; const char* file; QByteArray bytes; const char* note; bool fifo = false; };
    const Starting starting[] = {
        {"settings missing", "config.dat", {}, nullptr}, {"settings short", "config.dat", "\5\0\12", nullptr},
        {"settings garbage", "config.dat", QByteArray(12, '\xFF'), nullptr},
        {"palette missing", "ilda.dat", {}, "The palette file ilda.dat could not be read"},
        {"palette short", "ilda.dat", readFile(folder.file("ilda.dat")).left(100), "The palette file ilda.dat holds only 3 of"},
        {"palette garbage", "ilda.dat", QByteArray(256 * 29, '\xFF'), nullptr},
        {"settings a FIFO", "config.dat", {}, nullptr, true},  // read as missing, never waited on
        {"palette a FIFO", "ilda.dat", {}, "The palette file ilda.dat could not be read (not a regular file)", true},
    };
    for (const auto& c : starting) {
        SCOPED_TRACE(c.what);
        ProgramFolder damaged;
        QFile::remove(damaged.file(c.file));
        if (!c.bytes.isNull()) IldaBuilder().raw(c.bytes).save(damaged.file(c.file));
        if (c.fifo) {
            ASSERT_EQ(::mkfifo(qPrintable(damaged.file(c.file)), 0644), 0);
        }
        Editor restarted(damaged.path(), prompts);
        EXPECT_EQ(restarted.seq.totalFrames, 1);
        const Settings& s = restarted.settings;
        EXPECT_TRUE(PointSpaceRange.holds(s.pointSpace) && GridStepRange.holds(s.gridStep) && PlayFpsRange.holds(s.playFps));
        EXPECT_EQ(restarted.win.statusNote.startsWith(c.note ? c.note : "~"), c.note != nullptr) << restarted.win.statusNote.toStdString();
        EXPECT_TRUE(c.note || restarted.win.statusNote.isEmpty());
    }
}

// A palette file far larger than its colours is read only as far as they go.
TEST_F(FaultFixture, AHugePaletteFileIsReadOnlyAsFarAsItsColours) {
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    ASSERT_TRUE(QFile::resize(folder.file("ilda.dat"), 200 << 20));  // the colours, then 200 MB of zeros
    const Palette p = loadPalette(folder.path(), IldaPalette);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(p.color[2], rgb(255, 0, 0));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 50 << 10);  // kilobytes
    const QByteArray settings = readFile(folder.file("config.dat"));
    ASSERT_TRUE(QFile::resize(folder.file("config.dat"), 200 << 20));
    EXPECT_EQ(encodeSettings(loadConfig(folder.file("config.dat"))), encodeSettings(settingsFromBytes(settings)));
}

// A save is on disk when it returns: the new file's bytes before it takes the old one's name,
// then the folder that holds the name.
TEST_F(FaultFixture, ASaveSyncsTheFileThenRenamesThenSyncsTheFolder) {
    const QString target = oldFile("show.ild");
    QStringList notes;
    {
        const SyncJournal journal;
        ASSERT_TRUE(saveAs(target).ok);
        notes = SyncJournal::entries();
    }
    const QString real = QFileInfo(target).canonicalFilePath(), folderPath = QFileInfo(real).path();
    const qsizetype renamed = notes.indexOf("rename " + real);
    ASSERT_GT(renamed, 0) << notes.join(" | ").toStdString();
    EXPECT_TRUE(notes[renamed - 1].startsWith("fsync " + folderPath + "/")) << notes.join(" | ").toStdString();
    EXPECT_EQ(notes.mid(renamed + 1, 1), QStringList{"fsync " + folderPath}) << notes.join(" | ").toStdString();
}

// Every command that writes slots has them on the disk before it is done, and before the
// marker beside them counts them: after a power cut, no counted slot holds zeros or older bytes.
TEST_F(FaultFixture, SlotsAreOnDiskBeforeTheMarkerCountsThem) {
    open(twoFrames());
    editor.chooseThumbnail(0, true);
    const QString buffer = "fdatasync " + QFileInfo(folder.bufferPath()).canonicalFilePath();
    const QString marker = QFileInfo(folder.bufferPath()).canonicalPath() + "/FrameBuffer.unsaved";  // its name given
    struct Case { const char* what; std::function<void()> command; bool markerCounts; };
    const Case cases[] = {
        {"an edit written back as another frame is chosen", [&] {
             editor.edit(Edit::FrameChanged, [&] { editor.frame.frame0->points[0] = point3D(-7, 7); });
             editor.chooseThumbnail(1, true);
         }, true},  // the first change writes the marker
        {"Add New Frame", [&] { editor.addNewFrame(); }, true},
        {"Insert", [&] { editor.insertFrame(); }, true},
        {"Later", [&] { editor.moveFrame(1); }, false},  // as many frames: the marker stays
        {"Delete Frames", [&] { editor.deleteFrames(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList notes;
        {
            const SyncJournal journal;
            c.command();
            notes = SyncJournal::entries();
        }
        const qsizetype counted = notes.indexOf(QRegularExpression("^(rename|link) " + QRegularExpression::escape(marker) + "$"));
        const qsizetype synced = counted >= 0 ? notes.lastIndexOf(buffer, counted) : notes.lastIndexOf(buffer);
        EXPECT_GE(synced, 0) << notes.join(" | ").toStdString();
        EXPECT_EQ(counted >= 0, c.markerCounts) << notes.join(" | ").toStdString();
        if (counted >= 0) { EXPECT_LT(synced, counted) << notes.join(" | ").toStdString(); }
    }
}

// Settings that cannot be kept are said once, when it first shows, and the work goes on.
TEST_F(FaultFixture, SettingsThatCannotBeKeptAreSaidOnce) {
    QFile::remove(folder.file("quorvel.ini"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("quorvel.ini"));  // a folder in its place takes no file
    const QString show = twoFrames();
    open(show);
    EXPECT_TRUE(editor.win.statusNote.endsWith("Settings and Recent Files cannot be kept: " + QDir::toNativeSeparators(folder.path()) + " takes no files."))
        << editor.win.statusNote.toStdString();
    EXPECT_EQ(editor.seq.totalFrames, 2);
    open(show);
    EXPECT_FALSE(editor.win.statusNote.contains("cannot be kept"));
}
