// SPDX-License-Identifier: GPL-3.0-or-later
// Drawings from vector programs, and points made ready for a projector.
#include "EditorFixture.h"
#include "model/NearestColor.h"
#include "vector/OutlineTrace.h"
#include "vector/SvgImport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <numbers>

using namespace quorvel;
using namespace quorvel::test;

namespace {
// A point in canvas pixels (fractions where the optimiser put one between two), lit or not.
struct Pt { double x, y; bool blanked = false;
    bool operator==(const Pt& o) const { return std::abs(x - o.x) < 0.01 && std::abs(y - o.y) < 0.01 && blanked == o.blanked; } };
std::ostream& operator<<(std::ostream& os, const Pt& p) { return os << (p.blanked ? "B(" : "L(") << p.x << ',' << p.y << ')'; }
using Pts = std::vector<Pt>;
constexpr bool B = true;

template <class P> Pts ptsOf(const P* points, int n) {
    Pts out;
    for (int i = 0; i < n; ++i) out.push_back({placeOf(points[i]).x / 128, placeOf(points[i]).y / 128, isBlanked(points[i])});
    return out;
}
std::vector<Point2D> points2D(const Pts& pts) {
    std::vector<Point2D> out;
    for (const Pt& p : pts) {
        Point2D q{};
        putAt(q, {p.x * 128, p.y * 128});
        q.status = p.blanked ? StatusBit::Blanked : 0;
        q.colorIndex = 7;
        out.push_back(q);
    }
    return out;
}
Pts optimised(const Pts& in, int pointSpace) {
    const std::vector<Point2D> p = points2D(in);
    const auto out = optimisedForProjector(p.data(), int(p.size()), {128.0 * pointSpace, 3});
    return ptsOf(out.data(), int(out.size()));
}
}  // namespace

