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
    void menuBarMatchesTheCommandTable() {
        Fixture f;
        // menu, caption (or "-" for a separator), object name, shortcut, enabled, checkable
        struct Row { const char* menu; const char* caption; const char* name; const char* key; bool enabled; bool checkable; };
        const Row rows[] = {
            {"File", "New File", "mnuNew", "", true, false},
            {"File", "Add New Frame", "mnuNewFrame", "Ctrl+A", true, false},
            {"File", "-", "mnuFile01", "", true, false},
            {"File", "Open", "mnuOpen", "", true, false},
            {"File", "Save As...", "mnuSaveAs", "", true, false},
            {"File", "-", "mnuFile00", "", true, false},
            {"File", "Exit", "mnuExit", "", true, false},
            {"Edit", "Undo", "mnuUndo", "Ctrl+Z", false, false},
            {"Edit", "-", "mnuEdit00", "", true, false},
            {"Edit", "Select All", "mnuSelectAll", "", true, false},
            {"Edit", "Cut Points", "mnuCutSel", "", true, false},
            {"Edit", "Copy Points", "mnuCopySel", "", true, false},
            {"Edit", "Paste Points", "mnuPasteSel", "", false, false},
            {"Edit", "-", "mnuEdit01", "", true, false},
            {"Edit", "Cut Frame", "mnuCutFrame", "", true, false},
            {"Edit", "Copy Frame", "mnuCopyFrame", "", true, false},
            {"Edit", "Paste Frame", "mnuPasteFrame", "", false, false},
            {"Edit", "-", "mnuEdit002", "", true, false},
            {"Edit", "Status", "mnuStatusItem", "", true, false},
            {"Edit", "-", "mnuEdit02", "", true, false},
            {"Edit", "Delete Frames", "mnuDeleFrames", "", true, false},
            {"Edit", "-", "mnuEdit03", "", true, false},
            {"Edit", "Object Selection Mode", "mnuObjectSelect", "", true, true},
            {"View", "Beam Mode", "mnuBeamMode", "", true, true},
            {"View", "-", "mnuView00", "", true, false},
            {"View", "Load Image", "mnuLoadImage", "", true, false},
            {"View", "Remove Image", "mnuRemoveImage", "", true, false},
            {"View", "-", "mnuView01", "", true, false},
            {"View", "View Options", "mnuViewOptions", "", true, false},
            {"Info", "Frame Info", "mnuFrmProperties", "F1", true, false},
            {"Info", "About", "mnuAbout", "", true, false},
        };
        QList<QAction*> actual;
        QStringList menus;
        for (QAction* top : f.window.menuBar()->actions()) {
            menus << top->text();
            for (QAction* a : top->menu()->actions()) actual << a;
        }
        QCOMPARE(menus, (QStringList{"File", "Edit", "View", "Info"}));
        QCOMPARE(actual.size(), int(std::size(rows)));
        for (int i = 0; i < actual.size(); ++i) {
            const Row& r = rows[i];
            QAction* a = actual[i];
            QCOMPARE(a->objectName(), QString(r.name));
            QCOMPARE(a->isSeparator() ? QString("-") : a->text(), QString(r.caption));
            QCOMPARE(a->shortcut(), QKeySequence(r.key));
            QCOMPARE(a->isEnabled(), r.enabled);
            QCOMPARE(a->isCheckable(), r.checkable);
        }
        QMenu* status = f.window.action("mnuStatusItem")->menu();
        QVERIFY(status);
        QCOMPARE(status->actions().at(0)->text(), QString("Visible"));
        QCOMPARE(status->actions().at(1)->text(), QString("Blanked"));
        QCOMPARE(f.window.windowTitle(), QString("Quorvel Laser Editor"));
    }

    void toolButtonsStandInTheirOrderWithTheirHints() {
        Fixture f;
        QList<QToolButton*> buttons;
        for (int i = 0; i <= 10; ++i) buttons << f.window.findChild<QToolButton*>(QString("ChkTools%1").arg(i));
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        const auto left = [](QWidget* w) { return w->mapTo(w->window(), QPoint()).x(); };
        std::sort(buttons.begin(), buttons.end(), [&](auto* a, auto* b) { return left(a) < left(b); });
        QStringList names, hints;
        for (auto* b : buttons) names << b->objectName(), hints << b->toolTip();
        QCOMPARE(names, (QStringList{"ChkTools0", "ChkTools1", "ChkTools2", "ChkTools3", "ChkTools10", "ChkTools9",
                                     "ChkTools4", "ChkTools5", "ChkTools6", "ChkTools7", "ChkTools8"}));
        QCOMPARE(hints, (QStringList{"", "Point", "Line", "Circle", "Rectangle", "Create Text", "Select", "Move",
                                     "Insert", "Recolor", "Delete"}));
        QVERIFY(buttons[0]->isChecked());
        buttons[3]->click();
        QCOMPARE(int(f.editor.tools.current()), int(CircleTool));
        QVERIFY(!buttons[0]->isChecked());
        QCOMPARE(f.label("LblPointsNumber")->text(), QString("0"));
        QCOMPARE(f.label("LblColorIntensity")->text(), QString("R:255 G:255 B:255"));
        QCOMPARE(f.label("LblPointSpace")->text(), QString("5"));
        QCOMPARE(f.label("LblBlankSpace")->text(), QString("10"));
    }

    void drawnPointShowsItsColorInBothViews() {
        Fixture f;
        Frame1& fr = *f.editor.frame.frame1;
        f.editor.frame.format = 1;
        fr.pointCount = 2;
        fr.points[0] = point2D(-16384, -16384, 0, 2);  // red, pixel (128, 384)
        fr.points[1] = point2D(16385, 16385, 0, 4);    // green, pixel (384, 128)
        QAction* beam = f.window.action("mnuBeamMode");
        for (bool beamView : {true, false}) {
            beam->trigger();
            QCOMPARE(beam->isChecked(), beamView);
            QCOMPARE(f.label("LblPointsNumber")->text(), QString("2"));
            const QImage shown = f.window.findChild<QWidget*>("PicEdit")->grab().toImage();
            QCOMPARE(QColor(shown.pixel(129, 384)), QColor(255, 0, 0));
            QCOMPARE(QColor(shown.pixel(385, 128)), QColor(0, 255, 0));
            // The segment or ray leading to the second point is drawn in its colour.
            const QPoint onLead = beamView ? QPoint(320, 192) : QPoint(256, 256);
            QCOMPARE(QColor(shown.pixel(onLead)), QColor(0, 255, 0));
        }
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
