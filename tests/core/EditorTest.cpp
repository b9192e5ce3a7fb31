// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorFixture.h"
#include "IldaBuilder.h"
#include "view/ImageSurface.h"
#include "shell/SingleInstance.h"

#include <unistd.h>
#include <QFile>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct SequenceFixture : EditorFixture {
    void growTo(int n) {
        while (editor.seq.totalFrames < n) editor.addNewFrame();
    }
};
}  // namespace

TEST_F(SequenceFixture, StartsWithOneEmptyFrame) {
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.currentFrame, editor.seq.editEnabled), std::tuple(1, 0, false));
    EXPECT_EQ(std::pair(slotHeader(1).pointCount(), slotHeader(1).totalFrames()), std::pair(0, 1));
    EXPECT_EQ(editor.strip.thumbnails[0].label + '|' + editor.strip.thumbnails[1].label, "1|");
}

// New File, Open and closing the window ask once about unsaved work, and whatever they replace
// the sequence with, nothing of the old working frame can be edited into it afterwards.
TEST_F(SequenceFixture, TheSaveQuestionIsAskedOnceAndTheNewSequenceStartsWithNothingChosen) {
    enum Command { NewFile, Open, Close };
    enum Save { NotAsked, Saved, DialogCancelled, SaveFails };
    struct Case { Command command; Answer answer; Save save; bool goesOn; };
    std::vector<Case> cases;
    for (Command command : {NewFile, Open, Close})
        for (const auto& [answer, save, goesOn] : {std::tuple(Answer::Cancel, NotAsked, false),
                                                   std::tuple(Answer::No, NotAsked, true), std::tuple(Answer::Yes, Saved, true),
                                                   std::tuple(Answer::Yes, DialogCancelled, false),
                                                   std::tuple(Answer::Yes, SaveFails, false)})
            cases.push_back({command, answer, save, goesOn});
    const QString other = IldaBuilder().section(0, 5, 2, "other").section(0, 6, 2, "other").save(folder.file("other.ild"));
    const QString target = folder.file("saved.ild");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << ' ' << int(c.answer) << ' ' << c.save);
        startOver();
        growTo(3);
        editor.chooseThumbnail(2, true), editor.chooseTool(PointTool);
        editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100);
        editor.setFrameNames("old", "oldco");
        ASSERT_TRUE(editor.seq.fileChanged);
        QFile::remove(target);
        prompts.questions.clear();
        prompts.answers = {c.answer, Answer::No};  // a second question would be answered No
        prompts.fileNames = {c.save == Saved ? target : c.save == DialogCancelled ? QString() : folder.file("buffer")};
        if (c.save == NotAsked) prompts.fileNames.clear();
        prompts.fileNames.push_back(other);
        const bool wentOn = c.command == NewFile ? editor.newFile()
                            : c.command == Open  ? (editor.open(), editor.seq.totalFrames != 3)
                                                 : editor.closeWindow();
        EXPECT_EQ(prompts.questions, QStringList{"File changed. Do you want to save it?"});
        EXPECT_EQ(wentOn, c.goesOn);
        EXPECT_EQ(readFile(target).size(), c.save == Saved ? 4 * 32 + 8 : 0);  // frame 3 has the new point
        if (!c.goesOn) {  // the sequence as it was, edit and question included
            EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.currentFrame, editor.frame.pointCount()),
                      std::tuple(3, 3, 1));
            EXPECT_TRUE(editor.seq.fileChanged && editor.seq.editEnabled);
            continue;
        }
        EXPECT_FALSE(editor.seq.fileChanged);
        if (c.command == Close) {
            EXPECT_FALSE(QFile::exists(folder.bufferPath()));
            QFile(folder.bufferPath()).open(QIODevice::WriteOnly);
            continue;
        }
        EXPECT_EQ(editor.seq.totalFrames, c.command == Open ? 2 : 1);
        EXPECT_EQ(std::tuple(editor.seq.currentFrame, editor.seq.editEnabled, editor.seq.framechanged),
                  std::tuple(0, false, false));
        EXPECT_EQ(std::tuple(int(editor.tools.current()), editor.win.undoEnabled, editor.win.pointsLabel),
                  std::tuple(int(NoTool), false, QString(c.command == Open ? "5" : "0")));
        // Nothing the old frame held reaches the new sequence: a click adds nothing, and choosing
        // a frame writes nothing over frame 1.
        editor.canvasPress(1, 200, 200), editor.canvasRelease(1, 200, 200);
        editor.undo();
        editor.chooseThumbnail(0, true);
        EXPECT_EQ(editor.frame.pointCount(), c.command == Open ? 5 : 0);
        EXPECT_EQ(slotHeader(1).pointCount(), c.command == Open ? 5 : 0);
        EXPECT_EQ(editor.frameInfo().name + editor.frameInfo().company,
                  c.command == Open ? "other   tests   " : QString(16, ' '));
        EXPECT_FALSE(editor.seq.fileChanged);
    }
}

