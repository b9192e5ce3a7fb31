// SPDX-License-Identifier: GPL-3.0-or-later
// The text tool: fixed-point maths, the outline records of the canvas font, the walk over them,
// and text laid out as a preview and as points.
#include "EditorFixture.h"
#include "RecordingSurface.h"
#include "text/TextSession.h"

#include <cstring>

using namespace quorvel;
using namespace quorvel::test;

namespace {
// Outline records built by hand: a contour header, then curve records of whole-unit points.
struct Records {
    std::vector<uint8_t> bytes;
    size_t contourAt = 0;
    template <class T> void put(std::initializer_list<T> values) {
        for (const T& v : values) bytes.insert(bytes.end(), (const uint8_t*)&v, (const uint8_t*)&v + sizeof v);
    }
    void point(double x, double y) { put({fixedFromDouble(x), fixedFromDouble(y)}); }
    Records& contour(double x, double y) {
        done();
        contourAt = bytes.size();
        put<uint32_t>({0, 24});  // its length, written when the next contour starts or the records end
        point(x, y);
        return *this;
    }
    Records& curve(uint16_t type, std::vector<std::pair<double, double>> pts) {
        put<uint16_t>({type, uint16_t(pts.size())});
        for (auto [x, y] : pts) point(x, y);
        return *this;
    }
    std::vector<uint8_t> done() {
        const uint32_t length = uint32_t(bytes.size() - contourAt);
        if (length > 0) std::memcpy(bytes.data() + contourAt, &length, 4);
        return bytes;
    }
};
std::string pointsOf(const std::vector<Contour>& contours) {
    std::string s;
    for (const Contour& c : contours) {
        for (const OutlinePoint& p : c) s += std::to_string(int(p.x * 10)) + ',' + std::to_string(int(p.y * 10)) + ' ';
        s += '|';
    }
    return s;
}
}  // namespace

TEST(GlyphMaths, FixedPointAndTheRotationMatrix) {
    struct Case { double d; uint16_t fract; int16_t value; };
    for (const auto& c : {Case{-0.5, 32768, -1}, Case{253.44140625, 28928, 253}, Case{-79.359375, 41984, -80}, Case{0, 0, 0}}) {
        EXPECT_EQ(fixedFromDouble(c.d), (Fixed{c.fract, c.value})) << c.d;
        EXPECT_EQ(doubleFromFixed(fixedFromDouble(c.d)), c.d);
    }
    struct Turn { float degrees; double m11, m12, m21; };
    for (const auto& t : {Turn{0, 256, 0, 0}, Turn{6, 253.44140625, -25.6015625, 25.6015625},
                          Turn{-108, -79.359375, 243.19921875, -243.19921875}}) {
        const Mat2 m = rotationMatrix(degToRad(t.degrees));
        EXPECT_EQ(std::tuple(doubleFromFixed(m.eM11), doubleFromFixed(m.eM22), doubleFromFixed(m.eM12), doubleFromFixed(m.eM21)),
                  std::tuple(t.m11, t.m11, t.m12, t.m21)) << t.degrees;
    }
}

// The hyphen of the canvas font (Liberation Serif standing in for Times New Roman, 11 pixels):
// one contour of straight lines, 256 times its outline in pixels.
TEST(GlyphMaths, TheFontLayerWritesTheRecordsTheWalkReads) {
    const GlyphFont font{FontChoice{}};
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.pixelSize(), 11);
    const auto hyphen = font.outline('-', rotationMatrix(0));
    ASSERT_TRUE(hyphen);
    EXPECT_EQ(*hyphen, Records().contour(104, 560).curve(1, {{104, 768}, {836, 768}, {836, 560}}).done());
    EXPECT_EQ(font.outline(' ', rotationMatrix(0))->size(), 0u);  // a blank has no outline
    EXPECT_TRUE(font.has(U'\u0416') && font.has(U'\u00C7') && !font.has(U'\u4E2D'));  // Zhe, C cedilla; no Han
    std::vector<Contour> o;
    GlyphError error;
    ASSERT_TRUE(walkGlyph(*font.outline('o', rotationMatrix(0)), 1.0f, o, error));
    EXPECT_EQ(o.size(), 2u);  // the outside and the hole
    ASSERT_TRUE(walkGlyph(*font.outline('=', rotationMatrix(0)), 1.0f, o, error));
    EXPECT_EQ(pointsOf(o), "14520,7240 14520,5840 1400,5840 1400,7240 |14520,12880 14520,11480 1400,11480 1400,12880 |");  // two bars
}

