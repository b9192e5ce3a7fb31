// The tools driven the way a user drives them: real mouse events on the window's canvas.
#include "WindowFixture.h"
#include "tools/PointAccess.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QToolButton>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class CanvasToolsTest : public QObject {
    Q_OBJECT

    // The window with frame 1 chosen in the strip; positions in canvas pixels, y upward.
    struct Canvas : WindowFixture {
        Canvas() { QTest::mouseClick(thumb(0), Qt::LeftButton); }
        QWidget* canvas() { return widget("PicEdit"); }
        void tool(int index) { window.findChild<QToolButton*>(QString("ChkTools%1").arg(index))->click(); }
        void send(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held) {
            const QPointF at(p.x(), 511 - p.y());
            QMouseEvent e(type, at, canvas()->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(canvas(), &e);
        }
        void press(QPointF p, Qt::MouseButton b = Qt::LeftButton) { send(QEvent::MouseButtonPress, p, b, b); }
        void move(QPointF p, Qt::MouseButtons held = Qt::LeftButton) { send(QEvent::MouseMove, p, Qt::NoButton, held); }
        void release(QPointF p, Qt::MouseButton b = Qt::LeftButton) { send(QEvent::MouseButtonRelease, p, b, {}); }
        void drag(int t, QPointF from, QPointF to, Qt::MouseButton b = Qt::LeftButton) {
            tool(t);
            press(from, b);
            move((from + to) / 2, b);
            move(to, b);
            release(to, b);
        }
        Frame0& frame() { return *editor.frame.frame0; }
        int count() { return frame().pointCount; }
        Pixel at(int i) { return pixelOf(frame().points[i]); }
        QColor shown(int x, int row) { return canvas()->grab().toImage().pixelColor(x, row); }
    };

private slots:
    // What each tool shows while the mouse moves, and what it leaves, on the real canvas.
    void toolsShowTheirFeedbackOnTheCanvas() {
        Canvas c;
        c.tool(LineTool);
        c.press({300, 100});
        c.move({300, 120});
        QCOMPARE(c.shown(300 + 1, 511 - 110), QColor(255, 255, 255));  // the future points
        QCOMPARE(c.count(), 0);
        c.release({300, 120});
        QCOMPARE(c.count(), 6);
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.count(), 0);

        c.drag(PointTool, {100, 100}, {100, 100});
        c.drag(PointTool, {150, 120}, {150, 120}, Qt::RightButton);
        c.drag(PointTool, {200, 200}, {200, 200}, Qt::BackButton);  // Back and Forward do not draw
        c.drag(PointTool, {200, 200}, {200, 200}, Qt::ForwardButton);
        QCOMPARE(c.count(), 2);
        QCOMPARE(c.text("LblPointsNumber"), QString("2"));
        QCOMPARE(c.shown(100, 512 - 100 + 1), QColor(255, 255, 255));  // the point's circle, colour 1
        QCOMPARE(c.shown(150, 512 - 120 + 1), QColor(96, 96, 96));      // a blanked point is grey

        c.tool(MoveTool);
        c.press({102, 101});
        c.move({150, 130});
        QCOMPARE(c.shown(148 + 1, 512 - 129), QColor(255, 255, 255));  // moved by the offset
        c.release({152, 131});
        QCOMPARE(c.at(0).x, 150);

        c.tool(SelectTool);
        c.press({150, 130});
        c.release({150, 130});
        QCOMPARE(c.shown(150, 512 - 130 - 4), QColor(0, 255, 255));  // the selection circle

        QTest::mouseClick(c.widget("PicPalette"), Qt::LeftButton, {}, QPoint(2, 2));
        c.drag(RecolorTool, {150, 130}, {150, 130});
        QCOMPARE(c.frame().points[0].colorIndex, uint8_t(2));
        QCOMPARE(c.shown(150, 512 - 130 - 1), QColor(255, 0, 0));
    }

    // From nothing to a saved file, the way a user works, and back again.
    void drawSaveAndReopen() {
        Canvas c;
        c.drag(LineTool, {50, 50}, {50, 100});
        c.drag(CircleTool, {200, 200}, {230, 230});
        c.drag(RectangleTool, {300, 300}, {350, 330});
        c.window.findChild<QCheckBox*>("ChkPenMode")->setChecked(true);
        c.tool(PointTool);
        c.press({400, 100});
        for (int x = 401; x <= 440; ++x) c.move({double(x), 100.0 + (x - 400) / 4});
        c.release({440, 110});
        const int drawn = c.count();
        c.window.action("mnuObjectSelect")->trigger();
        // A point on the ellipse's right side (angle 1.5) selects the ellipse with the blanked
        // point its beam starts from; its top is shared with the end of the travel line.
        c.drag(SelectTool, {230, 202}, {230, 202});
        const int first = c.editor.frame.selStart, last = c.editor.frame.selEnd;
        QVERIFY(last - first > 30);
        c.drag(MoveTool, {230, 202}, {210, 212});
        QCOMPARE(c.at(first + 1).x, 180);
        c.drag(DeleteTool, {50, 50}, {50, 50});
        QCOMPARE(c.count(), drawn - 1);
        c.window.action("mnuUndo")->trigger();
        c.window.action("mnuUndo")->trigger();  // the delete and the move are gone
        QCOMPARE(c.count(), drawn);
        QCOMPARE(c.at(first + 1).x, 200);
        const QByteArray expected(reinterpret_cast<const char*>(c.frame().points.data()), drawn * 8);

        const QString out = c.folder.file("drawn.ild");
        c.prompts.fileNames = {out};
        c.window.action("mnuSaveAs")->trigger();
        c.prompts.fileNames = {out};
        c.window.action("mnuOpen")->trigger();
        QCOMPARE(c.editor.seq.totalFrames, 1);
        QTest::mouseClick(c.thumb(0), Qt::LeftButton);
        QCOMPARE(c.count(), drawn);
        QByteArray reread(reinterpret_cast<const char*>(c.frame().points.data()), drawn * 8);
        QCOMPARE(uint8_t(reread[8 * (drawn - 1) + 6]) & 128, 128);  // the last point carries its bit
        reread[8 * (drawn - 1) + 6] = char(uint8_t(reread[8 * (drawn - 1) + 6]) & 127);
        QCOMPARE(reread, expected);
    }
};

QTEST_MAIN(CanvasToolsTest)
#include "CanvasToolsTest.moc"
