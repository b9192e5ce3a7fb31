// SPDX-License-Identifier: GPL-3.0-or-later
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

    // The dialog and the status bar say how the output stands at every moment: armed on a
    // projector that listens; back to "Arm", with the reason, once nothing answers.
    void theDialogShowsTheOutputsRealState() {
        IdnReceiver listening;
        const quint16 closed = closedPort();
        struct Case { QString address; bool stays; QString reason; };
        const Case cases[] = {
            {QStringLiteral("127.0.0.1:%1").arg(listening.port()), true, QString()},
            {QStringLiteral("127.0.0.1:%1").arg(closed), false, QStringLiteral("Nothing answers at 127.0.0.1:%1.").arg(closed)},
            {QString(), false, QStringLiteral("No projector address was given.")},
            {QStringLiteral("127.0.0.1:x"), false,  // refused before anything is looked up or sent
             QStringLiteral("127.0.0.1:x is no projector address: type HOST, HOST:PORT or [IPv6]:PORT.")},
        };
        for (const Case& c : cases) {
            WindowFixture f;
            QString button, note;
            QTimer::singleShot(0, [&] {
                auto* d = qobject_cast<LaserDialog*>(QApplication::activeModalWidget());
                QVERIFY(d);
                d->findChild<QComboBox*>("CmbProjector")->setEditText(c.address);
                auto* arm = d->findChild<QPushButton*>("CmdArm");
                arm->click();
                // A closed port shows at the first datagrams after arming.
                static_cast<void>(QTest::qWaitFor([&] { return (arm->text() == "Disarm") == c.stays; }, c.stays ? 300 : 3000));
                button = arm->text(), note = d->findChild<QLabel*>("LblLaserNote")->text();
                d->accept();
            });
            f.window.action("mnuLaserOutput")->trigger();
            QCOMPARE(std::pair(button, note), std::pair(QString(c.stays ? "Disarm" : "Arm"), c.reason));
            QCOMPARE(f.widget("LblLaser")->isHidden(), !c.stays);
            if (!c.stays) QVERIFY(f.window.note().endsWith(": " + c.reason));
        }
    }

    // Closing the window while armed darkens the beam twice before the channel closes.
    void closingTheWindowDarkensBeforeTheChannelCloses() {
        IdnReceiver projector;
        auto f = std::make_unique<WindowFixture>();
        f->editor.more.laser.address = QStringLiteral("127.0.0.1:%1").arg(projector.port());
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<LaserDialog*>(QApplication::activeModalWidget());
            d->findChild<QPushButton*>("CmdArm")->click();
            d->accept();
        });
        f->window.action("mnuLaserOutput")->trigger();
        projector.collect(50);
        QVERIFY(f->window.close());
        f.reset();
        projector.collect(100, [&] { return projector.sessionCloses() > 0; });
        const auto isChannelClose = [](const QByteArray& d) {
            return d.size() >= 8 && uint8_t(d[0]) == idn::Command::ChannelMessage && uint8_t(d[7]) == idn::Chunk::Void;
        };
        const auto close = std::find_if(projector.got.begin(), projector.got.end(), isChannelClose);
        QVERIFY(close != projector.got.end());
        const auto frames = projector.frames();
        QVERIFY(frames.size() >= 2);
        const size_t at = size_t(close - projector.got.begin());
        for (size_t k : {frames.size() - 2, frames.size() - 1}) {
            QCOMPARE(frames[k].samples, idn::blackout(frames[k].samples.front()));
            QVERIFY(frames[k].lastDatagram < at);
        }
        QCOMPARE(projector.got.size(), at + 2);  // the session's close, and nothing after
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
