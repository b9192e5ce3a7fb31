// Laser output from the real window to a projector on the loopback address: armed in its
// dialog, every edit on the projector at its next frame, played frames sent, dark on Stop.
#include "WindowFixture.h"
#include "laser/LaserFrames.h"
#include "shell/LaserDialog.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::test;

namespace {
// The samples of every whole frame that arrives (fragments joined), and the closes.
struct Projector {
    QUdpSocket socket;
    std::vector<std::vector<idn::Sample>> frames;
    int closes = 0;
    Projector() { socket.bind(QHostAddress::LocalHost, 0); }
    void collect(int ms) {
        const QDeadlineTimer until(ms);
        QByteArray pending;
        while (!until.hasExpired()) {
            QCoreApplication::processEvents();
            if (!socket.waitForReadyRead(5)) continue;
            while (socket.hasPendingDatagrams()) {
                QByteArray d(qsizetype(socket.pendingDatagramSize()), '\0');
                socket.readDatagram(d.data(), d.size());
                const int type = d.size() > 7 ? uint8_t(d[7]) : -1;
                const bool configured = d.size() > 6 && (uint8_t(d[6]) & 0x40) && type != idn::Chunk::Sequel;
                if (uint8_t(d[0]) == idn::Command::CloseSession) ++closes;
                if (type == idn::Chunk::Frame || type == idn::Chunk::FirstFragment) pending = d.mid(configured ? 36 : 16);
                if (type == idn::Chunk::Sequel) pending += d.mid(12);
                if (type == idn::Chunk::Frame || (type == idn::Chunk::Sequel && (uint8_t(d[6]) & 0x40))) {
                    std::vector<idn::Sample> s;
                    for (int at = 0; at + 8 <= pending.size(); at += 8)
                        s.push_back({int16_t(uint8_t(pending[at]) << 8 | uint8_t(pending[at + 1])),
                                     int16_t(uint8_t(pending[at + 2]) << 8 | uint8_t(pending[at + 3])), uint8_t(pending[at + 4]),
                                     uint8_t(pending[at + 5]), uint8_t(pending[at + 6]), uint8_t(pending[at + 7])});
                    frames.push_back(s);
                }
            }
        }
    }
};
}  // namespace

class LaserWindowTest : public QObject {
    Q_OBJECT
private slots:
    void armDrawPlayAndStop() {
        WindowFixture f;
        Projector projector;
        const QString address = QStringLiteral("127.0.0.1:%1").arg(projector.socket.localPort());
        QVERIFY(f.widget("LblLaser")->isHidden());
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<LaserDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QComboBox*>("CmbProjector")->setEditText(address);
            d->findChild<QPushButton*>("CmdArm")->click();
            QCOMPARE(d->findChild<QPushButton*>("CmdArm")->text(), QString("Disarm"));
            d->accept();
        });
        f.window.action("mnuLaserOutput")->trigger();
        QCOMPARE(f.text("LblLaser"), "Laser: " + address + QString::fromUtf8(" · 30 kpps · sending"));
        projector.collect(100);
        QVERIFY(!projector.frames.empty());
        QCOMPARE(projector.frames.back(), idn::blackout());  // no frame chosen yet: dark

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
        QCOMPARE(projector.frames.back(), idn::frameSamples(f.editor.frame, f.editor.palette, {}));

        f.window.action("mnuNewFrame")->trigger();
        storeFrame(f.editor.buffer, 2, {test::point2D(5000, 5000), test::point2D(-5000, 5000)});
        int waits = 0;
        f.window.waitForEvents = [&] {
            projector.collect(30);
            ++waits == 2 ? QTest::mouseClick(f.widget("CmdStop"), Qt::LeftButton) : f.editor.playback.tick();
        };
        projector.frames.clear();
        QTest::mouseClick(f.widget("CmdPlay"), Qt::LeftButton);
        projector.collect(100);
        WorkingFrame second;
        f.editor.buffer.copyFrameToRam(2, second);
        const auto sent = [&](const std::vector<idn::Sample>& s) { return std::find(projector.frames.begin(), projector.frames.end(), s) != projector.frames.end(); };
        QVERIFY(sent(idn::frameSamples(second, f.editor.palette, {})));  // the played frame went out
        QCOMPARE(projector.closes, 1);  // Stop: dark, then closed
        QCOMPARE(projector.frames.back(), idn::blackout(projector.frames.back().front()));
        QVERIFY(f.widget("LblLaser")->isHidden());
        QCOMPARE(f.window.statusBar()->currentMessage(), QString("Laser output stopped."));
    }
};

QTEST_MAIN(LaserWindowTest)
#include "LaserWindowTest.moc"
