// SPDX-License-Identifier: GPL-3.0-or-later
// Frames and points through the clipboard, point status, deleting frames, the background picture.
#include "EditorFixture.h"
#include "IldaBuilder.h"
#include "framelist/FrameMoves.h"
#include "tools/PointEdits.h"
#include "view/Renderer.h"

#include <QImage>

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct ClipFixture : EditorFixture {
    // Frame n (1-based) gets n points of format `format` at x = 1000 * k, colour n.
    void makeFrames(std::initializer_list<int> formats) {
        int n = 0;
        for (int format : formats) {
            if (++n > 1) editor.addNewFrame();
            WorkingFrame wf;
            wf.format = uint8_t(format);
            wf.visit([&](auto& r) {
                r.pointCount = n;
                r.header.setFrameName("frame" + std::to_string(n));
                for (int k = 0; k < n; ++k) r.points[k] = pointOf<std::decay_t<decltype(r.points[0])>>(1000 * k, n);
            });
            editor.buffer.saveRamToBuffer(n, wf);
        }
    }
    template <class P> static P pointOf(int x, int color) {
        if constexpr (std::is_same_v<P, Point3D>) return point3D(x, 0, 0, color);
        else if constexpr (std::is_same_v<P, Point2D>) return point2D(x, 0, 0, color);
        else return pointTrue(x, 0, 0, color, 0, 0);
    }
    void choose(int frame) {
        editor.setStripPosition((frame - 1) / 4);
        editor.chooseThumbnail((frame - 1) % 4, true);
    }
    void select(int start, int end) { editor.frame.selStart = start, editor.frame.selEnd = end; }
};
}  // namespace

TEST_F(ClipFixture, FramesTravelWholeThroughTheClipboardAndUndoBringsTheOldFormatBack) {
    makeFrames({0, 0, 1});
    editor.copyFrame();  // nothing chosen yet: nothing happens
    EXPECT_FALSE(editor.win.pasteFrameEnabled);
    choose(3);
    editor.copyFrame();
    EXPECT_TRUE(editor.win.pasteFrameEnabled);
    EXPECT_FALSE(editor.seq.framechanged);
    choose(2);
    editor.pasteFrame();
    EXPECT_EQ(std::pair(int(editor.frame.format), editor.frame.pointCount()), std::pair(1, 3));
    EXPECT_TRUE(editor.seq.framechanged);
    editor.undo();
    EXPECT_EQ(std::pair(int(editor.frame.format), editor.frame.pointCount()), std::pair(0, 2));
    editor.pasteFrame();
    choose(1);  // written back as a format-1 frame with frame 3's header
    EXPECT_EQ(slotHeader(2).formatCode, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(slotHeader(2).frameName), 6), "frame3");
    const int steps = editor.history.undocounter();
    editor.win.pasteFrameEnabled = false;
    editor.cutFrame();
    EXPECT_EQ(std::tuple(editor.win.pasteFrameEnabled, editor.frame.pointCount(), editor.history.undocounter()), std::tuple(true, 0, steps + 1));  // a cut is an undo step
    editor.pasteFrame();
    EXPECT_EQ(editor.frame.pointCount(), 1);
}

