// The real main window, offscreen: its menu bar, controls, canvas pixels, wheel and closing.
#include "WindowFixture.h"
#include "shell/AboutDialog.h"
#include "shell/Editor.h"
#include "shell/MainWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class MainWindowTest : public QObject {
    Q_OBJECT

    using Fixture = WindowFixture;

private slots:
    void startsWithItsCommandsAndReadOutsInPlace() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor"));
        for (const char* name : {"mnuUndo", "mnuPasteSel", "mnuPasteFrame"}) QVERIFY(!f.window.action(name)->isEnabled());
        QCOMPARE(f.window.action("mnuNewFrame")->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(f.window.action("mnuUndo")->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(f.window.action("mnuFrmProperties")->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(f.window.findChild<QToolButton*>("ChkTools0")->isChecked());
        f.window.findChild<QToolButton*>("ChkTools3")->click();
        QCOMPARE(int(f.editor.tools.current()), int(CircleTool));
        QCOMPARE(f.label("LblPointsNumber")->text(), QString("0"));
        QCOMPARE(f.label("LblColorIntensity")->text(), QString("R:255 G:255 B:255"));
        QCOMPARE(f.label("LblPointSpace")->text(), QString("5"));
        QCOMPARE(f.label("LblBlankSpace")->text(), QString("10"));
    }

    void wheelOverTheWindowScrollsTheStrip() {
        Fixture f;
        for (int i = 0; i < 11; ++i) f.window.action("mnuNewFrame")->trigger();
        auto* scroll = f.window.findChild<QScrollBar*>("VScroll1");
        QCOMPARE(scroll->maximum(), 3);
        QWidget* canvas = f.window.findChild<QWidget*>("PicEdit");
        const auto turn = [&](int delta, Qt::KeyboardModifiers mods) {
            QWheelEvent e(QPointF(10, 10), canvas->mapToGlobal(QPointF(10, 10)), {}, {0, delta}, Qt::NoButton, mods,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(canvas, &e);
        };
        turn(-120, Qt::ControlModifier);  // no notch recognised yet
        QCOMPARE(scroll->value(), 0);
        turn(-120, Qt::NoModifier);
        QCOMPARE(scroll->value(), 1);
        QCOMPARE(f.label("LblFrameNumber0")->text(), QString("5"));
        turn(240, Qt::ControlModifier);  // repeats the last step
        QCOMPARE(scroll->value(), 2);
        turn(120, Qt::NoModifier);
        QCOMPARE(scroll->value(), 1);
    }

    void exitLeavesTheBufferFileAndClosingRemovesIt() {
        {
            Fixture f;
            f.editor.settings.gridStep = 40;
            f.window.action("mnuExit")->trigger();
            QCOMPARE(f.quits, 1);
            f.window.close();  // the program is ending: closing now must not tidy up
            QVERIFY(QFile::exists(f.folder.bufferPath()));
            QCOMPARE(loadConfig(f.folder.file("config.dat")).gridStep, uint8_t(10));
        }
        Fixture f;
        f.editor.settings.gridStep = 40;
        f.window.close();
        QVERIFY(!QFile::exists(f.folder.bufferPath()));
        QCOMPARE(loadConfig(f.folder.file("config.dat")).gridStep, uint8_t(40));
    }

    void aboutBoxWritesTheBuildDateAsPeopleDo() {
        QCOMPARE(buildDate("Dec  6 2026"), QString("6 December 2026"));
        QCOMPARE(buildDate("Jan 12 2027"), QString("12 January 2027"));
    }

    void choosingAColorShowsItsComponents() {
        Fixture f;
        QWidget* strip = f.window.findChild<QWidget*>("PicPalette");
        QTest::mouseClick(strip, Qt::RightButton, {}, QPoint(2, 3));
        QCOMPARE(int(f.editor.currentColor), 2);
        QCOMPARE(f.label("LblColorIntensity")->text(), QString("R:255 G:0 B:0"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