TEST(GlyphMaths, SplinesBecomePolylinesThroughTheirMidpointsAndRepeatsAreDropped) {
    struct Case { const char* what; std::vector<uint8_t> records; std::string contours; };
    const Case cases[] = {
        {"a line of one point, then a spline of three", Records().contour(1, 1).curve(1, {{3, 1}}).curve(2, {{5, 1}, {5, 3}, {3, 5}}).done(),
         "10,10 30,10 50,20 30,50 |"},
        {"a spline of two adds its start again as a sample", Records().contour(1, 1).curve(2, {{2, 4}, {4, 1}}).done(),
         "10,10 40,10 |"},
        {"a first contour starting at the origin loses its start", Records().contour(0, 0).curve(1, {{2, 0}}).done(),
         "20,0 |"},
        {"a contour starting where the last ended loses its start",
         Records().contour(1, 1).curve(1, {{2, 2}}).contour(2, 2).curve(1, {{3, 0}}).done(), "10,10 20,20 |30,0 |"},
        {"a last contour of its start alone, 16 bytes", Records().contour(1, 1).curve(1, {{2, 2}}).contour(4, 4).done(), "10,10 20,20 |40,40 |"},
    };
    for (const auto& c : cases) {
        std::vector<Contour> contours;
        GlyphError error;
        ASSERT_TRUE(walkGlyph(c.records, 1.0f, contours, error)) << c.what;
        EXPECT_EQ(pointsOf(contours), c.contours) << c.what;
    }
    std::vector<Contour> kept{{{7, 7, 0}}};
    GlyphError error;
    EXPECT_FALSE(walkGlyph(Records().contour(1, 1).curve(3, {{2, 2}}).done(), 1.0f, kept, error));
    EXPECT_EQ(error.number, -2147220503);
    EXPECT_TRUE(error.description.startsWith("Unsupported Font Style. Please contact technical support ("));
    EXPECT_FALSE(walkGlyph({}, 1.0f, kept, error));
    EXPECT_FALSE(walkGlyph(Records().contour(1, 1).curve(2, {{2, 2}, {3, 3}}).done(), 0.0f, kept, error));  // no step: no end
    std::vector<uint8_t> cut = Records().contour(1, 1).curve(1, {{2, 2}, {3, 3}}).done();
    cut.resize(cut.size() - 4);
    EXPECT_FALSE(walkGlyph(cut, 1.0f, kept, error));
    EXPECT_EQ(kept.size(), 1u);  // a failed walk leaves the contours as they were
}

TEST(TextLayout, GlyphsAdvanceByTheirWidthAndSpacesByTen) {
    TextSession text;
    text.begin(100, 300);
    const auto firstX = [&](const QString& t) {
        text.setText(t);
        RecordingSurface s;
        text.preview(s, rgb(1, 2, 3));
        std::vector<int> xs;
        for (const DrawOp& op : s.ops)
            if (op.kind == DrawOp::Pixel) xs.push_back(op.a);  // each contour starts with a pixel
        return xs;
    };
    const std::vector<int> ab = firstX("AB"), spaced = firstX("A B"), leading = firstX(" AB");
    ASSERT_EQ(ab.size(), 5u);  // A: its outside and hole; B: its outside and two holes
    ASSERT_EQ(spaced.size(), 5u);
    EXPECT_EQ(spaced.back() - ab.back(), 10);
    EXPECT_EQ(leading.front() - ab.front(), 10);
    EXPECT_TRUE(firstX("   ").empty());
    text.setText("A");
    RecordingSurface s;
    text.preview(s, rgb(1, 2, 3));
    const DrawOp cursor = s.ops.back();
    EXPECT_EQ(cursor.b - cursor.d, 58);  // 7 times 8.25 points, upward from the baseline row 212
    EXPECT_EQ(cursor.b, 212);
    int top = 511, bottom = 0, left = 511, right = 0;
    for (size_t i = 0; i + 1 < s.ops.size(); ++i)  // the glyph's lines, before the cursor
        if (const DrawOp& op = s.ops[i]; op.kind == DrawOp::Line)
            top = std::min({top, op.b, op.d}), bottom = std::max({bottom, op.b, op.d}), left = std::min({left, op.a, op.c}), right = std::max({right, op.a, op.c});
    EXPECT_EQ(std::tuple(top, bottom, left, right), std::tuple(166, 212, 101, 150));  // the A stands on the baseline, 46 pixels tall, 49 wide
}

