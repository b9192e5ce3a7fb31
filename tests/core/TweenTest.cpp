// SPDX-License-Identifier: GPL-3.0-or-later
// Tween: the frames between two keys, point by point: equal and unequal counts, blanked runs,
// each easing, true colour, replacing the frames between or inserting new ones, and names.
#include "EditorFixture.h"
#include "framelist/Tween.h"

using namespace quorvel;
using namespace quorvel::test;

namespace {
struct T {  // a true-colour point as ILDA values: x, y, blanked, red, blue
    int x, y;
    bool blanked = false;
    int red = 255, blue = 0;
    bool operator==(const T&) const = default;
};
std::ostream& operator<<(std::ostream& os, const T& p) {
    return os << '(' << p.x << ',' << p.y << (p.blanked ? ",b" : "") << ',' << p.red << ',' << p.blue << ')';
}
using Ts = std::vector<T>;

struct TweenFixture : EditorFixture {
    void keys(const Ts& a, const Ts& b, int frames, const char* name = "") {
        startOver();
        for (int i = 1; i < frames; ++i) editor.addNewFrame();
        store(1, a);
        store(frames, b);
        WorkingFrame named;
        editor.buffer.copyFrameToRam(1, named);
        named.frame5->header.setFrameName(name);
        editor.buffer.saveRamToBuffer(1, named);
        editor.chooseThumbnail(0, true);
        editor.seq.fileChanged = false;
    }
    void store(int frame, const Ts& pts) {
        WorkingFrame wf;
        wf.format = 5;
        wf.frame5->pointCount = int(pts.size());
        for (size_t i = 0; i < pts.size(); ++i)
            wf.frame5->points[i] = pointTrue(pts[i].x, pts[i].y, pts[i].blanked ? 64 : 0, uint8_t(pts[i].red), 0, uint8_t(pts[i].blue));
        editor.buffer.saveRamToBuffer(frame, wf);
    }
    Ts at(int frame) {
        WorkingFrame wf;
        editor.buffer.copyFrameToRam(frame, wf);
        Ts out;
        for (const PointTrue2D& p : wf.frame5->used()) {
            const auto ilda = [](int c) { return c >= 32767 ? c - 32767 : c - 32768; };
            out.push_back({ilda(toCanvas(p.xHi, p.xLo)), ilda(toCanvas(p.yHi, p.yLo)), bool(p.status & 64), p.red, p.blue});
        }
        return out;
    }
    std::string nameOf(int frame) {
        std::string name(slotHeader(frame).frameNameText());
        return name.substr(0, name.find(' '));
    }
};
}  // namespace

TEST_F(TweenFixture, InBetweensMovePointsFromKeyToKey) {
    struct Case { const char* what; Ts a, b; int frames; Editor::TweenChoice choice; std::vector<Ts> between; int total; };
    const Ts A{{0, 0}, {1000, 0}}, B{{3000, 3000, false, 0, 255}, {4000, 3000, false, 0, 255}};
    const Case cases[] = {
        {"replace two, linear, colours mixed", A, B, 4, {4, false, 1, Easing::Linear},
         {{{1000, 1000, false, 170, 85}, {2000, 1000, false, 170, 85}}, {{2000, 2000, false, 85, 170}, {3000, 2000, false, 85, 170}}}, 4},
        {"insert three, easing in", A, B, 2, {2, true, 3, Easing::In},
         {{{188, 188, false, 239, 16}, {1188, 188, false, 239, 16}}, {{750, 750, false, 191, 64}, {1750, 750, false, 191, 64}},
          {{1688, 1688, false, 112, 143}, {2688, 1688, false, 112, 143}}}, 5},
        {"easing out", A, B, 2, {2, true, 1, Easing::Out}, {{{2250, 2250, false, 64, 191}, {3250, 2250, false, 64, 191}}}, 3},
        {"easing in and out", A, B, 2, {2, true, 3, Easing::InOut},
         {{{375, 375, false, 223, 32}, {1375, 375, false, 223, 32}}, {{1500, 1500, false, 128, 128}, {2500, 1500, false, 128, 128}},
          {{2625, 2625, false, 32, 223}, {3625, 2625, false, 32, 223}}}, 5},
        {"fewer points gain some along their line", {{0, 0}, {1000, 0}}, {{0, 2000}, {1000, 2000}, {2000, 2000}}, 3, {3, false, 1, Easing::Linear},
         {{{0, 1000}, {750, 1000}, {1500, 1000}}}, 3},
        {"a blanked jump stays a jump", {{0, 0}, {1000, 0, true}}, {{0, 0}, {500, 0}, {1000, 0}}, 3, {3, false, 1, Easing::Linear},
         {{{0, 0}, {250, 0}, {1000, 0, true, 0, 0}}}, 3},  // a blanked true-colour point carries no colour
        {"blanked as the nearer key", {{0, 0, true}}, {{3000, 0}}, 4, {4, false, 1, Easing::Linear},
         {{{1000, 0, true, 0, 0}}, {{2000, 0}}}, 4},
        {"nothing between: nothing to replace", A, B, 2, {2, false, 1, Easing::Linear}, {}, 2},
    };
    for (const Case& c : cases) {
        keys(c.a, c.b, c.frames);
        editor.tween(c.choice);
        EXPECT_EQ(editor.seq.totalFrames, c.total) << c.what;
        for (size_t i = 0; i < c.between.size(); ++i) EXPECT_EQ(at(int(i) + 2), c.between[i]) << c.what << ' ' << i;
        EXPECT_EQ(at(1), c.a) << c.what;  // the keys stay as they were
        EXPECT_EQ(at(c.total), c.b) << c.what;
        EXPECT_EQ(editor.seq.fileChanged, !c.between.empty()) << c.what;
    }
}

