// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo over the whole sequence: frame commands and edits of the working frame taken back
// and brought again in the order they were made, each state saved exactly as it first stood.
#include "EditorFixture.h"
#include "IldaBuilder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

using namespace quorvel;
using namespace quorvel::test;

namespace {

// Each frame of an ILDA file, header and points, up to its closing header.
std::vector<QByteArray> framesOf(const QByteArray& file) {
    std::vector<QByteArray> frames;
    int64_t at = 0;
    for (const int count : frameCounts(file)) {
        const int64_t size = 32 + int64_t(count) * (headerAt(file, at).formatCode == 1 ? 6 : 8);
        frames.push_back(file.mid(at, size));
        at += size;
    }
    return frames;
}

struct UndoFixture : EditorFixture {
    // Frame n of five has n points.
    void SetUp() override {
        IldaBuilder file;
        for (int n = 1; n <= 5; ++n) file.section(0, n, 5);
        open(file.save(folder.file("seq.ild")));
        choose(2);
        editor.chooseTool(PointTool);
    }
    void choose(int frame) {
        editor.setStripPosition((frame - 1) / 4);
        editor.chooseThumbnail((frame - 1) % 4, true);
    }
    void select(int first, int count) { editor.seq.selFrameStart = first, editor.seq.selFrameLen = count; }
    void click() { editor.canvasPress(1, 100, 100), editor.canvasRelease(1, 100, 100); }
    QByteArray saved() {
        const QString path = folder.file("out.ild");
        QFile::remove(path);
        EXPECT_TRUE(saveAs(path).ok);
        return readFile(path);
    }
    // What Undo keeps beside the frame buffer file.
    int keptFiles() const {
        const QFileInfo buffer(editor.buffer.path());
        return int(buffer.dir().entryList({buffer.fileName() + ".undo-*"}, QDir::Files).size());
    }
};

}  // namespace

// Thirteen steps of every kind, edits between them. After each, the saved file and the working
// frame are noted; ten Undos then give back exactly the file of each step before, ten Redos the
// file of each step after, and the working frame each had.
TEST_F(UndoFixture, UndoAndRedoWalkTheSequenceBackAndForthThroughEveryKindOfStep) {
    writeFile(folder.file("a.svg"), "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><line x2='9' stroke='red'/></svg>");
    writeFile(folder.file("b.svg"), "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><line y2='9' stroke='red'/></svg>");
    Transform turn;
    turn.degrees = 90;
    struct Step { const char* what; std::function<void()> act; std::vector<int> counts; int current; };
    const Step steps[] = {
        {"edit", [&] { click(); }, {1, 3, 3, 4, 5}, 2},
        {"insert", [&] { editor.insertFrame(); }, {1, 0, 3, 3, 4, 5}, 3},
        {"duplicate", [&] { editor.duplicateFrame(); }, {1, 0, 3, 3, 3, 4, 5}, 3},
        {"edit after", [&] { click(); }, {1, 0, 4, 3, 3, 4, 5}, 3},
        {"move later", [&] { editor.moveFrame(1); }, {1, 0, 3, 4, 3, 4, 5}, 4},
        {"delete before", [&] { select(1, 2); editor.deleteFrames(); }, {3, 4, 3, 4, 5}, 2},
        {"edit after delete", [&] { click(); }, {3, 5, 3, 4, 5}, 2},
        {"reverse", [&] { select(2, 1); editor.reverseFrames(); }, {5, 4, 3, 5, 3}, 4},
        {"tween", [&] { editor.tween({5, true, 2, Easing::Linear}); }, {5, 4, 3, 5, 5, 5, 3}, 4},
        {"spread turn", [&] { select(3, 3); editor.transformFrames(turn); }, {5, 4, 3, 5, 5, 5, 3}, 4},
        {"cut frame", [&] { editor.cutFrame(); }, {5, 4, 3, 0, 5, 5, 3}, 4},
        {"svg frames", [&] { prompts.fileNames = {folder.file("a.svg") + '\n' + folder.file("b.svg")}; editor.importSvg(); }, {5, 4, 3, 0, 91, 91, 5, 5, 3}, 4},
        {"paste frame", [&] { editor.pasteFrame(); }, {5, 4, 3, 5, 91, 91, 5, 5, 3}, 4},  // the cut frame
    };
    std::vector<QByteArray> files{saved()};
    std::vector<int> currents{2};
    for (const Step& s : steps) {
        s.act();
        EXPECT_TRUE(editor.seq.fileChanged) << s.what;
        const QByteArray file = saved();
        EXPECT_EQ(frameCounts(file), s.counts) << s.what;
        EXPECT_EQ(editor.seq.currentFrame, s.current) << s.what;
        files.push_back(file), currents.push_back(editor.seq.currentFrame);
    }
    const std::vector<QByteArray> beforeTurn = framesOf(files[9]), turned = framesOf(files[10]);
    for (const size_t f : {0, 1, 2, 3, 4, 5, 6})  // frames 3 to 5 turned (frame 3 by none of it), the rest not
        EXPECT_EQ(turned[f] == beforeTurn[f], f < 3 || f > 4) << f + 1;
    const int last = int(std::size(steps));
    for (int back = 1; back <= SequenceHistory::Depth; ++back) {
        SCOPED_TRACE(back);
        EXPECT_TRUE(editor.win.undoEnabled);
        editor.undo();
        EXPECT_TRUE(editor.seq.fileChanged);
        EXPECT_EQ(saved(), files[size_t(last - back)]) << steps[last - back].what;
        EXPECT_EQ(editor.seq.currentFrame, currents[size_t(last - back)]);
    }
    EXPECT_FALSE(editor.win.undoEnabled);  // ten steps back, and no more
    editor.undo();
    EXPECT_EQ(saved(), files[size_t(last - SequenceHistory::Depth)]);
    for (int on = last - SequenceHistory::Depth + 1; on <= last; ++on) {
        SCOPED_TRACE(on);
        EXPECT_TRUE(editor.win.redoEnabled);
        editor.redo();
        EXPECT_TRUE(editor.seq.fileChanged);
        EXPECT_EQ(saved(), files[size_t(on)]) << steps[on - 1].what;
        EXPECT_EQ(editor.seq.currentFrame, currents[size_t(on)]);
    }
    EXPECT_FALSE(editor.win.redoEnabled);
}

