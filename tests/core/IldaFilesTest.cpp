// SPDX-License-Identifier: GPL-3.0-or-later
// ILDA files through Open and Save As.
#include "EditorFixture.h"
#include "IldaBuilder.h"
#include "ilda/IldaOpen.h"

using namespace quorvel;
using namespace quorvel::test;

using OpenFixture = EditorFixture;

TEST_F(OpenFixture, HeaderWalkFollowsFormatsPalettesAndTheDeclaredCount) {
    struct Case { const char* what; IldaBuilder file; int frames; QStringList messages; std::vector<int> formats; };
    const std::array<uint8_t, 3> sum3{0, 1, 2}, sum1{0, 0, 1};
    const Case cases[] = {
        {"palette before three frames",
         IldaBuilder().section(2, 4, 3).section(0, 2, 3).section(1, 3, 3).section(5, 1, 3), 3, {}, {0, 1, 5}},
        {"declares 2 of 5", [] { IldaBuilder b; for (int i = 0; i < 5; ++i) b.section(0, 1, 2); return b; }(), 2, {}, {0, 0}},
        {"first header not ILDA", IldaBuilder().raw(QByteArray(32, 'x')), 0, {" err totframes= 0"}, {}},
        {"file ends inside the first header", IldaBuilder().raw("ILDA"), 0, {" err totframes= 0"}, {}},
        {"reserved bytes make a 3", IldaBuilder().section(1, 2, 3).section(0, 1, 3, "x", sum3).section(0, 1, 3), 1,
         {" err totframes= 3"}, {1}},
        {"reserved bytes with format 4 still pass", IldaBuilder().section(0, 1, 2).section(4, 2, 2, "x", sum1), 2, {}, {0, 5}},
        {"points run past the end", IldaBuilder().section(0, 2, 2).section(1, 10, 2, "x", {0, 0, 0}, 9), 1,
         {" err totframes= 2"}, {0}},
        {"header missing at the end", IldaBuilder().section(5, 2, 2), 1, {" err totframes= 2"}, {5}},
        {"reserved sum past 255 ends quietly", IldaBuilder().section(0, 1, 2).section(0, 1, 2, "x", {200, 56, 0}), 1, {}, {0}},
        {"reserved sum of 255 rejects", IldaBuilder().section(0, 1, 2).section(0, 1, 2, "x", {200, 55, 0}), 1, {" err totframes= 2"}, {0}},
        {"format 3 behind a reserved byte holds the position",
         IldaBuilder().section(0, 1, 3).section(3, 4, 3, "x", {1, 0, 0}), 3, {}, {0, 1, 1}},  // 2 and 3 empty
    };
    for (const auto& c : cases) {
        prompts.messages.clear();
        ASSERT_EQ(editor.openFile(c.file.save(folder.file("case.ild"))) == OpenResult::Loaded, c.messages.isEmpty()) << c.what;
        EXPECT_EQ(std::pair(editor.seq.totalFrames, editor.win.deleteFramesEnabled), std::pair(c.frames, c.frames > 0)) << c.what;
        EXPECT_EQ(prompts.messages, c.messages) << c.what;
        for (size_t i = 0; i < c.formats.size(); ++i)  // of the slots
            EXPECT_EQ(slotHeader(int(i) + 1).formatCode, c.formats[i]) << c.what << " frame " << i + 1;
    }
    // Why, as the command-line tool says it, when the file ends inside a header.
    EXPECT_EQ(seekFrames(IldaBuilder().raw("ILDA").bytes(), "a").reason, "the file holds no complete header");
    EXPECT_EQ(seekFrames(IldaBuilder().section(5, 2, 2).raw("ILDA").bytes(), "a").reason, "the file ends before header 2");
}

TEST_F(OpenFixture, TrueColour3DFramesBecome2DAndLongFramesAreCut) {
    IldaBuilder file;
    file.section(4, 3, 3, "deep", {0, 0, 0}).section(0, 20005, 3, "long").section(1, MaxPoints, 3, "full");
    editor.openFile(file.save(folder.file("mixed.ild")));
    EXPECT_EQ(std::pair(int(slotHeader(1).formatCode), slotHeader(1).pointCount()), std::pair(5, 3));
    const QByteArray in = file.bytes().mid(32, 30), out = slotPoints(1, 24);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out.mid(8 * i, 4), in.mid(10 * i, 4)) << i;          // X and Y
        EXPECT_EQ(out.mid(8 * i + 4, 4), in.mid(10 * i + 6, 4)) << i;  // status, blue, green, red
    }
    EXPECT_EQ(slotHeader(2).pointCount(), MaxPoints);
    EXPECT_EQ(editor.win.statusNote,
              "1 3-D true-colour frames were converted to 2-D. 1 frames were cut to their first 20000 points.");
    editor.chooseThumbnail(1, true);
    EXPECT_EQ(editor.frame.frame0->pointCount, MaxPoints);
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(editor.frame.format, 5);
}