TEST_F(SequenceFixture, NewFileShowsAnEmptyFirstFrameAndResetsTheReadOuts) {
    editor.chooseThumbnail(0, true), editor.chooseTool(LineTool);
    editor.win.noteStale = false;
    editor.canvasPress(1, 100, 100), editor.canvasMove(1, 400, 300), editor.canvasRelease(1, 400, 300);
    EXPECT_TRUE(editor.win.noteStale);  // an edit: whatever the status bar said before no longer holds
    editor.pointerAt(50, 50);
    const QImage drawn = editor.strip.thumbnails[0].image;
    prompts.answers = {Answer::No};
    editor.win.noteStale = false;
    ASSERT_TRUE(editor.newFile());
    EXPECT_TRUE(editor.win.noteStale);
    const QImage& shown = editor.strip.thumbnails[0].image;
    EXPECT_NE(shown, drawn);
    EXPECT_EQ(shown.copy(2, 2, shown.width() - 4, shown.height() - 4).convertToFormat(QImage::Format_Indexed8).colorCount(), 1);
    EXPECT_EQ(editor.win.xLabel + editor.win.yLabel, "00");
    open(IldaBuilder().raw("").save(folder.file("empty.ild")));  // a file with no frame at all
    EXPECT_EQ(std::pair(editor.seq.totalFrames, editor.win.deleteFramesEnabled), std::pair(0, false));
}

TEST_F(SequenceFixture, AddNewFrameExtendsTheStripUntilTheSequenceIsFull) {
    growTo(8);  // the last position always shows a frame
    EXPECT_EQ(editor.strip.range(), 1);
    growTo(9);
    EXPECT_EQ(editor.strip.range(), 2);
    editor.setStripPosition(2);
    EXPECT_EQ(editor.strip.thumbnails[0].label + '|' + editor.strip.thumbnails[1].label, "9|");
    editor.frame.format = 5;  // a true-colour working frame: the new frame is true colour too
    editor.frame.frame5->header.setPointCount(7);
    editor.addNewFrame();
    EXPECT_EQ(std::pair(int(slotHeader(10).formatCode), slotHeader(10).pointCount()), std::pair(5, 0));
    editor.seq.totalFrames = MaxFrames;
    editor.addNewFrame();
    EXPECT_EQ(std::pair(editor.seq.totalFrames, prompts.messages), std::pair(MaxFrames, QStringList{"The sequence is full (10000 frames)."}));
}

