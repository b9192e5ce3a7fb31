// SPDX-License-Identifier: GPL-3.0-or-later
// Playback, and what the editor adds for animators: colour conversion both ways, the onion skin,
// the scan rate.
#include "EditorFixture.h"
#include "playback/Playback.h"
#include "tools/ColorConversion.h"
#include "view/OnionSkin.h"

using namespace quorvel;
using namespace quorvel::test;

TEST(ColorConversion, EachColourTakesTheNearestEntryOfThePaletteInUse) {
    ProgramFolder folder;
    struct Case { uint8_t choice; Rgb color; int index; };
    const Case cases[] = {
        {IldaPalette, rgb(0, 0, 0), 0},        {IldaPalette, rgb(250, 250, 250), 1}, {IldaPalette, rgb(255, 1, 0), 2},
        {IldaPalette, rgb(2, 0, 255), 6},      {PangolinPalette, rgb(255, 2, 0), 0}, {PangolinPalette, rgb(255, 14, 0), 1},
    };
    for (const auto& c : cases) {
        const Palette pal = loadPalette(folder.path(), c.choice);
        EXPECT_EQ(NearestPaletteColor(pal, paletteEntries(c.choice))(c.color), c.index) << std::hex << c.color;
    }
}

// Remembered answers are the searched ones: for colours asked once, asked again, and asked again
// after the table of answers has grown many times over; colours beyond 24 bits count as theirs.
TEST(ColorConversion, RememberedAnswersAreTheSearchedOnes) {
    ProgramFolder folder;
    const Palette pal = loadPalette(folder.path(), IldaPalette);
    const NearestPaletteColor searched(pal, 256);
    RememberedPaletteColor remembered(pal, 256);
    for (int pass = 0; pass < 2; ++pass)
        for (uint32_t i = 0; i < 20000; ++i) {
            const Rgb c = (i * 2654435761u) & 0xFFFFFF;
            ASSERT_EQ(remembered(c), searched(c)) << pass << ' ' << std::hex << c;
        }
    EXPECT_EQ(remembered(0xFF000000 | rgb(250, 250, 250)), 1);
    EXPECT_EQ(remembered(rgb(0, 0, 0)), 0);  // no colour mistaken for an empty place
}

// Every ILDA palette colour, every third point blanked: to palette colours and back is exact.
TEST(ColorConversion, PaletteColoursGoRoundTheTwoFormatsUnchanged) {
    ProgramFolder folder;
    const Palette pal = loadPalette(folder.path(), IldaPalette);
    WorkingFrame wf;
    wf.format = 5;
    Frame5& f = *wf.frame5;
    f.pointCount = 256;
    for (int i = 0; i < 256; ++i) f.points[i] = pointTrue(100 * i, -i, i % 3 ? 0 : 64, pal.red[i], pal.green[i], pal.blue[i]);
    const Frame5 before = f;
    ASSERT_FALSE(convertToTrueColor(wf, pal));  // already true colour
    ASSERT_TRUE(convertToPaletteColors(wf, pal, 256));
    ASSERT_FALSE(convertToPaletteColors(wf, pal, 256));  // already palette colours
    EXPECT_EQ(std::pair(int(wf.format), wf.frame1->pointCount), std::pair(1, 256));
    for (int i = 0; i < 256; ++i) {
        const Point2D& p = wf.frame1->points[i];
        EXPECT_EQ(pal.color[p.colorIndex], pal.color[i]) << i;
        EXPECT_EQ(std::memcmp(&p, &before.points[i], 5), 0) << i;  // position and status
    }
    ASSERT_TRUE(convertToTrueColor(wf, pal));
    EXPECT_EQ(std::pair(int(wf.format), int(f.header.formatCode)), std::pair(5, 5));
    EXPECT_EQ(std::memcmp(f.points.data(), before.points.data(), 256 * sizeof(PointTrue2D)), 0);
}