// What the optimiser adds, point for point; a second run adds nothing.
TEST(Optimiser, AddsPointsBetweenHoldsCornersAndAnchorsBlanking) {
    const Pt c0{0, 0}, c1{10, 0}, c2{10, 10}, c3{0, 10};
    struct Case { const char* what; Pts in; int space; Pts out; };
    const Case cases[] = {
        {"a square: its sides split, three corners held, the start anchored",
         {{0, 0, B}, c0, c1, c2, c3, c0}, 5,
         {{0, 0, B}, {0, 0, B}, {0, 0, B}, c0, {5, 0}, c1, c1, c1, {10, 5}, c2, c2, c2, {5, 10}, c3, c3, c3, {0, 5}, c0}},
        {"a zigzag: 90 degree turns held, a 28 degree one not; a long piece halved",
         {{0, 0}, {4, 4}, {8, 0}, {12, 4}, {22, 7}}, 10,
         {{0, 0}, {4, 4}, {4, 4}, {4, 4}, {8, 0}, {8, 0}, {8, 0}, {12, 4}, {17, 5.5}, {22, 7}}},
        {"a blanked move between two shapes: anchors where the laser goes off and on",
         {{0, 0}, {10, 0}, {50, 0, B}, {60, 0}}, 10,
         {{0, 0}, {10, 0}, {10, 0, B}, {10, 0, B}, {50, 0, B}, {50, 0, B}, {50, 0, B}, {60, 0}}},
        {"anchors already there count; blanked moves are never split",
         {{0, 0}, {0, 0, B}, {100, 0, B}, {100, 0, B}, {100, 0, B}, {100, 0}}, 10,
         {{0, 0}, {0, 0, B}, {0, 0, B}, {100, 0, B}, {100, 0, B}, {100, 0, B}, {100, 0}}},
        {"a lit line from a blanked point is split; a held corner is not held again",
         {{0, 0, B}, {0, 20}, {20, 20}, {20, 20}, {20, 20}, {20, 0}}, 10,
         {{0, 0, B}, {0, 0, B}, {0, 0, B}, {0, 10}, {0, 20}, {0, 20}, {0, 20}, {10, 20}, {20, 20}, {20, 20}, {20, 20}, {20, 10}, {20, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(optimised(c.in, c.space), c.out) << c.what;
        EXPECT_EQ(optimised(c.out, c.space), c.out) << c.what << ", again";
    }
    // A blanked true-colour anchor is black; the copies carry no last-point mark.
    std::vector<PointTrue2D> t = {pointTrue(0, 0, 0, 9, 9, 9), pointTrue(0, 0, StatusBit::Blanked | StatusBit::LastPoint, 0, 0, 0)};
    t[0].status = StatusBit::LastPoint;
    const auto out = optimisedForProjector(t.data(), 2, {640, 3});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(std::tuple(out[1].red, out[1].status), std::tuple(0, StatusBit::Blanked));
    EXPECT_EQ(std::tuple(std::lround(turnDegrees({0, 0}, {1, 0}, {1, 1}) * 1e6), turnDegrees({0, 0}, {1, 0}, {0, 0})), std::tuple(90000000L, 180.0));  // in degrees
}

// Through the editor: the selection alone, one undo step, and a frame near the cap left alone.
TEST_F(EditorFixture, OptimiseForProjectorWorksOnTheSelectionAndKeepsTheCap) {
    editor.chooseThumbnail(0, true);
    editor.optimiseForProjector();
    EXPECT_EQ(std::pair(editor.history.undocounter(), editor.seq.fileChanged), std::pair(1, false));  // nothing to optimise
    // `count` points: the first of `pts` repeated, then the others.
    const auto load = [&](const Pts& pts, int count) {
        const std::vector<Point2D> p = points2D(pts);
        Frame0& f = *editor.frame.frame0;
        f.pointCount = count;
        for (int i = 0; i < count; ++i) {
            const Point2D& q = p[size_t(std::max(0, i - count + int(p.size())))];
            f.points[i] = Point3D{q.xHi, q.xLo, q.yHi, q.yLo, 0, 0, q.status, 1};
        }
    };
    const Pts zigzag = {{0, 0}, {3, 3}, {6, 0}, {9, 3}};
    load(zigzag, 4);
    editor.frame.selStart = 0, editor.frame.selEnd = 2;
    editor.optimiseForProjector();  // (3, 3) is held; (6, 0) ends the selection, so it is no corner
    EXPECT_EQ(ptsOf(editor.frame.frame0->points.data(), editor.frame.frame0->pointCount),
              (Pts{{0, 0}, {3, 3}, {3, 3}, {3, 3}, {6, 0}, {9, 3}}));
    EXPECT_EQ(editor.frame.selEnd, 4);
    EXPECT_EQ(std::tuple(editor.history.undocounter(), editor.seq.fileChanged), std::tuple(2, true));
    EXPECT_EQ(editor.win.statusNote, QString::fromUtf8("Optimised: 4 \u2192 6 points, 1 corners held."));
    editor.undo();
    EXPECT_EQ(editor.frame.pointCount(), 4);
    editor.seq.fileChanged = false;
    editor.frame.selStart = editor.frame.selEnd = 1, editor.optimiseForProjector();  // one point alone has no corner
    EXPECT_EQ(editor.frame.pointCount(), 4);
    // Nothing done: said, no undo step, and the sequence no more changed than it was.
    EXPECT_EQ(std::tuple(editor.win.statusNote, editor.history.undocounter(), editor.seq.fileChanged),
              std::tuple(QString("Nothing to optimise."), 1, false));
    editor.frame.selStart = 6, editor.frame.selEnd = 7, editor.optimiseForProjector();  // a selection past the points: the whole frame
    EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.frame.selEnd), std::pair(8, 7));  // two corners, each held
    editor.undo();
    editor.frame.selStart = 2, editor.frame.selEnd = 9, editor.optimiseForProjector();  // on past the last point: two points, no corner
    EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.win.statusNote), std::pair(4, QString("Nothing to optimise.")));
    for (const int room : {2, 1}) {  // a corner wants two more points
        load({{0, 0}, {3, 3}, {6, 0}}, MaxPoints - room);
        editor.frame.clearSelection();
        const int steps = editor.history.undocounter();
        editor.optimiseForProjector();
        EXPECT_EQ(editor.frame.pointCount(), room == 2 ? MaxPoints : MaxPoints - 1) << room;
        EXPECT_EQ(editor.history.undocounter(), steps + (room == 2)) << room;
        EXPECT_EQ(editor.win.statusNote, room == 2 ? OptimisedNote.arg(MaxPoints - 2).arg(MaxPoints).arg(1) : FrameFullNote) << room;
    }
}

namespace {
// The canvas pixel where a point of a 100 x 100 viewBox lands: fitted between 16 pixels of
// margin, y upward.
Pt fitted(double x, double y) {
    const double unit = 2 * (32767 - 16 * 128) / 100.0 / 128;
    return {32767 / 128.0 + (x - 50) * unit, 32767 / 128.0 - (y - 50) * unit};
}
SvgDrawing svg(const char* body, const char* root = R"~(viewBox="0 0 100 100")~") {
    return readSvg(QStringLiteral(R"~(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" %1>%2</svg>)~")
                       .arg(root, body)
                       .toUtf8());
}
double distanceToSegment(Pt p, Pt a, Pt b) {
    const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
    const double t = len == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}
// The largest distance from any lit point to the curve, sampled finely.
double strayFrom(const Pts& lit, const std::function<Pt(double)>& curve) {
    double worst = 0;
    for (const Pt& p : lit) {
        double best = HUGE_VAL;
        for (int k = 0; k < 2000; ++k) best = std::min(best, distanceToSegment(p, curve(k / 2000.0), curve((k + 1) / 2000.0)));
        worst = std::max(worst, best);
    }
    return worst;
}
}  // namespace