TEST_F(SequenceFixture, WheelNotchesScrollTheStripByTheirRules) {
    growTo(21);  // strip positions 0..5
    struct Step { int delta; bool held; int position; int16_t wheelStep; };
    const Step steps[] = {
        {120, true, 0, 0},     {-120, false, 1, -1},  // nothing recognised yet; then later frames
        {-240, false, 2, -1},  {77, false, 3, -1},    // an odd delta repeats the last step,
        {120, true, 4, -1},    {240, false, 3, 1},    // and so does a notch with a key held
        {77, false, 2, 1},     {360, false, 1, 1},
        {120, false, 0, 1},    {-360, false, 1, -1},  // at the top the position is refused
        {120, false, 0, 1},    {360, false, 0, 1},    // a notch up after steps down
        {-120, false, 1, -1},  {360, false, 0, 1},    // three notches at once turn back too
    };
    for (const auto& s : steps) {
        editor.wheel(s.delta, s.held);
        EXPECT_EQ(std::pair(editor.strip.position(), editor.strip.wheelStep()), std::pair(s.position, s.wheelStep))
            << s.delta;
    }
    editor.setStripPosition(5);
    editor.wheel(-120, false);
    editor.setStripPosition(6);  // past the last position: refused as well
    EXPECT_EQ(editor.strip.position(), 5);
}

TEST_F(SequenceFixture, ChoosingThumbnailsSelectsRangesWritesBackAndLoadsTheFrame) {
    growTo(10);
    storeFrame(editor.buffer, 2, {point3D(0, 0), point3D(100, 0), point3D(200, 0), point3D(300, 0)});
    struct Click { int index; bool left; int start, len; };
    for (const auto& c : {Click{4, true, 5, 1}, Click{1, false, 2, 4}, Click{4, true, 5, 1}, Click{6, false, 5, 3}}) {
        editor.chooseThumbnail(c.index, c.left);
        EXPECT_EQ(std::pair(editor.seq.selFrameStart, editor.seq.selFrameLen), std::pair(c.start, c.len));
        // The frame as loaded is kept, but it is nothing to undo yet.
        EXPECT_EQ(std::tuple(editor.seq.currentFrame, editor.seq.editEnabled, editor.win.undoEnabled, editor.history.undocounter()), std::tuple(c.index + 1, true, false, 1));
    }
    editor.chooseThumbnail(1, true);
    EXPECT_EQ(editor.win.pointsLabel, "4");
    editor.undo();  // right after loading: the frame as loaded, and Undo switched off
    EXPECT_EQ(std::pair(editor.win.undoEnabled, editor.frame.frame0->pointCount), std::pair(false, 4));

    editor.frame.frame0->points[3] = point3D(3, 4);
    editor.seq.framechanged = true;
    editor.chooseThumbnail(0, true);
    EXPECT_FALSE(editor.seq.framechanged);
    editor.chooseThumbnail(1, true);
    EXPECT_EQ(editor.frame.frame0->points[3].status, 128);  // written back with its last-point bit

    editor.setStripPosition(2);  // frames 9 and 10, then empty places
    const Sequence before = editor.seq;
    editor.chooseThumbnail(3, true);
    EXPECT_EQ(std::pair(editor.seq.currentFrame, editor.seq.selFrameStart),
              std::pair(before.currentFrame, before.selFrameStart));
}

TEST_F(SequenceFixture, PaletteChoiceDecidesTheStripAndTheBands) {
    struct Case { uint8_t choice; double x; int index; };
    const Case cases[] = {{PangolinPalette, 7, 1}, {PangolinPalette, 255, 63}, {PangolinPalette, 3.5, 1},
                          {IldaPalette, 200, 200}, {IldaPalette, 0.4, 0},      {IldaPalette, 300, 255}};
    for (const auto& c : cases) EXPECT_EQ(colorIndexAt(c.x, c.choice), c.index) << c.x;
    editor.pickColor(200);
    EXPECT_EQ(editor.currentColor, 200);
    EXPECT_EQ(editor.paletteStrip.pixel(200, 2) & 0xFFFFFF, ImageSurface::toArgb(editor.palette.color[200]) & 0xFFFFFF);
    editor.settings.paletteChoice = PangolinPalette;
    editor.reloadPalette();
    EXPECT_EQ(editor.currentColor, 1);
    EXPECT_EQ(editor.paletteStrip.pixel(255, 2) & 0xFFFFFF, ImageSurface::toArgb(editor.palette.color[63]) & 0xFFFFFF);
    EXPECT_EQ(colorReadout(editor.palette.color[2]), "R:255 G:32 B:0");
}