TEST_F(EditorFixture, AConversionIsOneUndoStepAndEveryToolWorksAfterIt) {
    storeFrame(editor.buffer, 1, {pointTrue(0, 0, 0, 250, 0, 0), pointTrue(1000, 0, 64, 0, 0, 0)});
    editor.convertToPaletteColors();  // no frame chosen yet: nothing
    editor.chooseThumbnail(0, true);
    editor.convertToTrueColor();  // not an indexed frame: nothing
    EXPECT_EQ(editor.history.undocounter(), 1);
    editor.convertToPaletteColors();
    editor.convertToPaletteColors();  // already palette colours: nothing
    EXPECT_EQ(editor.history.undocounter(), 2);
    EXPECT_EQ(std::tuple(int(editor.frame.format), editor.seq.framechanged, editor.seq.fileChanged), std::tuple(1, true, true));
    const Frame1& indexed = *editor.frame.frame1;
    EXPECT_EQ(std::pair(indexed.points[0].colorIndex, indexed.points[1].status), std::pair(uint8_t(2), uint8_t(64 | 128)));
    const Pixel first = pixelOf(indexed.points[0]);
    editor.currentColor = 9;
    editor.chooseTool(RecolorTool);
    editor.canvasPress(1, first.x, 511 - first.y), editor.canvasRelease(1, first.x, 511 - first.y);
    EXPECT_EQ(indexed.points[0].colorIndex, 9);
    editor.chooseTool(LineTool);  // a line now draws, in the current colour
    editor.canvasPress(1, 300, 300), editor.canvasRelease(1, 300, 200);
    EXPECT_GT(editor.frame.pointCount(), 2);
    editor.undo(), editor.undo(), editor.undo();
    EXPECT_EQ(std::tuple(int(editor.frame.format), editor.frame.pointCount(), editor.frame.frame5->points[0].red),
              std::tuple(5, 2, uint8_t(250)));
    editor.frame.format = 0;  // a 3-D frame: its Z goes
    *editor.frame.frame0 = Frame0{};
    editor.frame.frame0->pointCount = 1;
    editor.frame.frame0->points[0] = point3D(5, 6, 0, 3);
    editor.convertToTrueColor();
    EXPECT_EQ(editor.frame.format, 5);
    const PointTrue2D& p = editor.frame.frame5->points[0];
    EXPECT_EQ(std::tuple(p.xLo, p.yLo, p.red, p.green, p.blue), std::tuple(5, 6, 255, 255, 0));
}

// The frame before the working one shows dimmed under it, and only there.
TEST_F(EditorFixture, ThePreviousFrameShowsUnderTheWorkingOneAndChangesNothing) {
    editor.addNewFrame();
    // Lit from the centre to the right, then a blanked move up.
    storeFrame(editor.buffer, 1, {point3D(0, 0), point3D(16385, 0), point3D(16385, 16385, 64)});
    const QString plain = folder.file("plain.ild"), onion = folder.file("onion.ild");
    editor.chooseTool(PointTool);
    editor.toggleShowPreviousFrame();
    for (const QString& name : {onion, plain}) {
        editor.chooseThumbnail(1, true);
        const auto shown = [&](int x, int y) { return editor.canvas.image().pixel(x, y) & 0xFFFFFF; };
        const bool on = editor.showPreviousFrame;
        const QRgb tint = ImageSurface::toArgb(OnionTint) & 0xFFFFFF;
        EXPECT_EQ(shown(300, 257), on ? tint : 0u) << on;
        int away = 0;  // no blanked travel, point circles or first-point marks: the line alone
        for (int k = 0; k < 512 * 512; ++k) away += k / 512 != 257 && shown(k % 512, k / 512) == tint;
        EXPECT_EQ(away, 0);
        editor.chooseTool(SelectTool);
        editor.canvasPress(1, 300, 257);  // on the grey line: nothing to select there
        EXPECT_EQ(editor.frame.selStart, -1);
        editor.chooseTool(PointTool);
        editor.canvasPress(1, 20, 20), editor.canvasRelease(1, 20, 20);
        EXPECT_EQ(editor.frame.pointCount(), 1);
        saveAs(name);
        editor.frame.frame0->pointCount = 0;
        editor.toggleShowPreviousFrame();
    }
    EXPECT_EQ(readFile(onion), readFile(plain));
    EXPECT_EQ(slotHeader(1).pointCount(), 3);
}