TEST_F(ClipFixture, PointsPasteAcrossTheIndexedFormatsBehindABlankedTravelLine) {
    struct Case { int from, into; const char* message; int added; };
    const Case cases[] = {
        {0, 0, nullptr, 2}, {0, 1, nullptr, 2}, {1, 0, nullptr, 2}, {5, 5, nullptr, 2},
        {5, 0, "True color points could not be inserted into indexed color space", 0}, {0, 5, nullptr, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " into " << c.into);
        startOver();
        makeFrames({c.from, c.from, c.from, c.into, c.into});  // frame 4: 4 points, frame 5: 5
        choose(3);
        select(1, 2);
        editor.copyPoints();
        EXPECT_TRUE(editor.win.pastePointsEnabled);
        choose(4);
        prompts.messages.clear();
        editor.pastePoints();
        EXPECT_EQ(prompts.messages, c.message ? QStringList{c.message} : QStringList{});
        EXPECT_EQ(editor.history.undocounter(), 2);  // the paste is one undo step, also when refused
        if (!c.added) {
            EXPECT_EQ(editor.frame.pointCount(), 4);
            continue;
        }
        // Travel from (3000, 0) to the first pasted point (1000, 0) in blank steps of 10 pixels:
        // the line's points, its end, then the two pasted points, the first over an added point.
        const int n = editor.frame.pointCount(), travel = n - 4 - 2;
        EXPECT_EQ(std::pair(editor.frame.selStart, editor.frame.selEnd), std::pair(4 + travel - 1, n - 1));
        editor.frame.visit([&](const auto& r) {
            EXPECT_EQ(r.points[4].status, 64);
            EXPECT_EQ(toCanvas(r.points[n - 2].xHi, r.points[n - 2].xLo), toCanvas(0x03, 0xE8));  // x = 1000
            EXPECT_EQ(r.points[n - 1].status & 64, 0);
            if constexpr (requires { r.points[0].zHi; }) {
                EXPECT_EQ(r.points[n - 1].zHi + r.points[n - 1].zLo, 0);
            }
            if constexpr (requires { r.points[0].red; }) {  // indexed points arrive in their palette colours
                EXPECT_TRUE(c.from == 5 || colorOf(r.points[n - 1], editor.palette) == editor.palette.color[3]);
            }
        });
    }
}

TEST_F(ClipFixture, PointCopiesTakeOnlyWhatExistsAndAPasteNeverOverfillsTheFrame) {
    makeFrames({1, 1});
    choose(2);
    select(0, 0);  // the first point alone
    editor.copyPoints();
    EXPECT_EQ(editor.clipboard.pointCount(), 1);
    select(-1, -1);
    editor.copyPoints();  // nothing selected
    select(2, 9);         // a selection left from a larger frame, starting just past the last point
    editor.cutPoints();
    EXPECT_EQ(prompts.messages, (QStringList{"No points selected to copy", "No points selected to cut"}));
    EXPECT_EQ(editor.frame.pointCount(), 2);
    select(1, 9);
    editor.cutPoints();  // takes point 1, the only one there
    EXPECT_EQ(std::tuple(editor.frame.pointCount(), editor.clipboard.pointCount(), editor.frame.selStart), std::tuple(1, 1, -1));
    editor.undo();
    EXPECT_EQ(editor.frame.pointCount(), 2);
    editor.frame.frame1->pointCount = MaxPoints - 2;  // the travel line needs two, the point one more
    editor.pastePoints();
    EXPECT_EQ(prompts.messages.last(), "Not enough room: the frame would have more than 20000 points.");
    EXPECT_EQ(editor.frame.pointCount(), MaxPoints - 2);
    editor.frame.frame1->pointCount = MaxPoints - 3, editor.pastePoints();  // one fewer: it fills the frame
    EXPECT_EQ(editor.frame.pointCount(), MaxPoints);
    for (uint8_t format : {1, 0}) {  // an empty frame takes the clipboard's points, in its own format
        editor.frame.format = format;
        editor.frame.visit([](auto& r) { r.pointCount = 0; });
        editor.pastePoints();
        EXPECT_EQ(std::pair(int(editor.frame.format), editor.frame.pointCount()), std::pair(int(format), 1));
    }
}