TEST(SingleInstance, OnlyALockHeldByARunningCopyRefuses) {
    ProgramFolder folder, other;
    QLockFile first(folder.file("quorvel.lock")), second(folder.file("quorvel.lock"));
    QLockFile elsewhere(other.file("quorvel.lock")), nowhere(other.file("missing/quorvel.lock"));
    ASSERT_EQ(claimProgramFolder(first), FolderClaim::Ours);
    EXPECT_EQ(claimProgramFolder(second), FolderClaim::HeldByAnother);
    EXPECT_EQ(claimProgramFolder(elsewhere), FolderClaim::Ours);
    EXPECT_EQ(claimProgramFolder(nowhere), FolderClaim::NoLock);  // no lock file here: runs all the same
    first.unlock();
    EXPECT_EQ(claimProgramFolder(second), FolderClaim::Ours);
}

// A session that ends without saving (killed, crashed) leaves its written-back frames for the
// next start to offer; a saved, dropped or closed sequence leaves nothing to offer.
TEST(Recovery, UnsavedFramesOfAKilledSessionComeBackWhenTheUserWantsThem) {
    enum Ending { Killed, Saved, ClosedAnsweringNo, OtherUsersFile, CutToOneHeader, NoiseInSlot2, AllOnesInSlot1, Format4InSlot2, TooManyPointsInSlot2 };
    struct Case { Ending ending; Answer answer; bool offered, recovered; int frames = 3; };
    const Case cases[] = {
        {Killed, Answer::Yes, true, true}, {Killed, Answer::No, true, false}, {Saved, Answer::Yes, false, false},
        {ClosedAnsweringNo, Answer::Yes, false, false}, {OtherUsersFile, Answer::Yes, false, false},
        {CutToOneHeader, Answer::No, true, false, 1},  // only slots whose header is whole are offered
        // Only slots that hold a frame as the editor writes them: what garbage follows goes.
        {NoiseInSlot2, Answer::No, true, false, 1}, {AllOnesInSlot1, Answer::Yes, false, false},
        {Format4InSlot2, Answer::No, true, false, 1}, {TooManyPointsInSlot2, Answer::No, true, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.ending));
        if (c.ending == OtherUsersFile && ::geteuid() != 0) continue;  // only root can give a file away
        ProgramFolder folder;
        {
            ScriptedPrompts prompts;
            auto editor = std::make_unique<Editor>(folder.path(), prompts);
            editor->addNewFrame(), editor->addNewFrame();
            editor->chooseThumbnail(1, true);
            editor->chooseTool(PointTool);
            editor->canvasPress(1, 10, 10), editor->canvasRelease(1, 10, 10);
            editor->chooseThumbnail(2, true);  // frame 2 is written back; frame 3's edit is not
            editor->canvasPress(1, 20, 20), editor->canvasRelease(1, 20, 20);
            if (c.ending == Saved) {
                prompts.fileNames = {folder.file("saved.ild")};
                ASSERT_TRUE(editor->saveAs().ok);
            }
            prompts.answers = {Answer::No};
            if (c.ending == ClosedAnsweringNo) { ASSERT_TRUE(editor->closeWindow()); }
            if (c.ending == OtherUsersFile) { ASSERT_EQ(::chown(qPrintable(folder.bufferPath()), 65534, 65534), 0); }
            editor.reset();  // the process ends here without its close handler
        }
        if (c.ending == CutToOneHeader) QFile::resize(folder.bufferPath(), 32);  // the first header alone is left
        if (c.ending >= NoiseInSlot2) {
            QFile slotFile(folder.bufferPath());
            ASSERT_TRUE(slotFile.open(QIODevice::ReadWrite));
            FrameHeader h = blankHeader(1);
            QByteArray bytes(reinterpret_cast<const char*>(&h), 32);
            if (c.ending == NoiseInSlot2) for (int i = 0; i < 32; ++i) bytes[i] = char(i * 37 + 11);
            if (c.ending == AllOnesInSlot1) bytes.fill('\xFF');
            if (c.ending == Format4InSlot2) bytes[7] = 4;
            if (c.ending == TooManyPointsInSlot2) h.setPointCount(MaxPoints + 1), bytes = QByteArray(reinterpret_cast<const char*>(&h), 32);
            slotFile.seek(c.ending == AllOnesInSlot1 ? 0 : FrameSlotSize);
            slotFile.write(bytes);
        }
        ScriptedPrompts prompts;
        prompts.answers = {c.answer};
        Editor editor(folder.path(), prompts);
        EXPECT_EQ(prompts.questions, c.offered ? QStringList{QString("The last session ended without saving. Recover its %1 frames?").arg(c.frames)}
                                               : QStringList{});
        EXPECT_EQ(editor.seq.totalFrames, c.recovered ? 3 : 1);
        EXPECT_EQ(editor.win.title, c.recovered ? "Quorvel Laser Editor: recovered" : "Quorvel Laser Editor");
        EXPECT_EQ(std::tuple(editor.seq.fileChanged, editor.seq.editEnabled, editor.seq.currentFrame),
                  std::tuple(c.recovered, false, 0));
        if (!c.recovered) continue;
        editor.chooseThumbnail(1, true);
        EXPECT_EQ(editor.frame.pointCount(), 1);
        // Started again, the sequence is still unsaved until it is saved.
        ScriptedPrompts again;
        Editor next(folder.path(), again, true);
        EXPECT_EQ(again.questions.size(), 1);
    }
}

