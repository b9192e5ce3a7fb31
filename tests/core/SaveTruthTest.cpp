// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says is what the program does: the frame the canvas shows after Undo or Redo
// is the frame that is saved, the title names the file Save writes, and an export is no save.
#include "EditorFixture.h"
#include "IldaBuilder.h"

#include <QFile>

using namespace quorvel;
using namespace quorvel::test;

namespace {

struct TruthFixture : EditorFixture {
    // Frame 1 has 3 points, frame 2 has 7.
    QString showFile() {
        return IldaBuilder().section(1, 3, 2).section(1, 7, 2).save(folder.file("show.ild"));
    }
    void click() { editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100); }
};

}  // namespace

// A frame command writes the working frame back; Undo takes the command back, then the edits
// before it, and Redo brings both again. Each changes the frame again, and that change must reach
// the slot and the file like any edit.
TEST_F(TruthFixture, WhatTheCanvasShowsAfterUndoOrRedoIsWhatIsSaved) {
    enum Command { Insert, Duplicate, Later, Earlier };
    enum Step { UndoAfter, RedoAfter };
    enum Finish { SaveAsNew, SaveInPlace, ChooseAgain };
    for (const Command command : {Insert, Duplicate, Later, Earlier})
        for (const Step step : {UndoAfter, RedoAfter})
            for (const Finish finish : {SaveAsNew, SaveInPlace, ChooseAgain}) {
                SCOPED_TRACE(testing::Message() << command << ' ' << step << ' ' << finish);
                startOver();
                const QString path = showFile();
                open(path);
                const int chosen = command == Earlier ? 2 : 1, base = command == Earlier ? 7 : 3;
                editor.chooseThumbnail(chosen - 1, true);
                EXPECT_FALSE(editor.win.undoEnabled);  // the frame as loaded: nothing to undo
                editor.undo();
                EXPECT_FALSE(editor.seq.fileChanged);
                editor.chooseTool(PointTool);
                click(), click();
                switch (command) {
                case Insert: editor.insertFrame(); break;
                case Duplicate: editor.duplicateFrame(); break;
                case Later: editor.moveFrame(1); break;
                case Earlier: editor.moveFrame(-1); break;
                }
                editor.undo(), editor.undo();  // the command, then the second click
                if (step == RedoAfter) editor.redo(), editor.redo();
                const int shown = base + (step == UndoAfter ? 1 : 2);
                ASSERT_EQ(editor.frame.pointCount(), shown);
                const std::vector<int> expected = step == UndoAfter ? (command == Earlier ? std::vector{3, shown} : std::vector{shown, 7})
                                                  : command == Insert      ? std::vector{0, shown, 7}
                                                  : command == Duplicate ? std::vector{shown, shown, 7}
                                                  : command == Later     ? std::vector{7, shown}
                                                                         : std::vector{shown, 3};
                if (finish == ChooseAgain) {
                    const int current = editor.seq.currentFrame;
                    editor.chooseThumbnail(current == 1 ? 1 : 0, true);
                    editor.chooseThumbnail(current - 1, true);
                    EXPECT_EQ(editor.frame.pointCount(), shown);
                }
                const QString saved = finish == SaveInPlace ? path : folder.file("copy.ild");
                QFile::remove(folder.file("copy.ild"));
                ASSERT_TRUE((finish == SaveInPlace ? editor.save() : saveAs(saved)).ok);
                EXPECT_EQ(frameCounts(readFile(saved)), expected);
            }
}

// Save As, Save, the SD-card export and the save question's Yes, on a sequence with a file and
// one without, indexed and true colour: the title, where the next Save goes, the change mark
// and what is on disk.
TEST_F(TruthFixture, SavesNameTheFileSaveWritesNextAndAnExportIsNoSave) {
    enum Action { SaveAs, Save, Export, QuestionYes };
    for (const Action action : {SaveAs, Save, Export, QuestionYes})
        for (const bool hasFile : {true, false})
            for (const bool trueColor : {false, true}) {
                SCOPED_TRACE(testing::Message() << action << ' ' << hasFile << ' ' << trueColor);
                startOver();
                for (const char* name : {"show.ild", "other.ild", "card.ild"}) QFile::remove(folder.file(name));
                const QString show = folder.file("show.ild"), other = folder.file("other.ild"), card = folder.file("card.ild");
                if (hasFile) open(IldaBuilder().section(trueColor ? 5 : 1, 3, 1).save(show));
                editor.chooseThumbnail(0, true), editor.chooseTool(PointTool);
                if (trueColor && !hasFile) editor.convertToTrueColor();
                click();
                const QByteArray before = readFile(show);
                const QString title = editor.win.title;
                const int dialogs = int(prompts.filters.size());
                prompts.fileNames = {action == Export ? card : other};
                switch (action) {
                case SaveAs: editor.saveAs(); break;
                case Save: editor.save(); break;
                case Export: editor.exportForSdCard(); break;
                case QuestionYes: prompts.answers = {Answer::Yes}, editor.newFile(); break;
                }
                // Save and the question's Yes ask for a name only when there is no file.
                const bool asked = action == SaveAs || action == Export || !hasFile;
                EXPECT_EQ(int(prompts.filters.size()), dialogs + asked);
                const QString written = action == Export ? card : asked ? other : show;
                const std::vector<int> one{hasFile ? 4 : 1};
                EXPECT_EQ(frameCounts(readFile(written)), one);
                EXPECT_EQ(int(headerAt(readFile(written), 0).formatCode), action == Export ? 0 : trueColor ? 5 : hasFile ? 1 : 0);
                if (written != show) { EXPECT_EQ(readFile(show), before); }
                if (action == QuestionYes) {
                    EXPECT_EQ(std::pair(editor.win.title, editor.seq.fileChanged), std::pair(QString(MainTitle), false));
                    continue;
                }
                if (action == Export) {  // the sequence as it was: changed, same title, same Save
                    EXPECT_EQ(std::pair(editor.win.title, editor.seq.fileChanged), std::pair(title, true));
                    EXPECT_TRUE(editor.win.statusNote.startsWith("Exported 1 frames for SD-card projectors to "));
                } else {
                    EXPECT_EQ(std::pair(editor.win.title, editor.seq.fileChanged),
                              std::pair(MainTitle + ": " + QFileInfo(written).fileName(), false));
                }
                // The next Save goes where the title says, or asks when it names no file.
                click();
                QFile::remove(folder.file("asked.ild"));
                prompts.fileNames = {folder.file("asked.ild")};
                ASSERT_TRUE(editor.save().ok);
                const QString next = action == Export ? (hasFile ? show : folder.file("asked.ild")) : written;
                EXPECT_EQ(frameCounts(readFile(next)), std::vector<int>{one[0] + 1});
                EXPECT_EQ(int(headerAt(readFile(next), 0).formatCode), trueColor ? 5 : hasFile ? 1 : 0);  // in its kind
            }
}