// Hand-written drawings of known geometry: where their points land, which are held as corners,
// and how the outlines are reached.
TEST(SvgImport, PointsLieOnTheDrawnGeometry) {
    const auto bezier = [](Pt a, Pt b, Pt c, Pt d) {
        return [=](double t) {
            const double s = 1 - t;
            return Pt{s * s * s * a.x + 3 * s * s * t * b.x + 3 * s * t * t * c.x + t * t * t * d.x,
                      s * s * s * a.y + 3 * s * s * t * b.y + 3 * s * t * t * c.y + t * t * t * d.y};
        };
    };
    const auto circle = [](double cx, double cy, double r, double from = 0, double to = 2 * std::numbers::pi) {
        return [=](double t) {
            const double a = from + (to - from) * t;
            return fitted(cx + r * std::cos(a), cy + r * std::sin(a));
        };
    };
    const auto polyline = [](std::vector<Pt> corners) {
        return [=](double t) {
            const double at = t * double(corners.size() - 1);
            const size_t k = std::min(size_t(at), corners.size() - 2);
            const double f = at - double(k);
            const Pt a = fitted(corners[k].x, corners[k].y), b = fitted(corners[k + 1].x, corners[k + 1].y);
            return Pt{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
        };
    };
    const Pt q0 = fitted(0, 0), q1 = fitted(50, 100), q2 = fitted(100, 0);
    struct Case { const char* what; const char* body; std::function<Pt(double)> curve; int outlines, heldCorners, skipped = 0; };
    const Case cases[] = {
        {"rectangle", R"~(<rect x="10" y="20" width="80" height="60" stroke="red" fill="none"/>)~",
         polyline({{10, 20}, {90, 20}, {90, 80}, {10, 80}, {10, 20}}), 1, 3},
        {"rounded rectangle", R"~(<rect x="10" y="20" width="80" height="60" rx="10" stroke="red" fill="none"/>)~", nullptr, 1, 0},
        {"circle", R"~(<circle cx="50" cy="50" r="40" fill="lime"/>)~", circle(50, 50, 40), 1, 0},
        {"ellipse", R"~(<ellipse cx="50" cy="50" rx="40" ry="40" fill="lime"/>)~", circle(50, 50, 40), 1, 0},
        {"cubic", R"~(<path d="M0,50 C0,0 100,0 100,50" stroke="red" fill="none"/>)~",
         bezier(fitted(0, 50), fitted(0, 0), fitted(100, 0), fitted(100, 50)), 1, 0},
        {"quadratic", R"~(<path d="M0,0 Q50,100 100,0" stroke="red" fill="none"/>)~",
         bezier(q0, {q0.x + 2 * (q1.x - q0.x) / 3, q0.y + 2 * (q1.y - q0.y) / 3},
                {q2.x + 2 * (q1.x - q2.x) / 3, q2.y + 2 * (q1.y - q2.y) / 3}, q2), 1, 0},
        {"arc", R"~(<path d="M10,50 A40,40 0 0 1 90,50" stroke="red" fill="none"/>)~",
         circle(50, 50, 40, std::numbers::pi, 2 * std::numbers::pi), 1, 0},
        {"nested transforms", R"~(<g transform="translate(50 50)"><g transform="scale(2) rotate(90)"><polyline points="-10,-10 10,-10 10,10" stroke="blue" fill="none"/></g></g>)~",
         polyline({{70, 30}, {70, 70}, {30, 70}}), 1, 1},
        {"two subpaths, each an outline", R"~(<path d="M10,10 L20,20 M60,60 L70,70" stroke="red" fill="none"/>)~", nullptr, 2, 0},
        {"use, twice", R"~(<defs><path id="v" d="M0,0 L10,10 L20,0" stroke="red" fill="none"/></defs><use xlink:href="#v" x="10" y="10"/><use xlink:href="#v" x="60" y="80"/>)~",
         nullptr, 2, 2},
        {"a text element and a picture are left out", R"~(<text x="10" y="10">Hi</text><textArea>Hi</textArea><image x="0" y="0" width="10" height="10" xlink:href="a.png"/><line x1="0" y1="50" x2="100" y2="50" stroke="red"/>)~",
         polyline({{0, 50}, {100, 50}}), 1, 0, 3},
        {"a mask is not drawn", R"~(<mask id="m"><rect width="1000" height="1000" fill="white"/></mask><circle cx="50" cy="50" r="40" fill="lime" mask="url(#m)"/>)~",
         circle(50, 50, 40), 1, 0},
        {"what lies past the canvas is cut off", R"~(<polyline points="-200,90 50,90 50,-200 20,-200 20,10" stroke="red" fill="none"/>)~",
         polyline({{-200, 90}, {50, 90}, {50, -200}, {20, -200}, {20, 10}}), 2, 1},
    };
    for (const Case& c : cases) {
        const SvgDrawing d = svg(c.body);
        ASSERT_TRUE(d.ok) << c.what;
        WorkingFrame wf;
        wf.format = 1;
        const ImportReport r = importDrawing(wf, d, {5, 10, 3}, Ink(1), Palette{}, 256);
        const Pts all = ptsOf(wf.frame1->points.data(), wf.frame1->pointCount);
        Pts lit;
        int held = 0, litRuns = 0;  // each outline is one lit run, reached blanked
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].blanked) continue;
            lit.push_back(all[i]);
            held += i >= 2 && all[i] == all[i - 1] && all[i] == all[i - 2] && !all[i - 2].blanked;
            litRuns += i > 0 && all[i - 1].blanked;
            if (i > 0 && !all[i - 1].blanked) {
                EXPECT_LE(std::hypot(all[i].x - all[i - 1].x, all[i].y - all[i - 1].y), 5.01) << c.what;
            }
        }
        EXPECT_EQ(std::tuple(r.outlines, litRuns, held), std::tuple(c.outlines, c.outlines, c.heldCorners)) << c.what;
        if (c.curve) {
            EXPECT_LT(strayFrom(lit, c.curve), 1.0) << c.what;
        }
        EXPECT_EQ(d.skipped, c.skipped) << c.what;
    }
}