TEST_F(EditorFixture, TextBecomesClosedPathsReachedBlankedPinnedAtTheEdgesAndUndoneInOneStep) {
    editor.chooseThumbnail(0, true), editor.chooseTool(TextTool);
    bool opened = false;
    editor.onTextTool = [&] { opened = true; };
    editor.canvasPress(1, 495, 100);  // near the right edge: the text runs off it
    ASSERT_TRUE(opened);
    editor.text.setText("-I"), editor.convertText();
    const Frame0& f = *editor.frame.frame0;
    ASSERT_GT(f.pointCount, 10);
    EXPECT_EQ(f.points[0].status, 64);            // the move to the first contour is blanked
    EXPECT_EQ(pixelOf(f.points[0]).y, 511 - 100);  // from the press, which had no point before it
    int visibleAtEdge = 0, blankedAtEdge = 0;
    for (int i = 0; i < f.pointCount; ++i) {
        const bool atEdge = pixelOf(f.points[i]).x == 511;
        visibleAtEdge += atEdge && !(f.points[i].status & 64);
        blankedAtEdge += atEdge && (f.points[i].status & 64);
    }
    EXPECT_GT(blankedAtEdge, visibleAtEdge);
    EXPECT_TRUE(editor.seq.framechanged);
    EXPECT_EQ(editor.history.undocounter(), 2);
    editor.undo();
    EXPECT_EQ(f.pointCount, 0);
    editor.text.setText("   ");  // blanks alone: nothing to draw, and nothing wrong
    editor.convertText();
    EXPECT_EQ(f.pointCount + editor.win.statusNote.size(), 0);

    editor.canvasPress(1, 100, 300);  // in the open: each of the two contours is reached blanked
    editor.text.setText("-I"), editor.convertText();
    std::vector<int> runs;  // lengths of the runs of blanked points
    for (int i = 0; i < f.pointCount; ++i) {
        if (!(f.points[i].status & 64)) continue;
        if (i == 0 || !(f.points[i - 1].status & 64)) runs.push_back(0);
        ++runs.back();
    }
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[0] > 1 && runs[1] > 1);
    EXPECT_FALSE(f.points[f.pointCount - 1].status & 64);

    int lowest = 0, highest = 0;  // of the points written last
    const auto write = [&](int row, const char* text, int onRow) {  // says lit less blanked points on a row
        editor.undo(), editor.canvasPress(1, 100, row), editor.text.setText(text), editor.convertText();
        int litLessBlanked = 0;
        lowest = 511, highest = 0;
        for (int i = 0; i < f.pointCount; ++i) {
            const int y = pixelOf(f.points[i]).y;
            lowest = std::min(lowest, y), highest = std::max(highest, y);
            litLessBlanked += y == onRow ? (f.points[i].status & 64 ? -1 : 1) : 0;
        }
        return litLessBlanked;
    };
    write(0, "-I", 0);  // on the top row: what rises above it is pinned there, never wrapped
    EXPECT_EQ(std::pair(lowest, highest), std::pair(510, 511));
    // An edge on the canvas's first or last row is drawn; one a row past it is pinned there, blanked.
    write(300, "_", 0);
    const int bottom = 300 + lowest;
    write(300, "-", 0);
    const int top = highest - 211;  // the row that puts its top on the first row
    EXPECT_TRUE(write(bottom, "_", 0) > 0 && write(bottom + 1, "_", 0) < 0);
    EXPECT_TRUE(write(top, "-", 511) > 0 && write(top - 1, "-", 511) < 0);
    write(2, "-", 0);  // wholly above the first row, though its baseline is on the canvas: nothing shows
    EXPECT_EQ(f.pointCount, 0);
}

// Any character the font draws comes out, one it lacks is left out with a note, and a line that
// runs off the canvas stops adding points where its glyphs stop showing.
TEST_F(EditorFixture, TextIsUnicodeAndLaysOutOnlyWhatShows) {
    editor.chooseThumbnail(0, true), editor.chooseTool(TextTool);
    editor.onTextTool = [] {};
    const Frame0& f = *editor.frame.frame0;
    QString note;
    const auto points = [&](const QString& t) {
        editor.canvasPress(1, 60, 300);
        editor.text.setText(t), editor.convertText();
        const int n = f.pointCount;
        note = editor.win.statusNote;
        editor.win.statusNote.clear();
        editor.undo();
        return n;
    };
    EXPECT_GT(points(QStringLiteral("\u00C7")), points("C"));  // the cedilla is a contour of its own
    for (const QString& drawn : {QStringLiteral("\u00C7a va \u2013"), QStringLiteral("\u041F\u0440\u0438"),
                                 QStringLiteral("\u03A9\u00E9")}) {
        EXPECT_GT(points(drawn), 0) << drawn.toStdString();
        EXPECT_TRUE(note.isEmpty()) << drawn.toStdString();
    }
    const int ab = points("ab");
    EXPECT_EQ(points(QStringLiteral("a\u4E2Db\U0001F600\u4E2D")), ab);
    EXPECT_EQ(note, QStringLiteral("Not in this font, so left out: \u4E2D\U0001F600"));
    const int sevenW = points(QString(7, 'W'));
    EXPECT_LT(points(QString(6, 'W')), sevenW);           // the seventh W is cut by the edge, and pinned
    EXPECT_EQ(points(QString(300, 'W')), sevenW);         // the eighth lies wholly past x = 511
}