// Save As and the export ask before replacing a file; No goes back to choosing a name.
TEST_F(TruthFixture, ReplacingAFileIsAskedFirst) {
    const QString show = showFile(), other = folder.file("other.ild");
    open(show);
    for (const bool exporting : {false, true}) {
        const QByteArray before = readFile(show);
        prompts.questions.clear();
        prompts.fileNames = {show, other};
        prompts.answers = {Answer::No};
        QFile::remove(other);
        ASSERT_TRUE((exporting ? editor.exportForSdCard() : editor.saveAs()).ok);
        EXPECT_EQ(prompts.questions, QStringList{"show.ild already exists. Replace it?"});
        EXPECT_EQ(readFile(show), before);
        EXPECT_EQ(frameCounts(readFile(other)), (std::vector{3, 7}));
        prompts.fileNames = {show};
        prompts.answers = {Answer::Yes};
        ASSERT_TRUE((exporting ? editor.exportForSdCard() : editor.saveAs()).ok);
        EXPECT_NE(readFile(show), before);
    }
}

// After a crash the question names the file the frames came from, the title says they were
// recovered, and Save asks for a name rather than writing over that file.
TEST_F(TruthFixture, RecoveryNamesTheFileAndSaveAsksForAName) {
    for (const bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile);
        ProgramFolder crashed;
        ScriptedPrompts asked;
        {
            Editor before(crashed.path(), asked);
            asked.fileNames = {IldaBuilder().section(1, 3, 2).section(1, 7, 2).save(crashed.file("show.ild"))};
            if (fromFile) before.open();
            else before.addNewFrame();
            before.chooseThumbnail(0, true), before.chooseTool(PointTool);
            before.canvasPress(1, 100, 100), before.canvasRelease(1, 100, 100);
            before.chooseThumbnail(1, true);  // written back; the editor then dies without a word
        }
        asked.answers = {Answer::Yes};
        Editor after(crashed.path(), asked);
        EXPECT_EQ(asked.questions.last(), fromFile ? QString("The last session ended without saving. Recover its 2 frames of show.ild?")
                                                   : QString("The last session ended without saving. Recover its 2 frames?"));
        EXPECT_EQ(after.win.title, fromFile ? QString("Quorvel Laser Editor: show.ild (recovered)") : QString("Quorvel Laser Editor: recovered"));
        const QByteArray original = readFile(crashed.file("show.ild"));
        asked.fileNames = {crashed.file("saved.ild")};
        ASSERT_TRUE(after.save().ok);
        EXPECT_EQ(readFile(crashed.file("show.ild")), original);
        EXPECT_EQ(frameCounts(readFile(crashed.file("saved.ild"))), (fromFile ? std::vector{4, 7} : std::vector{1, 0}));
        after.shutdown();
    }
}

// A sequence with no frames left writes no file: Save, Save As and the export say so and leave
// the file there as it was.
TEST_F(TruthFixture, NoFramesNoFile) {
    const QString show = showFile();
    open(show);
    const QByteArray before = readFile(show);
    editor.seq.selFrameStart = 1, editor.seq.selFrameLen = 2;
    editor.deleteFrames();
    ASSERT_EQ(editor.seq.totalFrames, 0);
    for (const int command : {0, 1, 2}) {
        prompts.fileNames = {show};
        prompts.answers = {Answer::Yes};
        const WriteResult r = command == 0 ? editor.save() : command == 1 ? editor.saveAs() : editor.exportForSdCard();
        EXPECT_EQ(std::pair(r.ok, r.error), std::pair(false, std::string("the sequence has no frames"))) << command;
        EXPECT_EQ(editor.win.statusNote, "The file could not be written: the sequence has no frames");
        EXPECT_EQ(readFile(show), before);
        EXPECT_TRUE(editor.seq.fileChanged);
    }
}