TEST_F(TweenFixture, NamesCountOnAndKeyBIsOffered) {
    for (const auto& [name, second, third] : {std::tuple{"LOGO0009", "LOGO0010", "LOGO0011"}, {"LOGO", "LOGO", "LOGO"}, {"A99", "A100", "A101"}}) {
        keys({{0, 0}}, {{10, 10}}, 4, name);
        editor.tween({4, false, 1, Easing::Linear});
        EXPECT_EQ(nameOf(2) + ' ' + nameOf(3), std::string(second) + ' ' + third);
    }
    keys({{0, 0}}, {{10, 10}}, 6);
    EXPECT_EQ(editor.tweenKeyB(), 2);  // the next frame
    editor.chooseThumbnail(4, false);   // frames 1 to 5 selected
    editor.chooseThumbnail(0, true);
    editor.seq.selFrameStart = 1, editor.seq.selFrameLen = 5;
    EXPECT_EQ(editor.tweenKeyB(), 5);  // the end of the selection
}

// Indexed keys give indexed in-betweens; a palette colour both keys share stays that entry, even
// where another entry holds the same colour.
TEST_F(TweenFixture, IndexedKeysKeepTheirSharedColour) {
    startOver();
    editor.addNewFrame(), editor.addNewFrame();
    editor.palette.color[40] = editor.palette.color[3];  // a twin of entry 3, found first by no search
    // The third point's keys differ: their mix, colour 3's, is searched and found at 3 first.
    storeFrame(editor.buffer, 1, {point2D(0, 0, 0, 40), point2D(100, 0, 0, 7), point2D(200, 0, 0, 40)});
    storeFrame(editor.buffer, 3, {point2D(3000, 0, 0, 40), point2D(100, 900, 0, 7), point2D(200, 0, 0, 3)});
    editor.chooseThumbnail(0, true);
    editor.tween({3, false, 1, Easing::Linear});
    WorkingFrame mid;
    ASSERT_TRUE(editor.buffer.copyFrameToRam(2, mid));
    ASSERT_EQ(mid.format, 1);
    EXPECT_EQ(mid.frame1->points[0].colorIndex, 40);
    EXPECT_EQ(mid.frame1->points[1].colorIndex, 7);
    EXPECT_EQ(mid.frame1->points[2].colorIndex, 3);
    for (const int i : {0, 1, 2})  // the last point says so
        EXPECT_EQ(mid.frame1->points[i].status & StatusBit::LastPoint, i == 2 ? StatusBit::LastPoint : 0) << i;
    EXPECT_EQ(toCanvas(mid.frame1->points[0].xHi, mid.frame1->points[0].xLo), 32767 + 1500);
}