// What the projector makes of the working frame: redraws a second at its speed, and when that
// falls below 15 a flicker warning.
TEST(ProjectorRate, RedrawsASecondAtTheProjectorSpeed) {
    struct Case { int points, kpps; const char* text; bool flickers; };
    const Case cases[] = {
        {0, 30, "0 points at 30 kpps", false},             {1, 1, "1 point · 1000.0 fps at 1 kpps", false},
        {1254, 30, "1 254 points · 23.9 fps at 30 kpps", false}, {20000, 30, "20 000 points · 1.5 fps at 30 kpps", true},
        {2000, 30, "2 000 points · 15.0 fps at 30 kpps", false}, {2001, 30, "2 001 points · 15.0 fps at 30 kpps", true},
        {3000, 100, "3 000 points · 33.3 fps at 100 kpps", false}, {600, 1, "600 points · 1.7 fps at 1 kpps", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Playback::refreshRateText(c.points, c.kpps), QString::fromUtf8(c.text));
        EXPECT_EQ(Playback::flickers(c.points, c.kpps), c.flickers) << c.points;
    }
}

TEST(Playback, TicksComeAtTheRateAndStopEndsTheWaitAtOnce) {
    struct Rate { uint8_t fps; int ms; };
    for (const auto& r : {Rate{25, 40}, Rate{16, 62}, Rate{6, 167}, Rate{1, 1000}, Rate{0, 1000}})
        EXPECT_EQ(Playback::intervalFor(r.fps), r.ms) << int(r.fps);
    struct Case { int frames, stopAfter; std::vector<int> drawn; };
    const Case cases[] = {{10, 3, {1, 2, 3}}, {1, 0, {1}}, {4, 0, {1, 2, 3, 4}}, {0, 0, {}}};
    Playback playback;
    for (const auto& c : cases) {
        std::vector<int> drawn;
        int waits = 0;
        const int last = playback.run(
            c.frames, [&](int frame) { drawn.push_back(frame); },
            [&] {
                EXPECT_TRUE(playback.playing());
                // A second wait without a tick between: only a tick lets the next frame come.
                if (++waits % 2 == 0) drawn.size() == size_t(c.stopAfter) ? playback.requestStop() : playback.tick();
            });
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(std::pair(last, playback.playing()), std::pair(c.drawn.empty() ? 0 : c.drawn.back(), false));
    }
}

TEST_F(EditorFixture, PlayingDrawsEachFrameFromItsSlotOnTheBareCanvas) {
    editor.addNewFrame();
    storeFrame(editor.buffer, 2, {Point3D{}, point3D(16385, 16385, 0, 2)});  // red, from the centre to (384, 128)
    std::vector<QRgb> seen;
    editor.play([&] { editor.playback.tick(); }, [&](int) { seen.push_back(editor.canvas.image().pixel(320, 192) & 0xFFFFFF); });
    EXPECT_EQ(seen, (std::vector<QRgb>{0x000000, 0xFF0000}));
    EXPECT_EQ(editor.canvas.image().pixel(10, 10) & 0xFFFFFF, 0u);  // no grid while playing
    EXPECT_NE(editor.canvas.image().pixel(255 - 4, 257 + 4) & 0xFFFFFF, 0x00FF00u);  // nor markers
}

TEST_F(EditorFixture, ViewOptionsAndFrameNamesTakeEffect) {
    editor.pickColor(200);
    editor.setViewOptions({70, 3, 25, PangolinPalette});
    EXPECT_EQ(editor.viewOptions(), (ViewOptions{70, 3, 25, PangolinPalette}));
    EXPECT_EQ(std::pair(int(editor.currentColor), editor.palette.color[64]), std::pair(1, rgb(255, 32, 32)));

    editor.setFrameNames("NOPE", "");  // no frame chosen yet: nothing changes
    EXPECT_FALSE(editor.seq.framechanged);
    editor.addNewFrame();
    editor.chooseThumbnail(1, true);
    editor.setFrameNames("LOGO", "ABCDEFGHIJ");
    const FrameInfo info = editor.frameInfo();
    EXPECT_EQ(std::tuple(info.format, info.number, info.total), std::tuple(0, 2, 2));
    EXPECT_EQ(info.name + '|' + info.company, "LOGO    |ABCDEFGH");
    EXPECT_EQ(std::pair(editor.seq.framechanged, editor.history.undocounter()), std::pair(true, 1));  // names are no undo step
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(slotHeader(2).frameName), 16), "LOGO    ABCDEFGH");
}