// What a step replaced stays in a file beside the frame buffer file while the step can be
// undone or redone, and goes when it cannot any more: past the depth, a new edit, New File.
TEST_F(UndoFixture, WhatAStepReplacedIsKeptOnlyWhileItCanBeUndone) {
    for (int i = 0; i < SequenceHistory::Depth + 3; ++i) editor.duplicateFrame();
    EXPECT_EQ(keptFiles(), SequenceHistory::Depth);
    editor.undo(), editor.undo();
    EXPECT_EQ(keptFiles(), SequenceHistory::Depth);  // two to redo, eight to undo
    click();
    EXPECT_EQ(keptFiles(), SequenceHistory::Depth - 2);
    startOver();
    EXPECT_EQ(keptFiles(), 0);
}

// A step whose frames cannot be kept asks first: No changes nothing, Yes goes on without Undo.
TEST_F(UndoFixture, AStepThatCannotKeepItsFramesAsksBeforeChangingAnything) {
    click();
    const QByteArray before = saved();
    // Every name Undo would keep frames under is taken by a link, which is never followed.
    for (int i = 1; i <= 20; ++i) QFile::link(folder.file("nowhere"), editor.buffer.path() + ".undo-" + QString::number(i));
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(int(answer));
        prompts.questions.clear();
        prompts.answers = {answer};
        select(1, 2);
        editor.deleteFrames();
        ASSERT_EQ(prompts.questions.size(), 1);
        EXPECT_TRUE(prompts.questions[0].contains(QString::fromLocal8Bit(std::strerror(ELOOP))));
        if (answer == Answer::No) {
            EXPECT_EQ(saved(), before);
            EXPECT_TRUE(editor.win.undoEnabled);  // the edit before can still be undone
        } else {
            EXPECT_EQ(frameCounts(saved()), (std::vector{3, 4, 5}));
            EXPECT_FALSE(editor.win.undoEnabled);  // nothing before it can be undone across it
        }
    }
}

// Undo of a frame command chooses nothing new when another frame was chosen since: the frame
// the command left is the working frame again, with a history of its own.
TEST_F(UndoFixture, UndoAfterChoosingAnotherFrameGoesBackToTheFrameOfTheStep) {
    click();
    editor.insertFrame();  // frame 2 is now frame 3
    choose(5);
    click();
    editor.undo();  // the edit of frame 5
    editor.undo();  // the insertion
    EXPECT_EQ(frameCounts(saved()), (std::vector{1, 3, 3, 4, 5}));
    EXPECT_EQ(std::pair(editor.seq.currentFrame, editor.frame.pointCount()), std::pair(2, 3));
    EXPECT_FALSE(editor.win.undoEnabled);  // frame 2's edit left with the frame it belonged to
    editor.redo();
    EXPECT_EQ(editor.seq.currentFrame, 3);
    EXPECT_EQ(editor.strip.position(), 0);  // the strip shows it
    EXPECT_FALSE(editor.win.redoEnabled);  // frame 5's edit left when frame 2 came back
}

// A frame deleted while it was being edited comes back with Undo, and so do its edits.
TEST_F(UndoFixture, UndoOfDeletingTheWorkingFrameBringsItBackWithItsEdits) {
    click(), click();
    select(2, 2);
    editor.deleteFrames();
    EXPECT_FALSE(editor.seq.editEnabled);
    editor.undo();
    EXPECT_EQ(std::pair(editor.seq.currentFrame, editor.frame.pointCount()), std::pair(2, 4));
    editor.undo();
    EXPECT_EQ(editor.frame.pointCount(), 3);
    EXPECT_EQ(frameCounts(saved()), (std::vector{1, 3, 3, 4, 5}));
}

// What changes no frame is no step; a spread over other frames leaves the working frame, and the
// points selected in it, alone.
TEST_F(UndoFixture, WhatChangesNoFrameIsNoStep) {
    editor.frame.selStart = 0, editor.frame.selEnd = 1;
    select(3, 3);
    editor.transformFrames(Transform{});
    EXPECT_FALSE(editor.win.undoEnabled);
    Transform move;
    move.moveX = 100;
    editor.transformFrames(move);
    EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(0, 1));
    EXPECT_TRUE(editor.win.undoEnabled);
}

// What Undo kept in a session that ended without closing is gone at the next start.
TEST(UndoFiles, WhatASessionLeftBehindGoesAtTheNextStart) {
    ProgramFolder folder;
    const QStringList left{folder.bufferPath() + ".undo-7", folder.bufferPath() + ".deleting", folder.bufferPath() + ".replacing"};
    QDir().mkpath(QFileInfo(left[0]).path());
    for (const QString& file : left) writeFile(file, "frames");
    ScriptedPrompts prompts;
    const Editor editor(folder.path(), prompts, false);
    for (const QString& file : left) EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
}
