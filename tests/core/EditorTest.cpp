#include "TestSupport.h"
#include "options/ColorSelector.h"
#include "shell/Editor.h"
#include "shell/SingleInstance.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct EditorFixture : ::testing::Test {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};

    // Appends empty frames until the sequence holds n frames.
    void growTo(int n) {
        while (editor.seq.totalFrames < n) editor.addNewFrame();
    }
    // Puts `count` points into frame `n`'s slot, all at one place.
    void fillSlot(int n, int count) {
        WorkingFrame wf;
        wf.frame0->pointCount = count;
        for (int i = 0; i < count; ++i) wf.frame0->points[i] = point3D(100 * i, 0);
        editor.buffer.saveRamToBuffer(n, wf);
    }
};
}  // namespace

TEST_F(EditorFixture, StartsWithOneEmptyFrameAndNothingToUndo) {
    EXPECT_EQ(editor.seq.totalFrames, 1);
    EXPECT_EQ(editor.seq.currentFrame, 0);
    EXPECT_FALSE(editor.seq.editEnabled);
    EXPECT_FALSE(editor.win.undoEnabled);
    EXPECT_FALSE(editor.win.pasteFrameEnabled);
    EXPECT_FALSE(editor.win.pastePointsEnabled);
    EXPECT_EQ(editor.win.title, "Quorvel Laser Editor");
    EXPECT_EQ(editor.currentColor, 1);
    const QByteArray bytes = readFile(folder.bufferPath());
    ASSERT_GE(bytes.size(), 32);
    EXPECT_EQ(uint8_t(bytes[24]) * 256 + uint8_t(bytes[25]), 0);
    EXPECT_EQ(uint8_t(bytes[28]) * 256 + uint8_t(bytes[29]), 1);
    EXPECT_EQ(editor.strip.thumbnails[0].label, "1");
    EXPECT_TRUE(editor.strip.thumbnails[1].label.isEmpty());
}

TEST_F(EditorFixture, MissingBufferFolderIsCreated) {
    ProgramFolder other;
    QDir(other.file("buffer")).removeRecursively();
    Editor fresh(other.path(), prompts);
    EXPECT_TRUE(QFile::exists(other.bufferPath()));
}

TEST_F(EditorFixture, NewFileAsksOnlyWhenTheFileChanged) {
    struct Case { Answer answer; bool startsNew; bool fileChangedAfter; int saves; };
    const Case cases[] = {
        {Answer::Cancel, false, true, 0},
        {Answer::No, false, false, 0},
        {Answer::Yes, true, false, 1},
    };
    for (const auto& c : cases) {
        growTo(3);
        editor.seq.fileChanged = true;
        prompts.answers = {c.answer};
        const QString target = folder.file("saved.ild");
        QFile::remove(target);
        prompts.fileNames = {target};
        editor.newFile();
        EXPECT_EQ(prompts.questions.last(), "File changed. Do you want to save it?");
        EXPECT_EQ(editor.seq.totalFrames, c.startsNew ? 1 : 3);
        EXPECT_EQ(editor.seq.fileChanged, c.fileChangedAfter);
        EXPECT_EQ(QFile::exists(target), c.saves == 1);
        // Saving writes three empty frames and the closing header.
        if (c.saves) {
            EXPECT_EQ(readFile(target).size(), 4 * 32);
        }
        editor.seq.fileChanged = false;
        editor.newFile();
    }
}

TEST_F(EditorFixture, AddNewFrameExtendsTheStripUntilTheSequenceIsFull) {
    growTo(8);
    EXPECT_EQ(editor.strip.range(), 2);
    growTo(9);
    EXPECT_EQ(editor.strip.range(), 2);
    editor.setStripPosition(2);
    EXPECT_EQ(editor.strip.thumbnails[0].label, "9");
    for (int i = 1; i < 8; ++i) EXPECT_TRUE(editor.strip.thumbnails[i].label.isEmpty());

    // With a true-colour frame loaded, the new frame gets a true-colour header of its own.
    editor.frame.format = 5;
    editor.frame.frame5->header.setPointCount(7);
    editor.addNewFrame();
    const FrameHeader added = editor.buffer.readHeader(10).value();
    EXPECT_EQ(added.formatCode, 5);
    EXPECT_EQ(added.pointCount(), 0);

    editor.seq.totalFrames = MaxFrames;
    editor.addNewFrame();
    EXPECT_EQ(editor.seq.totalFrames, MaxFrames);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], "The sequence is full (10000 frames).");
}

TEST_F(EditorFixture, WheelNotchesScrollTheStripByTheirRules) {
    growTo(20);  // strip positions 0..5
    struct Step { int delta; bool held; int position; int16_t wheelStep; };
    const Step steps[] = {
        {120, true, 0, 0},    // nothing recognised yet: no step
        {-120, false, 1, -1}, // towards the user: later frames
        {-360, false, 2, -1},
        {77, false, 3, -1},   // an odd delta repeats the last step
        {120, true, 4, -1},   // a key or button held repeats it too
        {240, false, 3, 1},
        {120, false, 2, 1},
        {120, false, 1, 1},
        {120, false, 0, 1},
        {120, false, 0, 1},   // at the top the position is refused
    };
    for (const auto& s : steps) {
        editor.wheel(s.delta, s.held);
        EXPECT_EQ(editor.strip.position(), s.position) << s.delta;
        EXPECT_EQ(editor.strip.wheelStep(), s.wheelStep) << s.delta;
    }
    editor.setStripPosition(5);
    editor.wheel(-120, false);
    EXPECT_EQ(editor.strip.position(), 5);
}

