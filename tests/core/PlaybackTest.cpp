#include "EditorFixture.h"

using namespace quorvel;
using namespace quorvel::test;

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
        EXPECT_EQ(last, c.drawn.empty() ? 0 : c.drawn.back());
        EXPECT_FALSE(playback.playing());
    }
}

TEST_F(EditorFixture, PlayingDrawsEachFrameFromItsSlotOnTheBareCanvas) {
    editor.addNewFrame();
    storeFrame(editor.buffer, 2, {Point3D{}, point3D(16385, 16385, 0, 2)});  // red, from the centre to (384, 128)
    std::vector<QRgb> seen;
    editor.play([&] { editor.playback.tick(); }, [&] { seen.push_back(editor.canvas.image().pixel(320, 192) & 0xFFFFFF); });
    EXPECT_EQ(seen, (std::vector<QRgb>{0x000000, 0xFF0000}));
    EXPECT_EQ(editor.canvas.image().pixel(10, 10) & 0xFFFFFF, 0u);  // no grid while playing
    EXPECT_NE(editor.canvas.image().pixel(255 + 4, 257 - 4) & 0xFFFFFF, 0x00FF00u);  // nor markers
}

TEST_F(EditorFixture, ViewOptionsAndFrameNamesTakeEffect) {
    editor.pickColor(200);
    editor.setViewOptions({70, 3, 25, PangolinPalette});
    EXPECT_EQ(editor.viewOptions(), (ViewOptions{70, 3, 25, PangolinPalette}));
    EXPECT_EQ(editor.currentColor, 1);
    EXPECT_EQ(editor.palette.color[64], rgb(255, 32, 32));

    editor.setFrameNames("NOPE", "");  // no frame chosen yet: nothing changes
    EXPECT_FALSE(editor.seq.framechanged);
    editor.addNewFrame();
    editor.chooseThumbnail(1, true);
    editor.setFrameNames("LOGO", "ABCDEFGHIJ");
    const FrameInfo info = editor.frameInfo();
    EXPECT_EQ(std::tuple(info.format, info.number, info.total), std::tuple(0, 2, 2));
    EXPECT_EQ(info.name + '|' + info.company, "LOGO    |ABCDEFGH");
    EXPECT_TRUE(editor.seq.framechanged);
    EXPECT_EQ(editor.history.undocounter(), 1);  // names are no undo step
    editor.chooseThumbnail(0, true);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(slotHeader(2).frameName), 16), "LOGO    ABCDEFGH");
}