TEST_F(OpenFixture, OpenReplacesTheSequenceAndRestartsUndo) {
    IldaBuilder file;
    for (int i = 0; i < 9; ++i) file.section(0, i + 1, 9);
    prompts.fileNames = {file.save(folder.file("nine.ild"))};
    editor.open();
    EXPECT_EQ(prompts.filters.last(), "ILDA Files *.ILD|*.ild");
    EXPECT_FALSE(prompts.busy);
    EXPECT_EQ(editor.win.title, "Quorvel Laser Editor: nine.ild");
    EXPECT_EQ(std::tuple(editor.seq.fileChanged, editor.seq.totalFrames, editor.seq.currentFrame, editor.seq.editEnabled),
              std::tuple(false, 9, 0, false));
    EXPECT_EQ(std::tuple(editor.strip.range(), editor.strip.position(), editor.history.undocounter()), std::tuple(2, 0, 0));
    EXPECT_EQ(editor.win.pointsLabel + '|' + editor.strip.thumbnails[7].label, "1|8");
    EXPECT_NE(editor.canvas.image().pixel(255 + 4, 257 - 4) & 0xFFFFFF, 0x00FF00u);  // frame 1 without markers

    prompts.fileNames.clear();  // the dialog cancelled: nothing changes
    editor.open();
    EXPECT_EQ(editor.seq.totalFrames, 9);
    prompts.fileNames = {folder.file("buffer")};  // a folder is no file: the sequence stays
    editor.open();
    EXPECT_EQ(std::tuple(editor.win.title, editor.seq.totalFrames, editor.win.statusNote),
              std::tuple(MainTitle + ": nine.ild", 9, QString("buffer is not a regular file.")));
}

// Frames far past the first few megabytes come from where the walk found them.
TEST_F(OpenFixture, FilesLargerThanTheReadWindowAreReadWhole) {
    IldaBuilder file;
    for (int i = 0; i < 30; ++i) file.section(5, MaxPoints, 30);
    ASSERT_GT(file.bytes().size(), 4 << 20);
    ASSERT_EQ(editor.openFile(file.save(folder.file("big.ild"))), OpenResult::Loaded);
    const int64_t last = 29 * (32 + 8 * MaxPoints);
    EXPECT_EQ(slotPoints(30, 8 * MaxPoints), file.bytes().mid(last + 32, 8 * MaxPoints));
}

TEST_F(OpenFixture, OnlyTheFirstTenThousandFramesAreLoaded) {
    IldaBuilder file;
    for (int i = 0; i < MaxFrames + 2; ++i) file.section(1, 1, MaxFrames + 2);
    const QString path = file.save(folder.file("many.ild"));
    editor.openFile(path);
    EXPECT_EQ(editor.seq.totalFrames, MaxFrames);
    EXPECT_EQ(prompts.messages, QStringList{"Only the first 10000 frames were loaded."});
    int shown = 0;  // what a listing of the walk shows is what Open loads
    EXPECT_EQ(seekFrames(path, [&](const IldaSection&) { ++shown; }).framesFound, MaxFrames);
    EXPECT_EQ(shown, MaxFrames);
}

// Memory follows the frames of a file, not its palette sections, however many there are.
TEST_F(OpenFixture, PaletteSectionsAreWalkedNotKept) {
    const QString path = folder.file("palettes.ild");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray megabyte = IldaBuilder().section(2, 0, 1).bytes().repeated(1 << 15);
        for (int i = 0; i < 64; ++i) file.write(megabyte);  // two million empty palettes, a megabyte at a time
        file.write(IldaBuilder().section(1, 3, 1).bytes());
    }
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(editor.openFile(path), OpenResult::Loaded);
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(slotHeader(1).pointCount(), 3);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 20 << 10);  // kilobytes
}

namespace {
// Signature, format, name and company, count, number and total of a header, as one string.
std::string fields(const FrameHeader& h) {
    return std::string(reinterpret_cast<const char*>(h.signature), 4) + ' ' + std::to_string(h.formatCode) + ' ' +
           std::string(reinterpret_cast<const char*>(h.frameName), 16) + ' ' + std::to_string(h.pointCount()) + ' ' +
           std::to_string(h.frameNumber()) + '/' + std::to_string(h.totalFrames());
}
struct SaveFixture : EditorFixture {
    QByteArray save() {
        saveAs(folder.file("out.ild"));
        return readFile(folder.file("out.ild"));
    }
};
}  // namespace