// A lone point is kept where it lies on the canvas, up to its very edges, and dropped past them.
TEST(SvgImport, ALonePointOnTheCanvasEdgeIsKept) {
    for (const Place p : {Place{0, 0}, Place{65534, 65534}, Place{-1, 0}, Place{0, 65535}})
        EXPECT_EQ(clippedToCanvas(Polyline{{p}}).size(), p.x >= 0 && p.y <= 65534 ? 1u : 0u) << p.x << ',' << p.y;
}

// The viewBox is what is fitted, whatever the units; without one, what is drawn.
TEST(SvgImport, FitsTheViewBoxOrTheDrawingIntoTheCanvas) {
    struct Case { const char* root; const char* body; Pt first, last; };
    const Case cases[] = {
        {R"~(width="10cm" height="5cm" viewBox="0 0 200 100")~", R"~(<line x1="0" y1="50" x2="200" y2="50" stroke="red"/>)~",
         {16, 255.99}, {495.98, 255.99}},
        {R"~(width="300" height="300")~", R"~(<line x1="100" y1="100" x2="100" y2="200" stroke="red"/>)~",
         {255.99, 495.98}, {255.99, 16}},
    };
    for (const Case& c : cases) {
        WorkingFrame wf;
        wf.format = 5;
        importDrawing(wf, svg(c.body, c.root), {5, 10, 3}, Ink(1), Palette{}, 256);
        const Pts pts = ptsOf(wf.frame5->points.data(), wf.frame5->pointCount);
        ASSERT_GT(pts.size(), 4u) << c.root;
        EXPECT_NEAR(pts[3].x, c.first.x, 0.01) << c.root;
        EXPECT_NEAR(pts[3].y, c.first.y, 0.01) << c.root;
        EXPECT_NEAR(pts.back().x, c.last.x, 0.01) << c.root;
        EXPECT_NEAR(pts.back().y, c.last.y, 0.01) << c.root;
    }
}

// Stroke before fill, gradients left out, black and unpainted outlines in the current colour;
// indexed frames take the nearest palette entry.
TEST_F(EditorFixture, OutlinesTakeTheirStrokeOrFillColour) {
    const SvgDrawing d = svg(R"~(<defs><linearGradient id="g"><stop offset="0" stop-color="red"/></linearGradient></defs>
        <line x1="0" y1="10" x2="100" y2="10" stroke="#ff0000" fill="blue"/>
        <rect x="10" y="20" width="10" height="10" fill="#00ff80"/>
        <rect x="10" y="40" width="10" height="10"/>
        <rect x="10" y="60" width="10" height="10" fill="none"/>
        <rect x="10" y="80" width="10" height="10" fill="url(#g)"/>)~");
    ASSERT_EQ(d.outlines.size(), 4u);
    EXPECT_EQ(d.skipped, 1);
    const Palette& pal = editor.palette;
    const NearestPaletteColor nearest(pal, paletteEntries(editor.settings.paletteChoice));
    const Ink ink(4, rgb(1, 2, 3));
    for (const uint8_t format : {1, 5}) {
        WorkingFrame wf;
        wf.format = format;
        importDrawing(wf, d, {5, 10, 3}, ink, pal, paletteEntries(editor.settings.paletteChoice));
        std::vector<Rgb> colours;  // the lit colours in the order drawn, each once
        wf.visit([&](const auto& r) {
            for (int i = 0; i < r.pointCount; ++i) {
                const auto& p = r.points[i];
                Rgb c;
                if constexpr (hasColorIndex<std::decay_t<decltype(p)>>()) {
                    c = p.colorIndex;
                } else {
                    c = rgb(p.red, p.green, p.blue);
                }
                if (!isBlanked(p) && (colours.empty() || colours.back() != c)) colours.push_back(c);
            }
        });
        const std::vector<Rgb> expected =
            format == 5 ? std::vector<Rgb>{rgb(255, 0, 0), rgb(0, 255, 128), ink.rgb}
                        : std::vector<Rgb>{nearest(rgb(255, 0, 0)), nearest(rgb(0, 255, 128)), ink.index};
        EXPECT_EQ(colours, expected) << int(format);
    }
}