// The working frame's thumbnail follows each edit in its own colours, a selected one framed so
// that even blue lines stay visible, and blanked true-colour travel shows grey there as well.
TEST_F(SequenceFixture, TheWorkingThumbnailFollowsEditsAndShowsTrueColourAsTheCanvasDoes) {
    growTo(2);
    WorkingFrame wf;
    wf.format = 5;
    editor.buffer.saveRamToBuffer(1, wf);
    editor.chooseThumbnail(0, true);
    const QImage& thumb = editor.strip.thumbnails[0].image;
    const auto at = [&](int x, int y) { return thumb.pixel(x, y) & 0xFFFFFF; };
    const auto count = [&](Rgb c) {
        int n = 0;
        for (int y = 2; y < 62; ++y)
            for (int x = 2; x < 62; ++x) n += at(x, y) == (ImageSurface::toArgb(c) & 0xFFFFFF);
        return n;
    };
    const QRgb h = ImageSurface::toArgb(editor.strip.highlightColor) & 0xFFFFFF;
    EXPECT_EQ(std::tuple(at(0, 0), at(63, 40), at(40, 62)), std::tuple(h, h, h));  // the selection's frame, two pixels wide
    EXPECT_EQ(at(32, 32), 0u);
    editor.pickTrueColor(rgb(0, 0, 255));
    editor.chooseTool(LineTool);
    editor.canvasPress(1, 100, 256), editor.canvasRelease(1, 400, 256);  // a blue line across the middle
    EXPECT_GT(count(rgb(0, 0, 255)), 30);
    editor.canvasPress(2, 100, 100), editor.canvasRelease(2, 100, 100);  // a blanked line back up
    const PointTrue2D& last = editor.frame.frame5->points[editor.frame.frame5->pointCount - 1];
    EXPECT_EQ(std::tuple(int(last.status), last.red + last.green + last.blue), std::tuple(64, 0));
    EXPECT_GT(count(BlankedGray), 30);
    editor.undo();
    EXPECT_EQ(count(BlankedGray), 0);
}

