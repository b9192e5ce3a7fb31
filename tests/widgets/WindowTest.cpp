// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, offscreen, driven as a user drives it: menus, mouse events on the
// canvas and the strip, the wheel, scripted file dialogs.
#include "IldaBuilder.h"
#include "WindowFixture.h"
#include "ilda/IldaOpen.h"
#include "shell/AboutDialog.h"
#include "shell/HandOver.h"
#include "shell/SingleInstance.h"
#include "shell/TransformDialog.h"
#include "shell/TweenDialog.h"
#include "shell/QtPrompts.h"
#include "text/TextDialog.h"
#include "tools/PointAccess.h"
#include "view/NoteLabel.h"
#include "view/Placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QThread>
#include <atomic>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QMenuBar>
#include <QMimeData>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class WindowTest : public QObject {
    Q_OBJECT

    using Fixture = WindowFixture;
    // The window with frame 1 chosen in the strip; positions in canvas pixels, y upward.
    struct Canvas : WindowFixture {
        Canvas() { QTest::mouseClick(thumb(0), Qt::LeftButton); }
        QWidget* canvas() { return widget("PicEdit"); }
        void tool(int index) { window.findChild<QToolButton*>(QString("ChkTools%1").arg(index))->click(); }
        Qt::KeyboardModifiers keys;  // held with the mouse
        void send(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held) {
            const QPointF at(p.x(), 511 - p.y());
            QMouseEvent e(type, at, canvas()->mapToGlobal(at), button, held, keys);
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
    void startsWithItsCommandsAndReadOutsInPlace() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor"));
        QVERIFY(!f.window.findChild<QMenu*>("mnuRecent")->menuAction()->isEnabled());  // nothing opened yet
        for (const char* name : {"mnuUndo", "mnuPasteSel", "mnuPasteFrame", "mnuImportSvg", "mnuOptimise"})
            QVERIFY(!f.window.action(name)->isEnabled());
        QCOMPARE(f.window.action("mnuImportSvg")->shortcut(), QKeySequence("Ctrl+I"));
        QCOMPARE(f.window.action("mnuNewFrame")->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(f.window.action("mnuFrmProperties")->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(f.window.findChild<QToolButton*>("ChkTools0")->isChecked() && f.window.action("mnuBeamMode")->isCheckable());
        f.window.findChild<QToolButton*>("ChkTools3")->click();
        QCOMPARE(int(f.editor.tools.current()), int(CircleTool));
        QVERIFY(!f.window.findChild<QToolButton*>("ChkTools0")->isChecked() && f.window.action("mnuObjectSelect")->isCheckable());
        QCOMPARE(f.text("LblPointsNumber") + '|' + f.text("LblPointSpace") + '|' + f.text("LblBlankSpace"), QString("0|5|10"));
        QCOMPARE(f.text("LblColorIntensity"), QString("R:255 G:255 B:255"));
        QTest::mouseClick(f.widget("PicPalette"), Qt::RightButton, {}, QPoint(2, 3));
        QCOMPARE(f.text("LblColorIntensity"), QString("R:255 G:0 B:0"));
        QCOMPARE(buildDate("2026-12-06") + ", " + buildDate("2027-01-12"), QString("6 December 2026, 12 January 2027"));
        const AboutDialog about;
        QVERIFY(about.findChild<QLabel*>("AboutVersion")->text().startsWith("Version 0."));
    }

    // A notch anywhere over the window scrolls the strip; the notch rules are the editor's: a
    // sideways turn is no notch, and with a button, Shift or Ctrl held a notch goes the last notch's
    // way. Over the canvas Ctrl zooms instead, about the pointer.
    void wheelOverTheWindowScrollsTheStrip() {
        Fixture f;
        for (int i = 0; i < 15; ++i) f.window.action("mnuNewFrame")->trigger();
        QWidget *canvas = f.widget("PicEdit"), *palette = f.widget("PicPalette");
        struct Turn { QWidget* over; QPoint angle; Qt::MouseButton button; Qt::KeyboardModifier key; int position, divisor; };
        for (const Turn& t : {Turn{canvas, {0, -120}, Qt::NoButton, Qt::NoModifier, 1, 128}, Turn{canvas, {-120, 0}, Qt::NoButton, Qt::NoModifier, 1, 128},
                              Turn{canvas, {0, 120}, Qt::LeftButton, Qt::NoModifier, 2, 128}, Turn{palette, {0, 120}, Qt::NoButton, Qt::ControlModifier, 3, 128},
                              Turn{canvas, {0, 120}, Qt::NoButton, Qt::ControlModifier, 3, 64}, Turn{canvas, {0, 60}, Qt::NoButton, Qt::ControlModifier, 3, 64},
                              Turn{canvas, {0, 60}, Qt::NoButton, Qt::ControlModifier, 3, 32}, Turn{canvas, {0, -240}, Qt::NoButton, Qt::ControlModifier, 3, 128},
                              Turn{canvas, {0, 120}, Qt::NoButton, Qt::NoModifier, 2, 128}}) {
            QWheelEvent e(QPointF(10, 10), t.over->mapToGlobal(QPointF(10, 10)), {}, t.angle, t.button, t.key, Qt::NoScrollPhase, false);
            QApplication::sendEvent(t.over, &e);
            QCOMPARE(f.window.findChild<QScrollBar*>("VScroll1")->value(), t.position);
            QCOMPARE(f.editor.canvas.grid().divisor, t.divisor);
        }
        QCOMPARE(f.text("LblFrameNumber0"), QString("9"));
    }

    void exitLeavesTheBufferFileAndClosingRemovesIt() {
        for (bool exit : {true, false}) {
            Fixture f;
            f.editor.settings.gridStep = 40;
            if (exit) f.window.action("mnuExit")->trigger();
            QCOMPARE(f.quits, int(exit));
            f.window.close();  // after Exit the program is ending: closing must not tidy up
            QCOMPARE(QFile::exists(f.folder.bufferPath()), exit);
            QCOMPARE(loadConfig(f.folder.file("config.dat")).gridStep, uint8_t(exit ? 10 : 40));
        }
    }

    // What each tool shows while the mouse moves, and what it leaves, on the real canvas.
    void toolsShowTheirFeedbackOnTheCanvas() {
        Canvas c;
        c.move({10, 491}, Qt::NoButton);  // no button held: the read-outs follow the mouse
        QCOMPARE(c.text("LblX") + ' ' + c.text("LblY"), QString("-31488 30080"));
        c.tool(LineTool);
        c.press({300, 100});
        c.move({300, 120});
        QCOMPARE(c.shown(300 + 1, 511 - 110), QColor(255, 255, 255));  // the future points
        QCOMPARE(c.count(), 0);
        c.release({300, 120});
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.count(), 0);

        c.drag(PointTool, {100, 100}, {100, 100});
        c.drag(PointTool, {150, 120}, {150, 120}, Qt::RightButton);
        c.drag(PointTool, {200, 200}, {200, 200}, Qt::BackButton);  // Back and Forward do not draw
        c.drag(PointTool, {200, 200}, {200, 200}, Qt::ForwardButton);
        QCOMPARE(c.text("LblPointsNumber") + ' ' + c.text("LblScanRate"), QString::fromUtf8("2 2 points · 15000.0 fps at 30 kpps"));
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
        c.window.action("mnuToTrueColor")->trigger();
        c.window.action("mnuShowPrevious")->trigger();
        QVERIFY(c.editor.frame.format == 5 && c.window.action("mnuShowPrevious")->isChecked() && c.editor.showPreviousFrame);
    }

    // From nothing to a saved file with real drags and a pen stroke, and back again.
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
        QVERIFY(drawn > 60);
        const QByteArray expected(reinterpret_cast<const char*>(c.frame().points.data()), drawn * 8);
        const QString out = c.folder.file("drawn.ild");
        c.prompts.fileNames = {out, out};
        c.window.action("mnuSaveAs")->trigger();
        c.window.action("mnuOpen")->trigger();
        QTest::mouseClick(c.thumb(0), Qt::LeftButton);
        QByteArray reread(reinterpret_cast<const char*>(c.frame().points.data()), c.count() * 8);
        QCOMPARE(uint8_t(reread[8 * (drawn - 1) + 6]) & 128, 128);  // the last point carries its bit
        reread[8 * (drawn - 1) + 6] = char(uint8_t(reread[8 * (drawn - 1) + 6]) & 127);
        QCOMPARE(reread, expected);

        // Back again from Recent Files, which lists it once although it was saved and opened.
        auto* recent = c.window.findChild<QMenu*>("mnuRecent");
        QVERIFY(recent->menuAction()->isEnabled());
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions()[0]->text(), "&1 " + out);
        c.window.action("mnuNew")->trigger();
        c.window.action("mnuRecent1")->trigger();
        QTest::mouseClick(c.thumb(0), Qt::LeftButton);
        QCOMPARE(c.count(), drawn);
    }

    // Frames and points through the clipboard, status and deleting frames, each as a user does it
    // with the menus, the strip and the canvas.
    void clipboardStatusAndDeletionWorkflows() {
        Canvas c;
        const auto act = [&](const char* name) { c.window.action(name)->trigger(); };
        for (int x : {100, 140, 180}) c.drag(PointTool, {double(x), 100}, {double(x), 100});
        act("mnuCopyFrame");
        QVERIFY(c.window.action("mnuPasteFrame")->isEnabled());
        act("mnuNewFrame");
        QTest::mouseClick(c.thumb(1), Qt::LeftButton);
        act("mnuPasteFrame");
        QCOMPARE(c.text("LblPointsNumber"), QString("3"));

        c.tool(SelectTool);  // blank points 1 and 2 and see them grey; cut them and paste them back
        for (double x : {140, 180}) c.press({x, 100}), c.release({x, 100});
        act("mnuBlankedStatus");
        QCOMPARE(c.shown(160, 512 - 100), QColor(96, 96, 96));
        act("mnuCutSel");
        QCOMPARE(c.count(), 1);
        act("mnuPasteSel");
        QCOMPARE(c.frame().points[c.count() - 1].status & 64, 64);

        act("mnuNewFrame");  // frames 1..3; choose 2..3 in the strip, frame 3 loaded, and delete
        QTest::mouseClick(c.thumb(2), Qt::LeftButton);
        QTest::mouseClick(c.thumb(1), Qt::RightButton);
        QCOMPARE(c.menuShown, (QStringList{"Insert Frame", "Duplicate Frame", "Move Frame Earlier", "Move Frame Later",
                                           "Delete Frames"}));
        act("mnuDeleFrames");
        QCOMPARE(c.editor.seq.totalFrames, 1);
        QCOMPARE(c.text("LblFrameNumber1"), QString());
    }

    // The status bar and the read-outs say how things are after each command, not before it.
    void readOutsShowTheStateAfterEachCommand() {
        Canvas c;
        c.drag(PointTool, {10, 10}, {10, 10});
        c.frame().pointCount = MaxPoints;
        c.drag(LineTool, {50, 50}, {90, 50});
        QCOMPARE(c.window.note(), QString("The frame is full (20000 points)."));
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.window.note(), QString());
        QCOMPARE(c.text("LblPointsNumber"), QString("20000"));
        c.drag(LineTool, {50, 50}, {90, 50});  // the note again, gone once a frame is chosen
        QVERIFY(!c.window.note().isEmpty());
        QTest::mouseClick(c.thumb(0), Qt::LeftButton);
        QCOMPARE(c.window.note(), QString());
        c.prompts.answers = {Answer::No};
        c.window.action("mnuNew")->trigger();
        QCOMPARE(c.text("LblPointsNumber"), QString("0"));
        QVERIFY(!c.window.action("mnuUndo")->isEnabled());
    }

    // On a true-colour frame the RGB button offers any colour; indexed frames keep the strip.
    void trueColourFramesTakeAnyColour() {
        Canvas c;
        QVERIFY(c.window.action("mnuImportSvg")->isEnabled() && c.window.action("mnuOptimise")->isEnabled());
        auto* button = c.window.findChild<QToolButton*>("CmdTrueColor");
        QVERIFY(button->isHidden());
        c.window.action("mnuToTrueColor")->trigger();
        QVERIFY(!button->isHidden());
        c.window.chooseColor = [](QColor) { return QColor(10, 200, 30); };
        button->click();
        QCOMPARE(c.text("LblColorIntensity"), QString("R:10 G:200 B:30"));
        c.drag(PointTool, {100, 100}, {100, 100});
        const PointTrue2D& p = c.editor.frame.frame5->points[0];
        QCOMPARE(rgb(p.red, p.green, p.blue), rgb(10, 200, 30));
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("CmdOK")->click(); });
        c.window.action("mnuViewOptions")->trigger();  // OK with nothing changed keeps the picked colour
        QCOMPARE(c.text("LblColorIntensity"), QString("R:10 G:200 B:30"));
    }

    // The frame commands wait for a frame to work around; the note is never cut off unread:
    // shortened in the middle, whole in its tool tip; each tool's tip says how it is used.
    void commandsNotesAndTipsSayWhatIsTrue() {
        Fixture f;
        f.window.show();
        const char* aroundTheFrame[] = {"mnuInsertFrame", "mnuDuplicateFrame", "mnuFrameEarlier", "mnuFrameLater"};
        for (const char* name : aroundTheFrame) QVERIFY2(!f.window.action(name)->isEnabled(), name);
        QTest::mouseClick(f.thumb(0), Qt::LeftButton);
        for (const char* name : aroundTheFrame) QVERIFY2(f.window.action(name)->isEnabled(), name);

        f.prompts.fileNames = {f.folder.file(QString(60, 'x') + " show for the client.ild")};
        f.window.action("mnuExportSdCard")->trigger();
        auto* note = f.window.findChild<NoteLabel*>("LblNote");
        QVERIFY(note->note().startsWith("Exported 1 frames for SD-card projectors to "));
        QCOMPARE(note->toolTip(), note->note());
        QVERIFY(note->shownText().contains(QChar(0x2026)));  // too long for the bar: shortened
        QVERIFY(note->shownText().endsWith("SD cards may need a name like SHOW01.ILD."));
        QVERIFY(note->shownText().startsWith("Exported 1 frames"));
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor"));  // an export names nothing

        for (QToolButton* tool : f.window.findChildren<QToolButton*>(QRegularExpression("^ChkTools")))
            QVERIFY2(tool->toolTip().split(' ').size() >= 6, qPrintable(tool->toolTip()));
    }

    // The keys of every editor, pressed on the window: select all, copy, delete (the clipboard
    // keeps its points), paste them back; the frame keys; every key bound once.
    void theKeysOfEveryEditor() {
        Canvas f;
        const std::pair<const char*, const char*> keys[] = {
            {"mnuCopySel", "Ctrl+C"},        {"mnuCutSel", "Ctrl+X"},        {"mnuPasteSel", "Ctrl+V"},
            {"mnuCopyFrame", "Ctrl+Shift+C"}, {"mnuCutFrame", "Ctrl+Shift+X"}, {"mnuPasteFrame", "Ctrl+Shift+V"},
            {"mnuDeleteSel", "Del"},          {"mnuSelectAll", "Ctrl+Shift+A"}, {"mnuExit", "Ctrl+Q"},
            {"mnuNewFrame", "Ctrl+A"},        {"mnuTransform", "Ctrl+T"},      {"mnuZoomIn", "Ctrl++"},
            {"mnuZoomOut", "Ctrl+-"},         {"mnuZoomFit", "Ctrl+0"},        {"mnuActualSize", "Ctrl+1"},
        };
        for (const auto& [name, key] : keys) QCOMPARE(f.window.action(name)->shortcut(), QKeySequence(key));
        QSet<QString> bound;
        for (QAction* a : f.window.findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts()) {
                QVERIFY2(!bound.contains(k.toString()), qPrintable(k.toString()));
                bound.insert(k.toString());
            }

        f.window.show();
        QApplication::setActiveWindow(&f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.tool(1);  // Point
        for (const int x : {100, 200, 300}) f.press({qreal(x), 200}), f.release({qreal(x), 200});
        QCOMPARE(f.count(), 3);
        QTest::keySequence(&f.window, QKeySequence("Ctrl+Shift+A"));
        QTest::keySequence(&f.window, QKeySequence("Ctrl+C"));
        QTest::keyClick(&f.window, Qt::Key_Delete);
        QCOMPARE(f.count(), 0);
        QVERIFY(f.window.action("mnuPasteSel")->isEnabled());  // the copy is still there
        QTest::keySequence(&f.window, QKeySequence("Ctrl+V"));
        QCOMPARE(f.count(), 3);
        QTest::keyClick(&f.window, Qt::Key_Delete);  // nothing selected: nothing goes
        QCOMPARE(f.count(), 3);
        for (const auto& [key, divisor] : {std::pair{"Ctrl+=", 64}, {"Ctrl++", 32}, {"Ctrl+-", 64}, {"Ctrl+1", 128}}) {
            QTest::keySequence(&f.window, QKeySequence(key));
            QCOMPARE(f.editor.canvas.grid().divisor, divisor);
        }
    }

    // A file dropped on the window from a file manager: accepted only when it is local files, and
    // an ILDA file among them opens.
    void droppedFilesOpen() {
        Fixture f;
        const QString show = IldaBuilder().section(1, 5, 2).section(1, 5, 2).save(f.folder.file("show.ild"));
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&f.window, &enter);
            if (!enter.isAccepted()) return false;
            QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&f.window, &dropped);
            return true;
        };
        QVERIFY(!drop({QUrl("https://example.invalid/show.ild")}));  // not a file here: refused
        QVERIFY(drop({QUrl::fromLocalFile(show)}));
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor: show.ild"));
        QCOMPARE(f.editor.seq.totalFrames, 2);
    }

    // Edit > Transform... on the real dialog: a half turn of the whole frame about its centre, kept
    // for the next time the dialog opens; Cancel changes nothing.
    void transformDialogTurnsTheFrame() {
        Canvas c;
        c.drag(PointTool, {100, 100}, {100, 100});
        c.drag(PointTool, {300, 200}, {300, 200});
        double shownDegrees = 0;
        for (const bool ok : {true, false}) {
            c.window.prepareTransformDialog = [&](TransformDialog& d) {
                shownDegrees = d.findChild<QDoubleSpinBox*>("TxtRotate")->value();
                QVERIFY(!d.findChild<QCheckBox*>("ChkOverFrames")->isEnabled());  // one frame selected
                QTimer::singleShot(0, [&d, ok] {
                    auto* degrees = d.findChild<QDoubleSpinBox*>("TxtRotate");
                    degrees->selectAll();
                    QTest::keyClicks(degrees, "180");  // typed: keys reach the dialog
                    d.findChild<QComboBox*>("CboAbout")->setCurrentIndex(1);
                    ok ? d.accept() : d.reject();
                });
            };
            c.window.action("mnuTransform")->trigger();
            QCOMPARE(c.at(0).x * 1000 + c.at(0).y, 300 * 1000 + 200);
            QCOMPARE(c.at(1).x * 1000 + c.at(1).y, 100 * 1000 + 100);
        }
        QCOMPARE(shownDegrees, 180.0);
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.at(0).x * 1000 + c.at(0).y, 100 * 1000 + 100);
    }

    // Zoomed in, the view pans by its scroll bars, a middle drag and Space with a left drag; at the
    // normal view the middle button still draws. Escape ends a drag with nothing drawn.
    void theViewZoomsPansAndEscapeEndsADrag() {
        Canvas c;
        const auto left = [&] { return c.editor.canvas.viewPort().left; };
        auto* across = c.window.findChild<QScrollBar*>("HScrollCanvas");
        QVERIFY(!across->isEnabled());
        c.drag(PointTool, {100, 100}, {100, 100}, Qt::MiddleButton);  // 1×: a blanked point, as always
        QCOMPARE(c.count(), 1);
        c.window.action("mnuZoomIn")->trigger();
        QCOMPARE(c.editor.canvas.grid().divisor, 64);
        QVERIFY(across->isEnabled() && across->maximum() == 1024 - 512 && across->value() == 256);
        across->setValue(300);
        QCOMPARE(left(), 300);
        c.drag(PointTool, {100, 100}, {60, 100}, Qt::MiddleButton);  // zoomed in, the middle button pans
        QCOMPARE(left(), 340);
        QCOMPARE(c.count(), 1);
        c.move({10, 10}, Qt::NoButton);  // the pointer over the canvas
        QTest::keyPress(&c.window, Qt::Key_Space);
        c.drag(PointTool, {100, 100}, {120, 100});
        QTest::keyRelease(&c.window, Qt::Key_Space);
        QCOMPARE(left(), 320);
        QCOMPARE(across->value(), 320);
        QCOMPARE(c.count(), 1);
        c.tool(LineTool);
        c.press({100, 100});
        c.move({200, 200});
        QTest::keyClick(&c.window, Qt::Key_Escape);
        c.release({200, 200});
        QCOMPARE(c.count(), 1);
        c.window.action("mnuActualSize")->trigger();
        QCOMPARE(c.editor.canvas.grid().divisor, 128);
        QVERIFY(!across->isEnabled());
    }

    // The Transform tool through real mouse events: Shift held with the mouse snaps a turn.
    void transformToolTurnsWithShift() {
        Canvas c;
        c.drag(PointTool, {100, 100}, {100, 100});
        c.drag(PointTool, {200, 100}, {200, 100});  // the box 100..200 × 100, centre (150, 100)
        c.keys = Qt::ShiftModifier;
        c.drag(TransformTool, {210, 110}, {142, 162});  // about 93 degrees: 90 with Shift
        QCOMPARE(c.at(0).x * 1000 + c.at(0).y, 150 * 1000 + 50);
        QCOMPARE(c.at(1).x * 1000 + c.at(1).y, 150 * 1000 + 150);
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.at(0).x * 1000 + c.at(0).y, 100 * 1000 + 100);
    }

    // Edit > Tween... on the real dialog: key B offered at the next frame, three new frames
    // inserted, eased in.
    void tweenDialogInsertsInBetweens() {
        Canvas c;
        c.drag(PointTool, {100, 100}, {100, 100});
        c.window.action("mnuNewFrame")->trigger();
        QVERIFY(c.window.action("mnuTween")->isEnabled());  // frame 1 of 2
        c.window.prepareTweenDialog = [&](TweenDialog& d) {
            QTimer::singleShot(0, [&d] {
                QCOMPARE(d.findChild<QSpinBox*>("SpinKeyB")->value(), 2);
                QVERIFY(d.findChild<QRadioButton*>("OptInsert")->isChecked());  // nothing between to replace
                d.findChild<QSpinBox*>("SpinCount")->setValue(3);
                d.findChild<QComboBox*>("CboEasing")->setCurrentIndex(1);
                d.accept();
            });
        };
        c.window.action("mnuTween")->trigger();
        QCOMPARE(c.editor.seq.totalFrames, 5);
        QCOMPARE(c.editor.buffer.readHeader(2)->pointCount(), 1);  // each in-between has the key's one point
    }

    // `quorvel FILE` started while a copy runs in its folder gives the file to that copy's window,
    // which opens it, and ends without a word.
    void aSecondStartHandsItsFileToTheRunningWindow() {
        Fixture f;
        const QString show = IldaBuilder().section(1, 5, 2).section(1, 5, 2).save(f.folder.file("show.ild"));
        QTemporaryDir folder, runtime;  // the copies' program folder, the user's runtime folder
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        for (const char* name : {"ilda.dat", "pangolin.dat"})
            QVERIFY(QFile::copy(QString(QUORVEL_DATA_DIR "/") + name, folder.filePath(name)));
        QVERIFY(QFile::copy(QUORVEL_EDITOR, folder.filePath("quorvel")));
        QLockFile lock(folder.filePath("quorvel.lock"));
        QCOMPARE(claimProgramFolder(lock), FolderClaim::Ours);  // this window is the running copy
        QVERIFY(!handOverFile(handOverSocket(folder.path()), show, 500));  // nobody listening yet: not taken
        QProcess second;
        HandOverServer server([&](const QString& path) {
            // The save question's own event loop runs before the file opens, while the second
            // copy ends and its socket closes: the socket must not go from under the hand-over.
            QEventLoop question;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (second.state() == QProcess::NotRunning) QTimer::singleShot(200, &question, &QEventLoop::quit);
            });
            poll.start(20);
            question.exec();
            f.window.takeHandedOverFile(path);
        });
        QVERIFY(server.listen(handOverSocket(folder.path())));
        second.start(folder.filePath("quorvel"), {show});
        QTRY_COMPARE_WITH_TIMEOUT(f.window.windowTitle(), QString("Quorvel Laser Editor: show.ild"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0, true);
        QCOMPARE(f.editor.seq.totalFrames, 2);
    }

    // The tool icons are drawn in the buttons' text colour: on a dark palette they turn light, and
    // back again, so they never vanish into the background.
    void toolIconsFollowThePalette() {
        Fixture f;
        auto* pointer = f.window.findChild<QToolButton*>("ChkTools0");
        const auto inkOf = [&] {  // the pointer arrow is ink alone: its most opaque pixel
            const QImage icon = pointer->icon().pixmap(24, 24).toImage();
            QColor most(Qt::transparent);
            for (int y = 0; y < icon.height(); ++y)
                for (int x = 0; x < icon.width(); ++x)
                    if (icon.pixelColor(x, y).alpha() > most.alpha()) most = icon.pixelColor(x, y);
            return most;
        };
        for (const QColor text : {QColor(235, 235, 235), QColor(20, 20, 20)}) {
            QPalette palette = f.window.palette();
            palette.setColor(QPalette::ButtonText, text);
            palette.setColor(QPalette::Button, QColor(255 - text.red(), 255 - text.green(), 255 - text.blue()));
            f.window.setPalette(palette);
            QCOMPARE(inkOf().rgb(), text.rgb());
        }
    }

    // Ten frames, stopped while the third is up: the third stays, and the controls that rested
    // while frames played are back.
    void playTenFramesAndStopAfterTheThird() {
        Fixture f;
        for (int frame = 2; frame <= 10; ++frame) f.window.action("mnuNewFrame")->trigger();
        storeFrame(f.editor.buffer, 3, {Point3D{}, point3D(16385, 16385, 0, 2)});
        QWidget* stop = f.widget("CmdStop");
        int waits = 0;
        f.window.waitForEvents = [&] {
            QVERIFY(!f.widget("PicEdit")->isEnabled() && !f.widget("CmdPlay")->isEnabled());
            QVERIFY(!f.window.menuBar()->actions().at(0)->isEnabled() && stop->isEnabled());
            ++waits == 3 ? QTest::mouseClick(stop, Qt::LeftButton) : f.editor.playback.tick();
        };
        QTest::mouseClick(f.widget("CmdPlay"), Qt::LeftButton);
        QCOMPARE(waits, 3);
        QCOMPARE(QColor(f.editor.canvas.image().pixel(320, 192)), QColor(255, 0, 0));
        QVERIFY(f.widget("PicEdit")->isEnabled() && f.window.menuBar()->actions().at(0)->isEnabled());
    }

    // Every option through the dialog, Frame Info through its own, and all of it after a restart.
    void optionsAndNamesSurviveARestart() {
        auto f = std::make_unique<Fixture>();
        const auto answer = [](const std::function<void(QDialog*)>& fill) {
            QTimer::singleShot(0, [fill] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                fill(dialog);
                dialog->findChild<QPushButton*>("CmdOK")->click();
            });
        };
        answer([](QDialog* d) {
            QCOMPARE(std::pair(d->findChild<QSlider*>("Slider1")->singleStep(), d->findChild<QSlider*>("Slider1")->pageStep()), std::pair(10, 10));
            for (auto [name, value] : {std::pair{"Slider1", 40}, {"Slider2", 3}, {"Slider3", 16}})
                d->findChild<QSlider*>(name)->setValue(value);
            QCOMPARE(d->findChild<QLabel*>("LblPlayFPS")->text(), QString("16"));
            QCOMPARE(d->findChild<QLabel*>("Picture1")->pixmap().toImage().pixel(0, 0), qRgb(255, 255, 255));  // the sample's white ground
            d->findChild<QComboBox*>("Combo1")->setCurrentIndex(0);
            d->findChild<QSpinBox*>("SpinCornerDwell")->setValue(5);
        });
        f->window.action("mnuViewOptions")->trigger();
        QCOMPARE(f->label("LblColorIntensity")->text(), QString("R:255 G:16 B:0"));  // Pangolin's colour 1
        QTest::mouseClick(f->thumb(0), Qt::LeftButton);
        answer([](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("LblNumber")->text() + d->findChild<QLabel*>("LblTotalFrames")->text(), QString("11"));
            d->findChild<QLineEdit*>("Text1")->setText("intro");
        });
        f->window.action("mnuFrmProperties")->trigger();
        QCOMPARE(f->editor.frameInfo().name, QString("intro   "));
        const QString folder = f->folder.path();
        f->folder.keep();
        f->window.show();
        f->prompts.answers = {Answer::Cancel};  // the names changed the file: closing asks, and stays
        QVERIFY(!f->window.close() && f->window.isVisible());
        f->prompts.answers = {Answer::No};
        QVERIFY(f->window.close());
        f.reset();
        ScriptedPrompts prompts;
        Editor editor(folder, prompts);
        MainWindow window(editor);
        QCOMPARE(editor.viewOptions(), (ViewOptions{40, 3, 16, PangolinPalette, 30, 5}));
        QCOMPARE(window.findChild<QLabel*>("LblColorIntensity")->text(), QString("R:255 G:16 B:0"));
        QDir(folder).removeRecursively();
    }

    // The text tool as a user works it: press, type, turn, another font, OK; Undo takes it back.
    // The dialog comes up beside the canvas, then where the user left it; the font dialog opens
    // on the font drawn, and a character the font lacks is named under the text.
    void textDialogTypesPreviewsAndConverts() {
        Canvas c;
        QPoint shownAt;
        QString initialFamily, missing;
        c.window.prepareTextDialog = [&](TextDialog& d) {
            shownAt = d.pos();
            d.chooseFont = [&](FontChoice& choice) {
                initialFamily = choice.family;
                choice.family = "DejaVu Sans";
                return true;
            };
            QTimer::singleShot(0, [&d, &c, &missing] {
                auto* line = d.findChild<QLineEdit*>("Text1");
                QTest::keyClicks(line, "Laser 8 ");
                line->insert(QStringLiteral("\u4E2D"));  // typed through an input method
                missing = d.findChild<QLabel*>("LblMissing")->text();
                line->setText(" ");  // blank text names nothing
                missing += d.findChild<QLabel*>("LblMissing")->text();
                line->setText(QStringLiteral("Laser 8 \u4E2D"));
                QVERIFY(c.editor.canvas.image() != c.editor.canvas.snapshot());  // the preview is up
                auto* turn = d.findChild<QScrollBar*>("HScroll1");
                QVERIFY(turn->minimum() == 0 && turn->maximum() == 36 && turn->value() == 18);
                turn->setValue(20);
                missing += QString::number(c.editor.text.angle());  // 6 degrees a step from the middle
                d.findChild<QToolButton*>("CmdFont")->click();
                QCOMPARE(d.findChild<QLabel*>("LblFontName")->text(), QString("DejaVu Sans"));
                d.move(d.pos() + QPoint(15, 25));
                d.findChild<QPushButton*>("CmdOK")->click();
            });
        };
        const QImage before = c.canvas()->grab().toImage();
        c.drag(TextTool, {100, 100}, {100, 100});
        QVERIFY(c.count() > 100);
        QVERIFY(c.canvas()->grab().toImage() != before);
        QCOMPARE(initialFamily, QString("Liberation Serif"));  // standing in for Times New Roman here
        QCOMPARE(missing, QString::fromUtf8("Not in this font, so left out: \u4E2D12"));
        const QRect canvas(c.canvas()->mapToGlobal(QPoint(0, 0)), c.canvas()->size());
        TextDialog probe(c.editor.text, [] {});
        probe.adjustSize();
        QCOMPARE(shownAt, placeBeside(canvas, probe.size(), c.window.screen()->availableGeometry()));
        const QPoint firstAt = shownAt;
        c.window.action("mnuUndo")->trigger();
        QCOMPARE(c.count(), 0);
        c.window.prepareTextDialog = [&](TextDialog& d) {
            shownAt = d.pos();
            QTimer::singleShot(0, [&d] { d.findChild<QPushButton*>("CmdCancel")->click(); });
        };
        c.drag(TextTool, {100, 100}, {100, 100});
        QCOMPARE(shownAt, firstAt + QPoint(15, 25));
    }

    void dialogsGoBesideWhatTheyKeepClear() {
        const QRect screen(0, 0, 1000, 800), canvas(100, 50, 512, 512);
        struct Case { QRect keepClear; QSize size; QPoint at; };
        const Case cases[] = {
            {canvas, {300, 200}, {620, 50}},                    // right of it, top to top
            {canvas.translated(380, 0), {300, 200}, {172, 50}},  // no room right: left
            {{100, 50, 880, 300}, {300, 200}, {100, 358}},     // nor left: below
            {{100, 500, 880, 290}, {300, 200}, {100, 292}},    // nor below: above
            {{100, 100, 880, 500}, {300, 200}, {100, 600}},    // nowhere: the roomiest side, on the screen
            {{100, 700, 200, 90}, {300, 200}, {308, 600}},     // right, lifted to stay on the screen
        };
        for (const Case& c : cases) QCOMPARE(placeBeside(c.keepClear, c.size, screen), c.at);
    }

    // The real question box: each button gives its answer, and over a long command the wait
    // cursor gives way to the normal one while it is up and comes back after it.
    void questionBoxesAnswerAndGiveTheCursorBack() {
        QtPrompts prompts;
        prompts.setBusy(true);
        const std::pair<QMessageBox::StandardButton, Answer> cases[] = {
            {QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
        for (const auto& [button, answer] : cases) {
            QTimer::singleShot(0, [button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box && !QApplication::overrideCursor());
                box->button(button)->click();
            });
            QCOMPARE(int(prompts.askYesNoCancel(SaveQuestion)), int(answer));
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            if (button == QMessageBox::Cancel) continue;  // a question without Cancel
            QTimer::singleShot(0, [button] { qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(button)->click(); });
            QCOMPARE(int(prompts.askYesNo(SaveQuestion)), int(answer));
        }
        prompts.setBusy(false);
        QVERIFY(!QApplication::overrideCursor());
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            shown = box->icon();
            box->accept();
        });
        prompts.message(SaveQuestion, MessageIcon::Critical);
        QCOMPARE(shown, QMessageBox::Critical);
    }

    // Work away from the window: a quick one shows no dialog; a long one shows the caption with
    // Cancel while the window's own events go on, and Cancel asks the work to stop and waits for it.
    void longWorkShowsProgressAndCancels() {
        QtPrompts prompts;
        int steps = 0;
        QVERIFY(prompts.whileWorking(ImportingDrawings, [&](WorkProgress&) { ++steps; }));
        QCOMPARE(steps, 1);
        QVERIFY(!QApplication::activeModalWidget());

        std::atomic<bool> release{false}, askedToStop{false};
        bool sawCaption = false, stillRunning = false;
        QTimer ticks;  // the window's own timers fire all the while: it keeps painting
        int ticked = 0;
        QObject::connect(&ticks, &QTimer::timeout, [&] { ++ticked; });
        ticks.start(20);
        QTimer::singleShot(400, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            const auto labels = dialog->findChildren<QLabel*>();
            sawCaption = !labels.isEmpty() && labels.front()->text() == ImportingDrawings;
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
            QTimer::singleShot(100, [&, dialog, label = labels.value(0)] {  // it waits for the work to stop before it closes
                stillRunning = QApplication::activeModalWidget() == dialog && label && label->text() == CancellingWork;
                release = true;
            });
        });
        const bool finished = prompts.whileWorking(ImportingDrawings, [&](WorkProgress& progress) {
            progress.total = 3;
            while (!release) QThread::msleep(5);
            askedToStop = bool(progress.cancelled);
        });
        QVERIFY(!finished && askedToStop);
        QVERIFY(sawCaption && stillRunning);
        QVERIFY(ticked > 5);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void openAndBrowseASample() {
        Fixture f;
        const QString sample = QStringLiteral(QUORVEL_SAMPLES_DIR "/laserdac-writer-test.ild");
        // Names on this system are case-sensitive: the dialog offers both spellings.
        QCOMPARE(QtPrompts::qtFilter(IldaFilter), QString("ILDA Files *.ILD (*.ild *.ILD)"));
        f.prompts.fileNames = {sample};
        f.window.action("mnuOpen")->trigger();
        const FrameScan scan = seekFrames(sample);
        QCOMPARE(f.editor.seq.totalFrames, scan.framesFound);
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor: laserdac-writer-test.ild"));
        QCOMPARE(f.text("LblPointsNumber"), QString::number(scan.headerOf(1).pointCount()));

        // Scroll one step: the strip moves by four frames.
        auto* scroll = f.window.findChild<QScrollBar*>("VScroll1");
        QCOMPARE(scroll->maximum(), (scan.framesFound - 1) / 4);
        scroll->setValue(1);
        QCOMPARE(f.text("LblFrameNumber0"), QString("5"));

        // Left click frame 6, right click frame 8: frames 6..8 selected, frame 8 loaded.
        QTest::mouseClick(f.thumb(1), Qt::LeftButton);
        QTest::mouseClick(f.thumb(3), Qt::RightButton);
        const Sequence& seq = f.editor.seq;
        QVERIFY(seq.selFrameStart == 6 && seq.selFrameLen == 3 && seq.currentFrame == 8 && seq.editEnabled);
        QVERIFY(!f.window.action("mnuUndo")->isEnabled());  // nothing to undo yet
        QCOMPARE(f.text("LblPointsNumber"), QString::number(f.editor.buffer.readHeader(8)->pointCount()));
        QCOMPARE(f.thumb(1)->grab().toImage().pixelColor(0, 0), f.window.palette().color(QPalette::Highlight));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