// Import SVG in the editor: one drawing onto the frame as one undo step, several as frames
// after it in the order of their numbers, and files that are no drawing change nothing.
TEST_F(EditorFixture, ImportSvgOntoTheFrameOrAsNewFrames) {
    const auto write = [&](const QString& name, const QByteArray& body) {
        writeFile(folder.file(name), "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">" + body + "</svg>");
        return folder.file(name);
    };
    prompts.fileNames = {write("a.svg", "<rect x='0' y='0' width='10' height='10' stroke='red'/>")};
    editor.importSvg();  // nothing chosen yet: nothing happens
    EXPECT_EQ(prompts.fileNames.size(), 1u);
    editor.chooseThumbnail(0, true);
    editor.importSvg();
    const int drawn = editor.frame.pointCount();
    EXPECT_GT(drawn, 20);
    EXPECT_EQ(std::tuple(editor.history.undocounter(), editor.seq.fileChanged), std::tuple(2, true));
    EXPECT_EQ(editor.win.statusNote, QString("Imported a.svg: 1 outlines, %1 points, 0 elements left out.").arg(drawn));
    writeFile(folder.file("broken.svg"), "<svg><rect");
    writeFile(folder.file("plain.svg"), "no drawing at all");
    for (const char* name : {"broken.svg", "plain.svg"}) {
        prompts.fileNames = {folder.file(name)};
        editor.importSvg();
        EXPECT_EQ(prompts.messages.last(), QString("%1 could not be read as an SVG drawing: it is not an SVG drawing.").arg(name));
        EXPECT_EQ(std::tuple(editor.frame.pointCount(), editor.history.undocounter()), std::tuple(drawn, 2));
    }
    editor.frame.frame0->pointCount = MaxPoints - 5;
    prompts.fileNames = {folder.file("a.svg")};
    editor.importSvg();  // no room for the whole outline: none of it comes in
    EXPECT_EQ(std::tuple(editor.frame.pointCount(), editor.win.statusNote),
              std::tuple(MaxPoints - 5, QString("The frame is full: 0 of 1 outlines imported.")));
    editor.undo();
    // Five squares: as many whole ones as there is room for.
    QByteArray squares;
    for (int k = 0; k < 5; ++k) squares += QByteArray("<rect x='%1' y='10' width='10' height='10' stroke='red'/>").replace("%1", QByteArray::number(k * 20));
    editor.frame.frame0->pointCount = 0;
    prompts.fileNames = {write("squares.svg", squares)};
    editor.importSvg();
    const int all = editor.frame.pointCount();
    editor.undo();
    editor.frame.frame0->pointCount = MaxPoints - all / 2;
    prompts.fileNames = {folder.file("squares.svg")};
    editor.importSvg();
    EXPECT_EQ(editor.win.statusNote, "The frame is full: 2 of 5 outlines imported.");
    EXPECT_LE(editor.frame.pointCount(), MaxPoints);
    EXPECT_GT(editor.frame.pointCount(), MaxPoints - all / 2 + all / 5);
    editor.undo();
    editor.frame.frame0->pointCount = MaxPoints - 5;

    editor.addNewFrame();
    const QByteArray line = "<line x1='0' y1='50' x2='%1' y2='50' stroke='red'/>";
    QStringList files;
    for (int n : {10, 9, 1}) files << write(QString("frame%1.svg").arg(n), QByteArray(line).replace("%1", QByteArray::number(n * 10)));
    prompts.fileNames = {files.join('\n')};
    editor.importSvg();
    EXPECT_EQ(std::tuple(editor.seq.totalFrames, editor.seq.currentFrame), std::tuple(5, 1));
    EXPECT_EQ(editor.win.statusNote, "Imported 3 drawings as frames 2 to 4, 0 elements left out.");
    // Each line is as long as its number says: more points the longer, so 1, 9, 10 in order.
    const int counts[] = {slotHeader(2).pointCount(), slotHeader(3).pointCount(), slotHeader(4).pointCount(), slotHeader(5).pointCount()};
    EXPECT_TRUE(0 < counts[0] && counts[0] < counts[1] && counts[1] < counts[2]) << counts[0] << ' ' << counts[1] << ' ' << counts[2];
    EXPECT_EQ(counts[3], 0);  // the frame added before stays last
    EXPECT_EQ(slotHeader(1).pointCount(), MaxPoints - 5);

    // Cancel, one file or several: the frame, the sequence, Undo and the change mark stay as they were.
    editor.seq.fileChanged = false;
    prompts.cancelWork = true;
    const int before = editor.frame.pointCount(), undos = editor.history.undocounter();
    for (const QString& chosen : {folder.file("squares.svg"), files.join('\n')}) {
        prompts.fileNames = {chosen};
        editor.importSvg();
        EXPECT_EQ(std::tuple(editor.frame.pointCount(), editor.history.undocounter(), editor.seq.totalFrames, editor.seq.fileChanged),
                  std::tuple(before, undos, 5, false));
    }
    EXPECT_EQ(prompts.workCaptions.last(), "Importing drawings...");
}

// A drawing added to a frame with points is reached from the frame's last point by a blanked
// travel line, whatever lies in the record beyond it.
TEST(SvgImport, TheDrawingIsReachedFromTheFramesLastPoint) {
    WorkingFrame wf;
    wf.format = 1;
    Frame1& f = *wf.frame1;
    f.pointCount = 2;
    f.points[0] = point2D(0, 0), f.points[1] = point2D(-30000, -30000);
    for (int k = 2; k < 5; ++k) f.points[size_t(k)] = point2D(30000, 30000);  // left over from before
    importDrawing(wf, svg(R"~(<rect x="45" y="45" width="10" height="10" stroke="red"/>)~"), {5, 10, 3}, Ink(1), Palette{}, 256);
    ASSERT_GT(f.pointCount, 3);
    const Place first = placeOf(f.points[2]);
    EXPECT_TRUE(f.points[2].status & StatusBit::Blanked);
    EXPECT_LE(distance(first, placeOf(f.points[1])), 10 * 128 + 1) << first.x << ' ' << first.y;
}

// A clip path cuts what it clips, as an SVG renderer shows it: a filled shape to its visible
// area, a stroke to its pieces inside; a clip that cannot be applied leaves the element out.
TEST(SvgImport, ClipPathsCutWhatTheyClip) {
    struct Case { const char* what; const char* body; int outlines; QRectF bounds; int skipped; };
    const char* circle = R"~(<clipPath id="c"><circle cx="50" cy="50" r="30"/></clipPath>)~";
    const Case cases[] = {
        {"a filled rectangle in a circle", R"~(<rect width="100" height="100" fill="red" clip-path="url(#c)"/>)~", 1, {20, 20, 60, 60}, 0},
        {"clipped by its style", R"~(<rect width="100" height="100" fill="red" style="clip-path: url('#c')"/>)~", 1, {20, 20, 60, 60}, 0},
        {"half a rectangle", R"~(<clipPath id="h"><rect x="50" width="100" height="100"/></clipPath><rect width="100" height="50" fill="red" clip-path="url(#h)"/>)~", 1, {50, 0, 50, 50}, 0},
        {"a stroke wholly outside", R"~(<rect x="10" y="10" width="80" height="80" fill="none" stroke="red" clip-path="url(#c)"/>)~", 0, {}, 0},
        {"a line cut at both ends", R"~(<clipPath id="m"><rect x="25" width="50" height="100"/></clipPath><line x1="0" y1="50" x2="100" y2="50" stroke="red" clip-path="url(#m)"/>)~", 1, {25, 50, 50, 0}, 0},
        {"a line from far away, cut to the clip", R"~(<line x1="-1e15" y1="50" x2="1e15" y2="50" stroke="red" clip-path="url(#c)"/>)~", 1, {20, 50, 60, 0}, 0},
        {"a moved group, clipped in its own units", R"~(<clipPath id="g"><rect width="20" height="20"/></clipPath><g transform="translate(40 40)" clip-path="url(#g)"><rect width="50" height="50" fill="red"/></g>)~", 1, {40, 40, 20, 20}, 0},
        {"defined after its use", R"~(<rect width="100" height="100" fill="red" clip-path="url(#late)"/><clipPath id="late"><rect width="10" height="10"/></clipPath>)~", 1, {0, 0, 10, 10}, 0},
        {"sized by the element's box", R"~(<clipPath id="b" clipPathUnits="objectBoundingBox"><rect width="0.5" height="0.5"/></clipPath><rect width="100" height="100" fill="red" clip-path="url(#b)"/>)~", 0, {}, 1},
        {"a clip path that is not there", R"~(<rect width="100" height="100" fill="red" clip-path="url(#none)"/>)~", 0, {}, 1},
        {"no clip", R"~(<rect width="100" height="100" fill="red" clip-path="none"/>)~", 1, {0, 0, 100, 100}, 0},
        {"the first 500 clipped elements", nullptr, 500, {}, 1},
        {"two, painted by the file's style sheet", R"~(<style>.r{fill:#00ff00}</style><rect class="r" width="100" height="100" clip-path="url(#c)"/><rect class="r" x="60" y="60" width="40" height="40" clip-path="url(#c)"/>)~", 2, {20, 20, 60, 60}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray body = c.body ? QByteArray(c.body) : QByteArray();
        for (int k = 0; !c.body && k < 501; ++k) body += R"~(<rect x="40" y="40" width="5" height="5" fill="red" clip-path="url(#c)"/>)~";
        const SvgDrawing d = svg((QByteArray(circle) + body).constData());
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(std::pair(int(d.outlines.size()), d.skipped), std::pair(c.outlines, c.skipped));
        QRectF bounds;
        for (const DrawnOutline& o : d.outlines) bounds = bounds.united(o.transform.map(o.path).boundingRect());
        if (!c.body) continue;  // many: counted only
        for (const auto& [got, want] : {std::pair(bounds.left(), c.bounds.left()), {bounds.top(), c.bounds.top()},
                                        {bounds.width(), c.bounds.width()}, {bounds.height(), c.bounds.height()}})
            EXPECT_NEAR(got, want, 0.2);
        if (c.outlines > 1) {  // the shared style reaches each element drawn on its own
            for (const DrawnOutline& o : d.outlines) EXPECT_EQ(o.color, std::optional(rgb(0, 255, 0)));
        }
    }
}

// Outlines are drawn nearest first, so the beam never crosses the drawing to come back.
TEST(SvgImport, TheBeamTravelsToTheNearestOutlineNext) {
    const auto at = [](double x, double y) { return Polyline{{{x, y}, {x + 10, y}}}; };
    struct Case { std::vector<Polyline> lines; std::optional<Place> from; std::vector<size_t> order; };
    const Case cases[] = {
        {{at(0, 0), at(50000, 0), at(100, 0), at(50100, 0), at(200, 0)}, std::nullopt, {0, 2, 4, 1, 3}},
        {{at(0, 0), at(50000, 0), at(100, 0)}, Place{60000, 0}, {1, 2, 0}},
        {{at(500, 0), at(100, 0), at(100, 0)}, Place{0, 0}, {1, 2, 0}},  // equally near: in file order
        {{at(0, 60000), Polyline{}, at(65000, 65000), at(0, 0)}, Place{0, 0}, {3, 0, 2}},  // far apart, across the grid
        // From the edge of its cell the beam is nearer to a start two cells on than to one in the next
        // cell but one row up: the search goes on as long as a nearer start may lie further out.
        {{Polyline{{{1024, 2047}, {1030, 2047}}}, Polyline{{{2048, 0}, {2050, 0}}}}, Place{1023, 0}, {1, 0}},
        {{}, std::nullopt, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(travelOrder(c.lines, c.from), c.order);
}

// The work an import does is bounded by what a frame can take, not by what the file asks for:
// tracing stops once the frame is full, and a compressed drawing opens to 64 MB at most.
TEST(SvgImport, WorkIsBoundedByWhatCanComeOut) {
    QByteArray many;
    for (int k = 0; k < 5000; ++k)
        many += QByteArray("<rect x='%1' y='%2' width='1' height='1' stroke='red'/>").replace("%1", QByteArray::number(k % 70)).replace("%2", QByteArray::number(k / 70));
    const SvgDrawing d = readSvg("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 70 72'>" + many + "</svg>");
    WorkingFrame wf;
    const Palette palette = loadPalette(QString(), IldaPalette);
    const ImportReport r = importDrawing(wf, d, {5, 10, 3}, Ink(1, rgb(255, 0, 0)), palette, 256);
    EXPECT_EQ(r.outlines, 5000);
    EXPECT_LT(r.outlinesIn, 5000);
    EXPECT_LE(r.traced, 2 * r.outlinesIn + 2);  // no further than the traced points alone fill the frame
    EXPECT_LT(r.traced, r.outlines / 2);
    EXPECT_LE(wf.pointCount(), MaxPoints);

    // gzip members one after another are one drawing; one that opens past 64 MB is refused.
    const auto gzip = [](const QByteArray& plain) {
        QTemporaryDir dir;
        writeFile(dir.filePath("d"), plain);
        QProcess::execute("gzip", {"-n", dir.filePath("d")});
        return readFile(dir.filePath("d.gz"));
    };
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>", tail = "<circle r='3' cx='5' cy='5'/></svg>";
    const SvgDrawing joined = readSvg(gzip(head) + gzip(tail));
    EXPECT_TRUE(joined.ok) << joined.error.toStdString();
    EXPECT_EQ(joined.outlines.size(), 1u);
    const SvgDrawing bomb = readSvg(gzip(head + "<!--" + QByteArray(65 << 20, ' ') + "-->" + tail));
    EXPECT_EQ(std::pair(bomb.ok, bomb.error), std::pair(false, QString("it inflates to more than 64 MB")));
}

// What a drawing may ask for is bounded by what a frame can show: elements past the first
// 100000 are left out and counted, nesting past 128 levels is refused, and the clipped elements
// drawn on their own share one budget of elements read however large the shared defs are.
TEST(SvgImport, ADrawingIsReadOnlyAsFarAsAFrameCouldShow) {
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100'>";
    const QByteArray lit = "<path d='M10 10 L90 90' stroke='red'/>", lit2 = "<path d='M10 90 L90 10' stroke='red'/>";
    QByteArray defs = "<defs>";
    for (int i = 0; i < 19000; ++i) defs += "<path id='p" + QByteArray::number(i) + "' d='M0 0 L5 5'/>";
    QByteArray clipped = defs + "</defs><clipPath id='c'><rect width='100' height='100'/></clipPath>";
    for (int i = 0; i < 10; ++i) clipped += "<rect x='" + QByteArray::number(i * 9) + "' y='40' width='5' height='5' fill='red' clip-path='url(#c)'/>";
    struct Case { const char* what; QByteArray body; bool ok; size_t outlines; int skipped; QString error; };
    const Case cases[] = {
        {"the last element that fits is drawn", lit + QByteArray("<g/>").repeated(MaxSvgElements - 3) + lit2, true, 2, 0, {}},
        {"one past it is counted", lit + QByteArray("<g/>").repeated(MaxSvgElements - 2) + lit + lit, true, 1, 2, {}},
        {"128 levels are read", QByteArray("<g>").repeated(MaxSvgDepth - 2) + lit + QByteArray("</g>").repeated(MaxSvgDepth - 2), true, 1, 0, {}},
        {"129 are refused", QByteArray("<g>").repeated(MaxSvgDepth - 1) + lit + QByteArray("</g>").repeated(MaxSvgDepth - 1), false, 0, 0,
         "it nests elements more than 128 deep"},
        // 38000 elements read for each clipped rectangle: five fit in the budget, five are counted
        {"clipped elements share a budget", clipped, true, 5, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SvgDrawing d = readSvg(head + c.body + "</svg>");
        EXPECT_EQ(d.ok, c.ok);
        EXPECT_EQ(d.error, c.error);
        EXPECT_EQ(d.outlines.size(), c.outlines);
        EXPECT_EQ(d.skipped, c.skipped);
    }
}

// Nested <use> elements, each using the one before twice: a 2 KB file asks for millions of
// instances. With or without a viewBox it is read at once, with what it draws measured here.
TEST(SvgImport, NestedUsesAreNoBomb) {
    for (const bool viewBox : {false, true}) {
        QByteArray file = QByteArray("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'") +
                          (viewBox ? " viewBox='0 0 100 100'" : "") + "><defs><path id='g0' d='M0 0 L1 1' stroke='red'/>";
        for (int i = 1; i <= 22; ++i)
            file += QStringLiteral("<g id='g%1'><use xlink:href='#g%2'/><use xlink:href='#g%2' x='1'/></g>").arg(i).arg(i - 1).toLatin1();
        file += "</defs><use xlink:href='#g22'/></svg>";
        const SvgDrawing d = readSvg(file);
        SCOPED_TRACE(viewBox);
        ASSERT_TRUE(d.ok);
        EXPECT_GT(d.outlines.size(), 0u);
        EXPECT_LT(d.outlines.size(), 1000u);  // the instances drawn, not the millions asked for
        if (!viewBox) { EXPECT_TRUE(d.area.isValid()); }
    }
}

// A clipped element that cannot be drawn on its own (it names an entity of the file's DTD,
// which its small drawing lacks) is left out and counted, never drawn unclipped.
TEST(SvgImport, AClippedElementThatCannotBeDrawnAloneIsLeftOut) {
    const SvgDrawing d = readSvg(R"~(<!DOCTYPE svg [<!ENTITY side "100">]>
        <svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100"><clipPath id="c"><circle cx="50" cy="50" r="30"/></clipPath>
        <rect width="&side;" height="&side;" fill="red" clip-path="url(#c)"/><rect width="5" height="5" fill="red"/></svg>)~");
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    EXPECT_EQ(std::pair(int(d.outlines.size()), d.skipped), std::pair(1, 1));
}

// One outline more detailed than a frame: an empty frame takes as much of it as it holds and
// says the frame is full; a frame with points already takes none of it.
TEST_F(EditorFixture, AnOutlineLargerThanAFrameFillsAnEmptyOne) {
    QByteArray d = "M0 0";
    for (int i = 0; i < 30000; ++i) d += QByteArray(" L") + QByteArray::number(i % 1000) + (i % 2 ? " 0" : " 9");
    writeFile(folder.file("zigzag.svg"), "<svg xmlns='http://www.w3.org/2000/svg'><path stroke='red' d='" + d + "'/></svg>");
    editor.chooseThumbnail(0, true);
    prompts.fileNames = {folder.file("zigzag.svg")};
    editor.importSvg();
    EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.win.statusNote), std::pair(MaxPoints, QString(FrameFullNote)));
    editor.undo();
    editor.frame.frame0->pointCount = 1;
    prompts.fileNames = {folder.file("zigzag.svg")};
    editor.importSvg();
    EXPECT_EQ(std::pair(editor.frame.pointCount(), editor.win.statusNote),
              std::pair(1, QString("The frame is full: 0 of 1 outlines imported.")));
}