// Undo and Redo walk the same ten steps both ways; a new edit ends what could be redone, and
// choosing a frame starts both anew.
TEST_F(SequenceFixture, RedoTakesBackEachUndoUntilANewEdit) {
    struct Case { int edits; const char* steps; int points; bool undo, redo; };
    const Case cases[] = {
        {3, "U", 2, true, true},       {3, "UU", 1, true, true},   {3, "UUR", 2, true, true},
        {3, "UURR", 3, true, false},   {3, "UURRR", 3, true, false}, {3, "UUE", 2, true, false},
        {3, "UUUU", 0, false, true},   {3, "UUUUR", 1, true, true},  {3, "UUUURRRR", 3, true, false},
        {12, "UUUUUUUUUUU", 2, false, true}, {12, "UUUUUUUUUURRRRRRRRRR", 12, true, false}, {3, "UC", 2, false, false},
        {3, "UN", 0, false, false},  // New File
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edits << ' ' << c.steps);
        startOver();
        growTo(2);
        editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
        const auto click = [&] { editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100); };
        for (int i = 0; i < c.edits; ++i) click();
        for (const char step : std::string_view(c.steps)) {
            if (step == 'U') editor.undo();
            if (step == 'R') editor.redo();
            if (step == 'E') click();
            if (step == 'C') editor.chooseThumbnail(1, true), editor.chooseThumbnail(0, true);
            if (step == 'N') prompts.answers = {Answer::No}, editor.newFile();
        }
        EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.win.pointsLabel), std::pair(c.points, QString::number(c.points)));
        EXPECT_EQ(std::pair(editor.win.undoEnabled, editor.win.redoEnabled), std::pair(c.undo, c.redo));
    }
}

// Recent Files: what was opened or saved comes first and stays for the next session; a file
// that went away leaves the list without touching the sequence.
TEST_F(SequenceFixture, RecentFilesFollowOpenAndSaveAndLoseFilesThatWentAway) {
    const QString one = IldaBuilder().section(1, 3, 1).save(folder.file("one.ild"));
    const QString two = IldaBuilder().section(1, 5, 2).section(1, 5, 2).save(folder.file("two.ild"));
    open(one);
    ASSERT_TRUE(saveAs(folder.file("saved.ild")).ok);
    open(two);
    EXPECT_EQ(std::pair(prompts.busy, prompts.busyTimes), std::pair(false, 2));  // the wait cursor came and went
    const QStringList expected{two, folder.file("saved.ild"), one};
    EXPECT_EQ(editor.more.recentFiles, expected);
    {
        ScriptedPrompts quiet;
        Editor next(folder.path(), quiet, false);
        EXPECT_EQ(next.more.recentFiles, expected);
    }
    editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
    editor.canvasPress(1, 9, 9), editor.canvasRelease(1, 9, 9);
    prompts.answers = {Answer::Cancel};
    editor.openRecent(2);  // the question comes first, and Cancel keeps everything
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.fileChanged, editor.more.recentFiles), std::tuple(2, true, expected));
    prompts.answers = {Answer::No};
    editor.openRecent(2);
    EXPECT_EQ(std::pair(editor.seq.totalFrames, slotHeader(1).pointCount()), std::pair(1, 3));
    EXPECT_EQ(editor.more.recentFiles, (QStringList{one, two, folder.file("saved.ild")}));

    QFile::remove(two);
    const int askedBefore = int(prompts.questions.size());
    editor.openRecent(1);
    EXPECT_EQ(int(prompts.questions.size()), askedBefore);
    EXPECT_EQ(editor.win.statusNote, two + " is no longer there: it was taken off Recent Files.");
    EXPECT_EQ(editor.more.recentFiles, (QStringList{one, folder.file("saved.ild")}));
    EXPECT_EQ(std::pair(loadMoreSettings(folder.file("quorvel.ini")).recentFiles, editor.seq.totalFrames), std::pair(editor.more.recentFiles, 1));
    editor.openRecent(5);  // past the end: nothing
    EXPECT_EQ(editor.more.recentFiles.size(), 2);
}