// Loop plays the frames selected in the strip, or all when one is, again and again until Stop;
// unticked while playing, it ends at the last frame of the pass.
TEST_F(EditorFixture, LoopPlaysTheSelectedFramesUntilStop) {
    for (int i = 0; i < 4; ++i) editor.addNewFrame();  // five frames
    struct Case { int selStart, selLen; int stopAfter; bool untick; std::vector<int> drawn; };
    const Case cases[] = {
        {2, 3, 7, false, {2, 3, 4, 2, 3, 4, 2}},
        {3, 1, 7, false, {1, 2, 3, 4, 5, 1, 2}},
        {4, 9, 5, false, {4, 5, 4, 5, 4}},
        {2, 2, 3, true, {2, 3, 2, 3}},
    };
    for (const Case& c : cases) {
        editor.seq.selFrameStart = c.selStart, editor.seq.selFrameLen = c.selLen;
        editor.playback.loop = true;
        std::vector<int> drawn;
        editor.play([&] { editor.playback.tick(); },
                    [&](int frame) {
                        drawn.push_back(frame);
                        if (int(drawn.size()) == c.stopAfter) c.untick ? void(editor.playback.loop = false)
                                                                       : editor.playback.requestStop();
                    });
        EXPECT_EQ(drawn, c.drawn) << c.selStart << '+' << c.selLen;
    }
    editor.playback.loop = false;  // without Loop, Play plays every frame once, whatever is selected
    std::vector<int> once;
    editor.play([&] { editor.playback.tick(); }, [&](int frame) { once.push_back(frame); });
    EXPECT_EQ(once, (std::vector<int>{1, 2, 3, 4, 5}));
}

// The playback rate goes up to 60 and is kept in quorvel.ini; config.dat keeps what its range
// holds, and its rate plays while quorvel.ini has none.
TEST_F(EditorFixture, ThePlaybackRateIsKeptUpTo60) {
    editor.settings.playFps = 12;
    EXPECT_EQ(editor.playRate(), 12);
    ViewOptions v = editor.viewOptions();
    v.playFps = 48;
    editor.setViewOptions(v);
    EXPECT_EQ(std::pair(editor.playRate(), int(editor.settings.playFps)), std::pair(48, 25));
    EXPECT_EQ(editor.viewOptions().playFps, 48);
    for (const char* wrong : {"61", "0", "fast"}) {  // out of range or no number: config.dat's rate
        writeFile(folder.file("bad.ini"), QByteArray("[playback]\nfps=") + wrong + "\n");
        EXPECT_EQ(loadMoreSettings(folder.file("bad.ini")).playRate, 0) << wrong;
    }
}

// The onion skin shows up to five frames before the working one and, when asked, up to five
// after it in another tint, each fainter the farther it is; the choice is kept in quorvel.ini.
TEST_F(EditorFixture, TheOnionSkinShowsFramesAroundTheWorkingOneFainterWithDistance) {
    for (int i = 0; i < 6; ++i) editor.addNewFrame();  // seven frames, each a dot on a row of its own
    for (int f = 1; f <= 7; ++f) storeFrame(editor.buffer, f, {point3D(-8000, 2000 * f), point3D(-8000, 2000 * f)});
    const auto shown = [&](int f) {
        return editor.canvas.image().pixel((32767 - 8000) / 128, 512 - (32767 + 2000 * f) / 128) & 0xFFFFFF;
    };
    const auto tint = [](int distance, bool after) { return ImageSurface::toArgb(onionTint(distance, after)) & 0xFFFFFF; };
    EXPECT_EQ(tint(1, false), ImageSurface::toArgb(OnionTint) & 0xFFFFFF);
    EXPECT_EQ(onionTint(5, false), rgb(88 / 5, 40 / 5, 120 / 5));
    ViewOptions v = editor.viewOptions();
    v.onionBefore = 3, v.onionAfter = 1;
    editor.setViewOptions(v);
    editor.toggleShowPreviousFrame();
    editor.chooseThumbnail(4, true);  // frame 5
    EXPECT_EQ(shown(1), 0u);  // four before: not asked for
    EXPECT_EQ(shown(2), tint(3, false));
    EXPECT_EQ(shown(3), tint(2, false));
    EXPECT_EQ(shown(4), tint(1, false));
    EXPECT_EQ(shown(6), tint(1, true));
    EXPECT_EQ(shown(7), 0u);
    editor.chooseThumbnail(0, true);  // frame 1: only the one after
    EXPECT_EQ(shown(2), tint(1, true));
    editor.toggleShowPreviousFrame();  // off: none
    EXPECT_EQ(shown(2), 0u);
}
