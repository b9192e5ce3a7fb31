#include "EditorFixture.h"
#include "shell/SingleInstance.h"

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

TEST_F(SequenceFixture, StartsWithOneEmptyFrameAndAsksBeforeDroppingChanges) {
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.currentFrame, editor.seq.editEnabled), std::tuple(1, 0, false));
    EXPECT_EQ(std::pair(slotHeader(1).pointCount(), slotHeader(1).totalFrames()), std::pair(0, 1));
    EXPECT_EQ(editor.strip.thumbnails[0].label + '|' + editor.strip.thumbnails[1].label, "1|");
    struct Case { Answer answer; int framesAfter; bool fileChangedAfter; bool saved; bool saveFails = false; };
    for (const auto& c : {Case{Answer::Cancel, 3, true, false}, Case{Answer::No, 3, false, false},
                          Case{Answer::Yes, 1, false, true}, Case{Answer::Yes, 3, true, false, true}}) {
        growTo(3);
        editor.seq.fileChanged = true;
        prompts.answers = {c.answer};
        const QString target = folder.file("saved.ild");
        QFile::remove(target);
        prompts.fileNames = {c.saveFails ? folder.file("buffer") : target};  // a folder takes no file
        editor.newFile();
        EXPECT_EQ(prompts.questions.last(), "File changed. Do you want to save it?");
        EXPECT_EQ(editor.seq.totalFrames, c.framesAfter);
        EXPECT_EQ(editor.seq.fileChanged, c.fileChangedAfter);
        EXPECT_EQ(readFile(target).size(), c.saved ? 4 * 32 : 0);  // three empty frames, the closing header
        editor.seq.fileChanged = false;
        editor.newFile();
    }
}

TEST_F(SequenceFixture, AddNewFrameExtendsTheStripUntilTheSequenceIsFull) {
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
    EXPECT_EQ(editor.seq.totalFrames, MaxFrames);
    EXPECT_EQ(prompts.messages, QStringList{"The sequence is full (10000 frames)."});
}

TEST_F(SequenceFixture, WheelNotchesScrollTheStripByTheirRules) {
    growTo(20);  // strip positions 0..5
    struct Step { int delta; bool held; int position; int16_t wheelStep; };
    const Step steps[] = {
        {120, true, 0, 0},     {-120, false, 1, -1},  // nothing recognised yet; then later frames
        {-240, false, 2, -1},  {77, false, 3, -1},    // an odd delta repeats the last step,
        {120, true, 4, -1},    {240, false, 3, 1},    // and so does a notch with a key held
        {77, false, 2, 1},     {360, false, 1, 1},
        {120, false, 0, 1},    {-360, false, 1, -1},  // at the top the position is refused
        {120, false, 0, 1},    {360, false, 0, 1},    // a notch up after steps down
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
        EXPECT_EQ(editor.seq.currentFrame, c.index + 1);
        EXPECT_TRUE(editor.seq.editEnabled && editor.win.undoEnabled);
        EXPECT_EQ(editor.history.undocounter(), 1);
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
    EXPECT_EQ(colorReadout(editor.palette, 2), "R:255 G:32 B:0");
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