TEST_F(ClipFixture, StatusSetsTheWholeByteOfTheSelectedPointsOfEveryFormat) {
    for (int format : {0, 1, 5}) {
        startOver();
        makeFrames({format, format, format, format});
        choose(4);
        editor.frame.visit([](auto& r) {
            for (uint8_t k = 0; k < 4; ++k) r.points[k].status = uint8_t(k * 64);  // 0, 64, 128, 192
        });
        editor.setPointStatus(false);  // nothing selected: nothing happens
        EXPECT_EQ(editor.history.undocounter(), 1);
        select(1, 3);
        const auto statuses = [&] {
            std::vector<int> out;
            editor.frame.visit([&](const auto& r) { for (int k = 0; k < 4; ++k) out.push_back(r.points[k].status); });
            return out;
        };
        editor.setPointStatus(true);
        EXPECT_EQ(statuses(), (std::vector<int>{0, 0, 0, 0})) << format;
        editor.setPointStatus(false);
        EXPECT_EQ(statuses(), (std::vector<int>{0, 64, 64, 64})) << format;
        editor.undo(), editor.undo();
        EXPECT_EQ(statuses(), (std::vector<int>{0, 64, 128, 192})) << format;
    }
}

TEST_F(ClipFixture, DeletingFramesMovesTheRestDownAndKeepsTheWorkingFrameRight) {
    struct Case { int current; int first, last; int currentAfter; bool loaded; };
    const Case cases[] = {
        {2, 4, 6, 2, true},   // before the range: stays where it is
        {5, 4, 6, 0, false},  // inside: gone, nothing loaded
        {9, 4, 6, 6, true},   // after: follows its frame down
        {9, 9, 10, 0, false}, // the range ends at the last frame: nothing moves
        {10, 8, 9, 8, true},  // the last frame alone follows
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        startOver();
        makeFrames({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        choose(c.current);
        editor.edit(Edit::FrameChanged, [&] { editor.frame.frame0->points[0] = point3D(-7, 7); });  // not yet written back
        editor.seq.selFrameStart = c.first, editor.seq.selFrameLen = c.last - c.first + 1;
        editor.deleteFrames();
        const int count = c.last - c.first + 1;
        EXPECT_EQ(editor.seq.totalFrames, 10 - count);
        EXPECT_EQ(std::pair(editor.seq.selFrameStart, editor.seq.selFrameLen), std::pair(1, 1));
        EXPECT_EQ(std::pair(editor.seq.currentFrame, editor.seq.editEnabled), std::pair(c.currentAfter, c.loaded));
        EXPECT_TRUE(editor.win.undoEnabled);  // the deletion itself is undone
        for (int frame = 1; frame <= editor.seq.totalFrames; ++frame)
            EXPECT_EQ(slotHeader(frame).pointCount(), frame < c.first ? frame : frame + count) << frame;
        if (c.loaded) {
            EXPECT_EQ(editor.frame.pointCount(), c.current);
            EXPECT_EQ(slotPoints(c.currentAfter, 2), QByteArray("\xFF\xF9", 2));
        }
    }
    editor.seq.selFrameStart = 1, editor.seq.selFrameLen = editor.seq.totalFrames;
    editor.deleteFrames();
    EXPECT_EQ(std::pair(editor.seq.totalFrames, editor.win.deleteFramesEnabled), std::pair(0, false));
    editor.addNewFrame();
    EXPECT_TRUE(editor.win.deleteFramesEnabled);
}

TEST_F(ClipFixture, APictureIsStretchedUnderTheCanvasUntilRemoved) {
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < 50; ++y) picture.setPixel(98, y, qRgb(0, 0, 255)), picture.setPixel(99, y, qRgb(0, 0, 255));
    picture.save(folder.file("picture.bmp"), "BMP");
    IldaBuilder().raw("not a picture").save(folder.file("broken.jpg"));
    editor.chooseTool(LineTool);
    prompts.fileNames = {folder.file("broken.jpg"), folder.file("picture.bmp")};
    editor.loadImage();
    EXPECT_EQ(prompts.messages, QStringList{"The picture could not be read."});
    EXPECT_EQ(editor.tools.current(), LineTool);
    editor.loadImage();
    EXPECT_EQ(std::pair(prompts.filters.last(), editor.tools.current()), std::pair(QString("Image Files *.BMP,*.JPG|*.bmp;*.jpg;*.jpeg;*.png"), NoTool));
    const QImage& shown = editor.canvas.image();
    EXPECT_GT(qRed(shown.pixel(105, 105)), 200);
    // 514 wide, of which 512 show: the two blue columns start at 503.7, not at 501.8.
    EXPECT_GT(qBlue(shown.pixel(511, 300)), 200);
    EXPECT_GT(qRed(shown.pixel(502, 300)), qBlue(shown.pixel(502, 300)));
    EXPECT_EQ(shown.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);  // the grid over it
    editor.removeImage();
    EXPECT_EQ(shown.pixel(105, 105) & 0xFFFFFF, 0u);
}

// Pictures of any size a camera makes are read at the size they are shown at.
TEST_F(ClipFixture, PicturesFarLargerThanTheCanvasLoad) {
    for (const auto& [w, h] : {std::pair(6500, 5500), std::pair(12000, 9000)}) {
        QImage big(w, h, QImage::Format_Grayscale8);
        big.fill(Qt::white);
        big.save(folder.file("big.jpg"), "JPEG");
        prompts.fileNames = {folder.file("big.jpg")};
        editor.loadImage();
        EXPECT_TRUE(prompts.messages.isEmpty()) << w;
        EXPECT_GT(qRed(editor.canvas.image().pixel(105, 105)), 200) << w;
    }
}

// Everything that changes a frame or the sequence makes "File changed" ask; looking does not.
TEST_F(ClipFixture, EveryChangeMarksTheFileChanged) {
    struct Case { const char* what; std::function<void()> command; bool changes, writesBack; };
    const Case cases[] = {
        {"Create Text", [&] { editor.text.setText("A"); editor.convertText(); }, true, true},
        {"Delete Frames", [&] { editor.deleteFrames(); }, true, false},
        {"Cut Frame", [&] { editor.cutFrame(); }, true, true},
        {"Paste Frame", [&] { editor.copyFrame(); editor.pasteFrame(); }, true, true},
        {"Cut Points", [&] { select(0, 1); editor.cutPoints(); }, true, true},
        {"Paste Points", [&] { select(0, 1); editor.copyPoints(); editor.pastePoints(); }, true, true},
        {"Status", [&] { select(0, 1); editor.setPointStatus(false); }, true, true},
        {"Frame Info", [&] { editor.setFrameNames("n", "c"); }, true, true},
        {"Add New Frame", [&] { editor.addNewFrame(); }, true, false}, 
        // Undone after the edit was written back, the frame must be written back again.
        {"Undo", [&] { editor.setFrameNames("n", "c"); editor.moveFrame(-1); editor.seq.fileChanged = false; editor.undo(), editor.undo(); }, true, true},
        {"Undo of a frame command", [&] { editor.moveFrame(-1); editor.seq.fileChanged = false; editor.undo(); }, true, false},
        {"Convert to True Colour", [&] { editor.convertToTrueColor(); }, true, true},
        {"Copy Frame", [&] { editor.copyFrame(); }, false, false},
        {"Copy Points", [&] { select(0, 1); editor.copyPoints(); }, false, true},
        {"Select All", [&] { editor.selectAllPoints(); }, false, false},
    };
    for (const auto& c : cases) {
        startOver();
        makeFrames({0, 0, 0});
        choose(3);
        editor.seq.fileChanged = false;
        c.command();
        EXPECT_EQ(editor.seq.fileChanged, c.changes) << c.what;
        EXPECT_EQ(editor.seq.framechanged, c.writesBack) << c.what;
    }
}

// Insert, Duplicate and Move around the frame being edited: which frames the slots hold after
// (frame n has n points), which frame is current, and that nothing moves when nothing may.
TEST_F(ClipFixture, FrameCommandsMoveOnlyTheFramesTheyMust) {
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><line x2='9' y2='9' stroke='red'/></svg>";
    writeFile(folder.file("a.svg"), svg), writeFile(folder.file("b.svg"), svg);
    struct Case { const char* what; int current; std::function<void()> command; std::vector<int> held; int currentAfter; bool told = false; };
    const Case cases[] = {
        {"insert before 1", 1, [&] { editor.insertFrame(); }, {0, 1, 2, 3, 4}, 2},
        {"insert before 3", 3, [&] { editor.insertFrame(); }, {1, 2, 0, 3, 4}, 4},
        {"duplicate 2", 2, [&] { editor.duplicateFrame(); }, {1, 2, 2, 3, 4}, 2},
        {"duplicate the last", 4, [&] { editor.duplicateFrame(); }, {1, 2, 3, 4, 4}, 4},
        {"earlier", 3, [&] { editor.moveFrame(-1); }, {1, 3, 2, 4}, 2},
        {"later", 3, [&] { editor.moveFrame(1); }, {1, 2, 4, 3}, 4},
        {"earlier to the first", 2, [&] { editor.moveFrame(-1); }, {2, 1, 3, 4}, 1},
        {"earlier than the first", 1, [&] { editor.moveFrame(-1); }, {1, 2, 3, 4}, 1},
        {"later than the last", 4, [&] { editor.moveFrame(1); }, {1, 2, 3, 4}, 4},
        {"reverse 2 to 4", 2, [&] { editor.seq.selFrameStart = 2, editor.seq.selFrameLen = 3; editor.reverseFrames(); }, {1, 4, 3, 2}, 4},
        {"reverse a range past the end", 4, [&] { editor.seq.selFrameStart = 3, editor.seq.selFrameLen = 9; editor.reverseFrames(); }, {1, 2, 4, 3}, 3},
        {"reverse a range before the working frame", 4, [&] { editor.seq.selFrameStart = 1, editor.seq.selFrameLen = 2; editor.reverseFrames(); }, {2, 1, 3, 4}, 4},
        {"reverse all when one is selected", 1, [&] { editor.reverseFrames(); }, {4, 3, 2, 1}, 4},
        {"reverse with no room leaves all", 1, [&] { const FileSizeLimit full(FrameSlotSize * 2 + 40); editor.reverseFrames(); }, {1, 2, 3, 4}, 1, true},
        {"no room", 2, [&] { const FileSizeLimit full(FrameSlotSize * 3); editor.insertFrame(); }, {1, 2, 3, 4}, 2, true},
        {"no room for drawings", 2, [&] { const FileSizeLimit full(FrameSlotSize * 3); prompts.fileNames = {folder.file("a.svg") + '\n' + folder.file("b.svg")}; editor.importSvg(); }, {1, 2, 3, 4}, 2, true},
        {"the sequence is full", 2, [&] { editor.seq.totalFrames = MaxFrames; editor.insertFrame(); editor.seq.totalFrames = 4; }, {1, 2, 3, 4}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startOver();
        makeFrames({1, 1, 1, 1});
        choose(c.current);
        editor.frame.frame1->points[0] = point2D(-5, 5, 0, c.current);  // an edit not yet written back
        editor.seq.framechanged = true;
        editor.seq.fileChanged = editor.win.deleteFramesEnabled = false;
        prompts.messages.clear();
        c.command();
        ASSERT_EQ(editor.seq.totalFrames, int(c.held.size()));
        for (int slot = 1; slot <= editor.seq.totalFrames; ++slot)
            EXPECT_EQ(slotHeader(slot).pointCount(), c.held[size_t(slot) - 1]) << slot;
        EXPECT_EQ(editor.seq.currentFrame, c.currentAfter);
        const bool moved = c.held != std::vector{1, 2, 3, 4} || c.currentAfter != c.current;
        EXPECT_TRUE(!moved || (slotPoints(c.currentAfter, 2) == QByteArray("\xFF\xFB", 2) && !editor.seq.framechanged));  // the edit went with its frame, and its slot holds it
        EXPECT_EQ(editor.frame.frame1->points[0].xLo, 0xFB);  // and stays loaded
        EXPECT_EQ(std::pair(editor.seq.fileChanged, editor.win.deleteFramesEnabled), std::pair(moved, moved));
        EXPECT_EQ(prompts.messages.size(), c.told ? 1 : 0);
        EXPECT_EQ(editor.strip.position(), (c.currentAfter - 1) / 4);
    }
    // Before a frame is chosen they do nothing; with room for exactly one more frame, Insert is
    // tried (and stopped here by the slots this test never wrote), not refused as full.
    startOver();
    makeFrames({1, 1, 1, 1});
    prompts.messages.clear();
    editor.insertFrame();
    editor.duplicateFrame();
    editor.moveFrame(1);
    EXPECT_EQ(std::pair(editor.seq.totalFrames, int(prompts.messages.size())), std::pair(4, 0));
    choose(2);
    editor.seq.totalFrames = MaxFrames - 1;
    editor.insertFrame();
    editor.seq.totalFrames = 4;
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_NE(prompts.messages[0], "The sequence is full (10000 frames).");
}

namespace {
// Frames 1..3 of 10, 20 and 30 indexed points (6 bytes each), every byte of frame f being f.
bool writeThreeFrames(const FrameBufferFile& buffer) {
    for (int f = 1; f <= 3; ++f) {
        FrameHeader h = blankHeader(1);
        h.setPointCount(10 * f);
        const std::vector<uint8_t> points(size_t(60 * f), uint8_t(f));
        if (!buffer.writeSlot(f, h, points.data(), int64_t(points.size()))) return false;
    }
    return true;
}
}  // namespace

// The room a frame move reserves is exactly what it writes: under a file-size limit that ends
// where the last written byte ends, each move goes; a byte less, it is refused before anything
// moves. A disk that fails half way has every frame put back, and says so when it cannot be;
// writes cut short are finished. Frames 1..3 hold 10, 20 and 30 indexed points (6 bytes each).
TEST(FrameMovesRoom, EachMoveReservesExactlyWhatItWritesAndATornMoveIsTakenBack) {
    struct Case { const char* what; std::function<MoveResult(const FrameBufferFile&)> move; int64_t lastByte; std::vector<int> after; int lastMove; };
    const auto end = [](int slot, int points) { return framePos(slot) - 1 + 32 + 6 * points; };
    const Case cases[] = {
        {"delete frame 1", [](const FrameBufferFile& b) { return deleteFrames(b, 1, 1, 3); }, end(2, 30), {20, 30}, 2},
        {"insert before frame 1", [](const FrameBufferFile& b) { return insertFrame(b, 1, 3, SlotBytes{blankHeader(1), {}}); }, end(4, 30), {0, 10, 20, 30}, 3},
        {"swap frames 2 and 3", [](const FrameBufferFile& b) { return swapFrames(b, 2, 3); }, end(3, 20), {10, 30, 20}, 2},
    };
    struct Fault { int64_t limit; DiskFaults::Fault disk; const char* error; };
    const Fault faults[] = {{0, {}, ""}, {-1, {}, "File too large"}, {0, {2}, "Input/output error"}, {0, {-1}, "Input/output error"},
                            {0, {2, true}, "; could not be put back"}, {0, {0, false, 5}, ""},
                            {0, {0, false, 0, 2}, "No space left on device"},  // the second reservation fails
                            {0, {0, false, 0, 0, 2}, "frame 2 cannot be read"}};
    for (const Case& c : cases) {
        for (const Fault& f : faults) {
            SCOPED_TRACE(std::string(c.what) + ", " + f.error);
            ProgramFolder folder;
            const FrameBufferFile buffer(folder.bufferPath());
            ASSERT_TRUE(writeThreeFrames(buffer));
            MoveResult moved;
            const qint64 sizeBefore = QFileInfo(buffer.path()).size();
            {
                const FileSizeLimit full(c.lastByte + f.limit);
                const DiskFaults disk(f.disk.failNth < 0 ? DiskFaults::Fault{c.lastMove} : f.disk);  // -1: the last move fails
                moved = c.move(buffer);
            }
            const QString error = QString(f.error).replace("; ", QStringLiteral("Input/output error; frame %1 ").arg(c.what[0] == 'i' ? 3 : 2));
            EXPECT_EQ(std::pair(moved.ok, moved.error), std::pair(*f.error == 0, error));
            if (f.limit < 0) { EXPECT_EQ(QFileInfo(buffer.path()).size(), sizeBefore); }  // refused before a byte was written
            if (f.disk.failLater) continue;
            for (size_t k = 0; k < (moved.ok ? c.after.size() : 3); ++k)  // refused or taken back: every frame where it was
                EXPECT_EQ(buffer.readHeader(int(k) + 1)->pointCount(), moved.ok ? c.after[k] : 10 * int(k + 1)) << k;
            if (moved.ok || c.what[0] != 's') continue;
            // Nor is a frame whose header can no longer be read swapped, either way round.
            ASSERT_TRUE(QFile::resize(buffer.path(), framePos(3) - 1 + 10));
            for (const auto& [a, b] : {std::pair(2, 3), std::pair(3, 2)})
                EXPECT_EQ(std::pair(swapFrames(buffer, a, b).ok, swapFrames(buffer, a, b).error), std::pair(false, QString("frame 3 cannot be read")));
            EXPECT_EQ(buffer.readHeader(2)->pointCount(), 20);
        }
    }
}

// Only a frame's header and valid points travel: what lies behind them in the slot it moves into
// stays. A deleted frame that cannot be read, or a buffer file that is a link, stops a move
// before anything changes.
TEST(FrameMovesRoom, OnlyValidBytesMoveAndWhatCannotBeReadMovesNothing) {
    ProgramFolder folder;
    const FrameBufferFile buffer(folder.bufferPath());
    ASSERT_TRUE(writeThreeFrames(buffer));
    const auto byteAt = [&](int slot, int64_t at) {
        QFile f(buffer.path());
        f.open(QIODevice::ReadOnly);
        f.seek(framePos(slot) - 1 + 32 + at);
        return f.read(1);
    };
    ASSERT_TRUE(insertFrame(buffer, 1, 3, SlotBytes{blankHeader(1), {}}).ok);  // 0, 10, 20, 30
    EXPECT_EQ(byteAt(3, 120), QByteArray(1, 3));  // frame 3's old points behind frame 2's 120 bytes
    MoveResult moved;
    {
        const DiskFaults disk({0, false, 0, 0, 1});
        moved = deleteFrames(buffer, 1, 1, 4);
    }
    EXPECT_EQ(std::pair(moved.ok, moved.error), std::pair(false, QString("frame 1 cannot be read")));
    EXPECT_EQ(buffer.readHeader(2)->pointCount(), 10);
    QFile::rename(buffer.path(), buffer.path() + ".real");
    QFile::link(buffer.path() + ".real", buffer.path());
    moved = deleteFrames(buffer, 1, 1, 4);
    EXPECT_EQ(std::pair(moved.ok, moved.error), std::pair(false, buffer.path() + ": a link, which is never followed"));
}

// Frames replaced in their slots have their room before the first is written: with no space, or
// past a file-size limit, none is.
TEST(FrameMovesRoom, FramesReplacedInPlaceHaveTheirRoomFirst) {
    const auto frameOf = [](int points) {
        FrameHeader h = blankHeader(1);
        h.setPointCount(points);
        return SlotBytes{h, std::vector<uint8_t>(size_t(6 * points), uint8_t(points))};
    };
    const std::vector<SlotBytes> bigger{frameOf(30), frameOf(40)};
    const int64_t lastByte = framePos(3) - 1 + 32 + 6 * 40;
    struct Case { int64_t limit; DiskFaults::Fault disk; std::vector<int> after; };
    const Case cases[] = {{lastByte, {}, {10, 30, 40}}, {lastByte - 1, {}, {10, 20, 30}}, {lastByte, {0, false, 0, 2}, {10, 20, 30}},
                          {lastByte, {1}, {10, 20, 30}}, {lastByte, {2}, {10, 20, 30}}};  // the first, the second write fails
    for (const Case& c : cases) {
        ProgramFolder folder;
        const FrameBufferFile buffer(folder.bufferPath());
        for (int f = 1; f <= 3; ++f) {
            const SlotBytes s = frameOf(10 * f);
            ASSERT_TRUE(buffer.writeSlot(f, s.header, s.points.data(), int64_t(s.points.size())));
        }
        MoveResult moved;
        {
            const FileSizeLimit full(c.limit);
            const DiskFaults disk(c.disk);
            moved = replaceFrames(buffer, 2, 2, 2, [&](int i) { return std::optional(bigger[size_t(i)]); }, 3);
        }
        EXPECT_EQ(moved.ok, c.after[1] == 30) << c.limit;
        for (int f = 1; f <= 3; ++f) EXPECT_EQ(buffer.readHeader(f)->pointCount(), c.after[size_t(f) - 1]) << f;
    }
    // Two frames replaced by one: frame 3 has moved down when the write of the new frame fails,
    // and moves back up to make room for frame 2 again.
    ProgramFolder folder;
    const FrameBufferFile buffer(folder.bufferPath());
    ASSERT_TRUE(writeThreeFrames(buffer));
    MoveResult moved;
    {
        const DiskFaults disk({2});
        moved = replaceFrames(buffer, 1, 2, 1, [&](int) { return std::optional(bigger[0]); }, 3);
    }
    EXPECT_EQ(std::pair(moved.ok, moved.error), std::pair(false, QString("Input/output error")));
    for (int f = 1; f <= 3; ++f) EXPECT_EQ(buffer.readHeader(f)->pointCount(), 10 * f) << f;
}

// Files dropped on the window, by kind: the first ILDA file opens (after the save question), SVG
// drawings are imported onto the chosen frame, a picture becomes the background.
TEST_F(ClipFixture, DroppedFilesOpenImportOrBecomeTheBackground) {
    const QString a = IldaBuilder().section(1, 5, 2).section(1, 5, 2).save(folder.file("a.ild"));  // two frames
    const QString b = IldaBuilder().section(1, 5, 1).save(folder.file("b.ild"));
    writeFile(folder.file("d.svg"), "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><rect width='5' height='5' stroke='red'/></svg>");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(folder.file("p.png"), "PNG");
    writeFile(folder.file("notes.txt"), "words");

    editor.dropFiles({folder.file("d.svg")});  // no frame chosen yet: nothing to add it to
    EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.win.statusNote),
              std::pair(0, QString("Choose a frame in the strip first: the drawings are added to it.")));
    editor.chooseThumbnail(0, true);
    editor.dropFiles({folder.file("d.svg")});
    EXPECT_GT(editor.frame.pointCount(), 4);
    EXPECT_TRUE(editor.seq.fileChanged);
    editor.dropFiles({folder.file("p.png")});
    EXPECT_GT(qRed(editor.canvas.image().pixel(105, 105)), 200);
    editor.dropFiles({folder.file("notes.txt")});
    EXPECT_EQ(editor.win.statusNote, QString("notes.txt is no ILDA file, SVG drawing or picture the editor takes."));

    prompts.answers = {Answer::Cancel};  // the save question first: Cancel keeps the sequence
    editor.dropFiles({a, b});
    EXPECT_EQ(std::pair(prompts.questions.size(), editor.seq.totalFrames), std::pair(qsizetype(1), 1));
    prompts.answers = {Answer::No};
    editor.dropFiles({a, b});
    EXPECT_EQ(std::pair(editor.seq.totalFrames, editor.win.title), std::pair(2, QString("Quorvel Laser Editor: a.ild")));
    EXPECT_EQ(editor.win.statusNote, QString("One sequence is open at a time: a.ild is open, the other ILDA files are not."));
}