TEST_F(SaveFixture, OneEmptyFrameGivesTwoHeadersAndNoFramesOnlyTheClosingOne) {
    editor.seq.fileChanged = true;
    QByteArray b = save();
    ASSERT_EQ(b.size(), 64);
    EXPECT_EQ(fields(headerAt(b, 0)).substr(0, 6), "ILDA 0");
    EXPECT_EQ(fields(headerAt(b, 0)).substr(24), "0 1/1");
    EXPECT_EQ(fields(headerAt(b, 32)), "ILDA 0 FILE    COMPANY  0 2/1");
    EXPECT_FALSE(editor.seq.fileChanged);
    editor.seq.fileChanged = true;
    saveAs(QString());  // cancelled in the dialog: the question stays
    EXPECT_TRUE(editor.seq.fileChanged);
    editor.openFile(IldaBuilder().raw(QByteArray(32, 'x')).save(folder.file("bad.ild")));
    EXPECT_FALSE(saveAs(folder.file("none.ild")).ok);  // no frames: no file a reader would refuse
    EXPECT_FALSE(QFile::exists(folder.file("none.ild")));
}

TEST_F(SaveFixture, FramesAreRenumberedAndTheFileIsExactlyAsLongAsWritten) {
    IldaBuilder file;
    file.section(1, 10, 5, "ten").section(1, 3, 5, "three").section(5, 2, 5, "true").section(0, 0, 5, "none")
        .section(4, 1, 5, "deep");
    editor.openFile(file.save(folder.file("in.ild")));
    IldaBuilder().raw(QByteArray(5000, 'z')).save(folder.file("out.ild"));  // a longer file is replaced
    const QByteArray b = save();
    ASSERT_EQ(b.size(), 32 + 60 + 32 + 18 + 32 + 16 + 32 + 32 + 8 + 32);
    const std::string expected[] = {"ILDA 1 ten     tests    10 1/5", "ILDA 1 three   tests    3 2/5",
                                    "ILDA 5 true    tests    2 3/5", "ILDA 0 none    tests    0 4/5",
                                    "ILDA 5 deep    tests    1 5/5", "ILDA 5 FILE    COMPANY  0 6/5"};
    const int offsets[] = {0, 92, 142, 190, 222, 262};  // the closing header starts from the last frame's
    for (int i = 0; i < 6; ++i) EXPECT_EQ(fields(headerAt(b, offsets[i])), expected[i]);
    EXPECT_EQ(headerAt(b, 92).scannerHead, 3);
    EXPECT_EQ(b.mid(32, 60), file.bytes().mid(32, 60));  // points as read
}

TEST_F(SaveFixture, AChangedFrameIsWrittenBackFirst) {
    editor.chooseThumbnail(0, true);
    Frame0& f = *editor.frame.frame0;
    f.pointCount = 2;
    f.points[0] = point3D(-32768, 32767, 0, 5);
    f.points[1] = point3D(1, 2, 64, 6);
    editor.seq.framechanged = true;
    const QByteArray b = save();
    ASSERT_EQ(b.size(), 32 + 16 + 32);
    EXPECT_EQ(b.mid(32, 16), QByteArray("\x80\x00\x7F\xFF\x00\x00\x00\x05\x00\x01\x00\x02\x00\x00\xC0\x06", 16));
    EXPECT_TRUE(editor.seq.framechanged);  // Save As leaves it set
}

// Exported for SD-card projectors: 3-D indexed frames, and a word when the name is too long for them.
TEST_F(SaveFixture, ForSdCardProjectorsEveryFrameIsThreeDIndexed) {
    storeFrame(editor.buffer, 1, {pointTrue(100, 200, 0, 255, 0, 0), pointTrue(300, 400, 64, 0, 0, 0)});
    storeFrame(editor.buffer, 2, {point3D(0, 0, 0, 6)});  // the palette in use's colour 6
    editor.seq.totalFrames = 2;
    for (const auto& [name, warned] : {std::pair("SHOW01.ILD", false), std::pair("my first show.ild", true)}) {
        if (warned) editor.settings.paletteChoice = PangolinPalette, editor.reloadPalette();  // the card's colours stay ILDA's
        prompts.fileNames = {folder.file(name)};
        ASSERT_TRUE(editor.exportForSdCard().ok);
        EXPECT_EQ(prompts.filters.last(), "ILDA for SD-card projectors *.ILD|*.ild");
        EXPECT_EQ(editor.win.statusNote.contains("like SHOW01.ILD"), warned) << name;
        const QByteArray b = readFile(folder.file(name));
        ASSERT_EQ(b.size(), 32 + 2 * 8 + 32 + 8 + 32);
        EXPECT_EQ(std::pair(int(headerAt(b, 0).formatCode), int(headerAt(b, 88).formatCode)), std::pair(0, 0));
        EXPECT_EQ(std::tuple(uint8_t(b[32 + 7]), uint8_t(b[32 + 8 + 6]), int(b[80 + 7])), std::tuple(uint8_t(2), uint8_t(64 | 128), warned ? 78 : 6));  // red; blanked, last; ILDA's nearest
    }
}