TEST_F(EditorFixture, ChoosingThumbnailsSelectsRangesAndLoadsTheFrame) {
    growTo(10);
    fillSlot(2, 4);
    struct Click { int index; bool left; int start, len; };
    const Click clicks[] = {
        {4, true, 5, 1},   // frame 5
        {1, false, 2, 4},  // right click on frame 2: 2..5
        {4, true, 5, 1},
        {6, false, 5, 3},  // right click on frame 7: 5..7
    };
    for (const auto& c : clicks) {
        editor.chooseThumbnail(c.index, c.left);
        EXPECT_EQ(editor.seq.selFrameStart, c.start);
        EXPECT_EQ(editor.seq.selFrameLen, c.len);
        EXPECT_EQ(editor.seq.currentFrame, c.index + 1);
        EXPECT_TRUE(editor.seq.editEnabled);
        EXPECT_TRUE(editor.win.undoEnabled);
        EXPECT_EQ(editor.history.undocounter(), 1);
    }
    editor.chooseThumbnail(1, true);
    EXPECT_EQ(editor.frame.frame0->pointCount, 4);
    EXPECT_EQ(editor.win.pointsLabel, "4");
    // Undo right after loading restores the frame as loaded and switches Undo off.
    editor.undo();
    EXPECT_FALSE(editor.win.undoEnabled);
    EXPECT_EQ(editor.frame.frame0->pointCount, 4);

    editor.setStripPosition(2);  // frames 9 and 10, then empty places
    const Sequence before = editor.seq;
    editor.chooseThumbnail(3, true);
    EXPECT_EQ(editor.seq.currentFrame, before.currentFrame);
    EXPECT_EQ(editor.seq.selFrameStart, before.selFrameStart);
}

TEST_F(EditorFixture, AChangedFrameIsWrittenBackBeforeTheNextIsLoaded) {
    growTo(2);
    editor.chooseThumbnail(0, true);
    editor.frame.frame0->pointCount = 2;
    editor.frame.frame0->points[0] = point3D(1, 2);
    editor.frame.frame0->points[1] = point3D(3, 4);
    editor.seq.framechanged = true;
    editor.chooseThumbnail(1, true);
    EXPECT_FALSE(editor.seq.framechanged);
    EXPECT_EQ(editor.strip.thumbnails[0].label, "1");
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(editor.frame.frame0->pointCount, 2);
    EXPECT_EQ(editor.frame.frame0->points[1].status, 128);
}

TEST_F(EditorFixture, ClosingDeletesTheBufferFileAndKeepsTheSettings) {
    editor.settings.gridStep = 33;
    editor.toggleBeamMode();
    editor.shutdown();
    EXPECT_FALSE(QFile::exists(folder.bufferPath()));
    const Settings saved = loadConfig(folder.file("config.dat"));
    EXPECT_EQ(saved.gridStep, 33);
    EXPECT_TRUE(saved.beamMode);
    editor.shutdown();  // a second close finds nothing to delete and does not mind
}

TEST(ColorSelector, PressesChooseBandsOfTheCurrentPalette) {
    struct Case { uint8_t choice; double x; int index; };
    const Case cases[] = {
        {PangolinPalette, 7, 1}, {PangolinPalette, 255, 63}, {PangolinPalette, 3.5, 1},
        {IldaPalette, 200, 200}, {IldaPalette, 0.4, 0},      {IldaPalette, 300, 255},
    };
    for (const auto& c : cases) EXPECT_EQ(colorIndexAt(c.x, c.choice), c.index) << c.x;
    Palette p;
    p.red[3] = 255, p.green[3] = 0, p.blue[3] = 9;
    EXPECT_EQ(colorReadout(p, 3), "R:255 G:0 B:9");
}

TEST_F(EditorFixture, PaletteChoiceDecidesTheStripAndResetsTheColor) {
    editor.pickColor(200);
    EXPECT_EQ(editor.currentColor, 200);
    editor.settings.paletteChoice = PangolinPalette;
    editor.reloadPalette();
    EXPECT_EQ(editor.currentColor, 1);
    EXPECT_EQ(editor.paletteStrip.pixel(255, 2) & 0xFFFFFF, ImageSurface::toArgb(editor.palette.color[63]) & 0xFFFFFF);
    editor.pickColor(255);
    EXPECT_EQ(editor.currentColor, 63);
}

TEST(SingleInstance, OnlyALockHeldByARunningCopyRefuses) {
    ProgramFolder folder, other;
    QLockFile first(folder.file("quorvel.lock"));
    ASSERT_EQ(claimProgramFolder(first), FolderClaim::Ours);
    QLockFile second(folder.file("quorvel.lock"));
    EXPECT_EQ(claimProgramFolder(second), FolderClaim::HeldByAnother);
    QLockFile elsewhere(other.file("quorvel.lock"));
    EXPECT_EQ(claimProgramFolder(elsewhere), FolderClaim::Ours);
    // A folder that takes no lock file (here: one that is gone) still lets the program run.
    QLockFile nowhere(other.file("missing/quorvel.lock"));
    EXPECT_EQ(claimProgramFolder(nowhere), FolderClaim::NoLock);
    first.unlock();
    EXPECT_EQ(claimProgramFolder(second), FolderClaim::Ours);
}
