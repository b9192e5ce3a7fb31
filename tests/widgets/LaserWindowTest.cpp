// Laser output from the real window to a projector on the loopback address: armed in its
// dialog, every edit on the projector at its next frame, played frames sent, dark on Stop.
#include "IdnReceiver.h"
#include "WindowFixture.h"
#include "laser/LaserFrames.h"
#include "shell/LaserDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

class LaserWindowTest : public QObject {
    Q_OBJECT
private slots:
    void armDrawPlayAndStop() {
        WindowFixture f;
        IdnReceiver projector;
        const QString address = QStringLiteral("127.0.0.1:%1").arg(projector.port());
        const auto lastFrame = [&] { return projector.frames().back().samples; };
        QVERIFY(f.widget("LblLaser")->isHidden());
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<LaserDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QComboBox*>("CmbProjector")->setEditText(address);
            d->findChild<QPushButton*>("CmdArm")->click();
            QCOMPARE(d->findChild<QPushButton*>("CmdArm")->text() + d->findChild<QLabel*>("LblLaserNote")->text(), QString("Disarm"));
            d->accept();
        });
        f.window.action("mnuLaserOutput")->trigger();
        QCOMPARE(f.text("LblLaser"), "Laser: " + address + QString::fromUtf8(" · 30 kpps · sending"));
        projector.collect(100);
        QCOMPARE(lastFrame(), idn::blackout());  // no frame chosen yet: dark

        QTest::mouseClick(f.thumb(0), Qt::LeftButton);
        f.editor.chooseTool(LineTool);
        QWidget* canvas = f.widget("PicEdit");
        for (const auto& [type, x] : {std::pair{QEvent::MouseButtonPress, 100}, {QEvent::MouseMove, 300}, {QEvent::MouseButtonRelease, 300}}) {
            QMouseEvent e(type, QPointF(x, 200), canvas->mapToGlobal(QPointF(x, 200)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(canvas, &e);
        }
        QVERIFY(f.editor.frame.pointCount() > 30);
        projector.collect(100);
        QCOMPARE(lastFrame(), idn::frameSamples(f.editor.frame, f.editor.palette, {}));
        QCOMPARE(projector.frames().back().duration, idn::frameDuration(int(lastFrame().size()), 30000));  // at 30 kpps

        f.window.action("mnuNewFrame")->trigger();
        storeFrame(f.editor.buffer, 2, {test::point2D(5000, 5000), test::point2D(-5000, 5000)});
        int waits = 0;
        f.window.waitForEvents = [&] {
            projector.collect(30);
            ++waits == 2 ? QTest::mouseClick(f.widget("CmdStop"), Qt::LeftButton) : f.editor.playback.tick();
        };
        QTest::mouseClick(f.widget("CmdPlay"), Qt::LeftButton);
        projector.collect(100);
        WorkingFrame second;
        f.editor.buffer.copyFrameToRam(2, second);
        const auto frames = projector.frames();
        const std::vector<idn::Sample> played = idn::frameSamples(second, f.editor.palette, {});
        QVERIFY(std::any_of(frames.begin(), frames.end(), [&](const ReceivedFrame& r) { return r.samples == played; }));
        // Stop ends the frames, not the output: the working frame is back on the projector.
        QCOMPARE(projector.sessionCloses(), 0);
        QCOMPARE(lastFrame(), idn::frameSamples(f.editor.frame, f.editor.palette, {}));
        QVERIFY(!f.widget("LblLaser")->isHidden());
        f.window.action("mnuDisarmLaser")->trigger();  // F12: dark, then closed
        projector.collect(100);
        QCOMPARE(projector.sessionCloses(), 1);
        QCOMPARE(lastFrame(), idn::blackout(lastFrame().front()));
        QVERIFY(f.widget("LblLaser")->isHidden());
        QCOMPARE(f.window.note(), QString("Laser output disarmed."));
    }

    // Find lists the units that answered and picks the one chosen before by its ID; an address
    // typed over the list is taken as it stands.
    void findPicksTheKnownUnitAndTypingOverridesIt() {
        LaserDialog d({"127.0.0.1:7255", "0a02", "Stage left", 30, {}}, false);
        const QHostAddress here(QHostAddress::LocalHost);
        d.find = [&] { return std::vector<idn::FoundUnit>{{here, {"\x0a\x02", "Stage left"}}, {here, {"\x0a\x01", "Stage right"}}}; };
        d.findChild<QPushButton*>("CmdFind")->click();
        QCOMPARE(d.findChild<QComboBox*>("CmbProjector")->currentText(), QString("Stage left (127.0.0.1)"));
        QCOMPARE(std::tuple(d.chosen().address, d.chosen().unitId, d.chosen().name), std::tuple(QString("127.0.0.1"), QString("0a02"), QString("Stage left")));
        d.findChild<QComboBox*>("CmbProjector")->setEditText("127.0.0.1:7300");
        QCOMPARE(std::tuple(d.chosen().address, d.chosen().unitId, d.chosen().name), std::tuple(QString("127.0.0.1:7300"), QString(), QString("127.0.0.1:7300")));
    }
};

QTEST_MAIN(LaserWindowTest)
#include "LaserWindowTest.moc"
