// SPDX-License-Identifier: GPL-3.0-or-later
// A laser output session received on the loopback address, as a projector would receive it:
// every datagram checked against the protocol, and decoded by tshark on its own.
#include "IdnReceiver.h"
#include "TestSupport.h"
#include "laser/IdnStream.h"
#include "laser/LaserFrames.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvel;
using namespace quorvel::idn;
using namespace quorvel::test;

namespace {
WorkingFrame squareFrame(int side) {
    WorkingFrame wf;
    wf.format = 5;
    const int corners[][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    for (const auto& c : corners) wf.frame5->points[wf.frame5->pointCount++] = test::pointTrue(c[0] * side, c[1] * side, 0, 255, 0, 0);
    return wf;
}
}  // namespace

class LaserOutputTest : public QObject {
    Q_OBJECT
private slots:
    void aSessionOnLoopbackFollowsTheProtocol() {
        IdnReceiver projector;
        Palette pal;
        LaserOutput out(0xFFF0);  // the sequence wraps during the session
        QVERIFY(out.arm({"127.0.0.1", projector.port(), 1}, 30000));
        const std::vector<Sample> a = frameSamples(squareFrame(10000), pal, {}), b = frameSamples(squareFrame(12000), pal, {});
        std::vector<Sample> big(2000);
        for (size_t k = 0; k < big.size(); ++k) big[k] = {int16_t(k * 16), int16_t(-int(k)), 1, 2, 3, 255};
        out.show(a);
        projector.collect(350);  // long enough for keep-alives and a second configuration
        out.show(b);             // an edit while armed
        projector.collect(50);
        out.show(big);
        projector.collect(150);
        out.disarm();
        projector.collect(200);
        const std::vector<QByteArray>& got = projector.got;
        QVERIFY(got.size() > 10);

        // Every datagram: within the limit, the message's size right, the sequence one on.
        for (size_t k = 0; k < got.size(); ++k) {
            QVERIFY(got[k].size() <= MaxDatagram);
            QCOMPARE(be16(got[k], 2), uint16_t(0xFFF0 + k));
            if (uint8_t(got[k][0]) == Command::ChannelMessage) QCOMPARE(int(be16(got[k], 4)), got[k].size() - 4);
        }
        const std::vector<ReceivedFrame> frames = projector.frames();
        QVERIFY(frames.front().configured);
        uint32_t configuredAt = frames.front().timestamp;
        std::vector<std::vector<Sample>> shown;  // each content once, in order
        int resent = 0;
        for (size_t i = 0; i < frames.size(); ++i) {
            const ReceivedFrame& f = frames[i];
            QVERIFY(f.fragmentsInStep);
            QCOMPARE(f.duration, frameDuration(int(f.samples.size()), 30000));
            if (f.configured) QCOMPARE(got[f.firstDatagram].mid(12, 4), QByteArray::fromHex("04010102"));  // service 1, discrete
            if (i > 0) QVERIFY(f.timestamp > frames[i - 1].timestamp);
            if (f.timestamp - configuredAt >= 201000) QVERIFY(f.configured);  // at least every 200 ms
            if (f.configured) configuredAt = f.timestamp;
            if (shown.empty() || shown.back() != f.samples)
                shown.push_back(f.samples);
            else
                ++resent;
        }
        QVERIFY(resent >= 2 && resent <= 12);  // kept alive while nothing changed, every 100 ms
        const std::vector<Sample> dark = blackout(big.back());
        QCOMPARE(shown, (std::vector<std::vector<Sample>>{blackout(), a, b, big, dark}));
        QCOMPARE(frames[frames.size() - 2].samples, dark);  // the blackout goes twice, not more
        QCOMPARE(frames[frames.size() - 3].samples, big);
        QVERIFY(frames.back().configured);                   // in the mode it was sent in, wherever it joined
        // Then the channel and the session close, and nothing more.
        const size_t k = frames.back().lastDatagram + 1;
        QCOMPARE(got.size(), k + 2);
        QCOMPARE(got[k].left(8).toHex(), QByteArray("40") + QByteArray("00") + got[k].mid(2, 2).toHex() + "000cc000");
        QCOMPARE(got[k].mid(12).toHex(), QByteArray("00020100"));
        QCOMPARE(projector.sessionCloses(), 1);
        QCOMPARE(got.back().size(), 4);

        // tshark reads the same: each datagram as a packet to port 7255.
        if (QStandardPaths::findExecutable("tshark").isEmpty()) QSKIP("tshark is not installed");
        QTemporaryDir dir;
        for (size_t n = 0; n < got.size(); ++n) test::writeFile(dir.filePath(QString("d%1.bin").arg(n, 5, 10, QChar('0'))), got[n]);
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start("bash", {"-c", "for f in d*.bin; do od -Ax -tx1 -v \"$f\"; done | text2pcap -q -u 50000,7255 - out.pcap && "
                                   "tshark -r out.pcap -T fields -E separator=';' -e idn.command -e idn.sequence "
                                   "-e idn.chunk_type -e idn.service_mode -e idn.frame_sample_duration 2>/dev/null"});
        QVERIFY(shell.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(shell.readAllStandardOutput()).trimmed().split('\n');
        QCOMPARE(size_t(lines.size()), got.size());
        for (size_t n = 0; n < got.size(); ++n) {
            const QStringList f = lines[qsizetype(n)].split(';');
            QCOMPARE(f[0].toUInt(nullptr, 16), uint(uint8_t(got[n][0])));
            QCOMPARE(f[1].toUInt(), uint(be16(got[n], 2)));
            if (got[n].size() < 8) continue;
            QCOMPARE(f[2].toUInt(nullptr, 16), uint(uint8_t(got[n][7])));
            const bool configured = (uint8_t(got[n][6]) & 0x40) && uint8_t(got[n][7]) != Chunk::Sequel;
            if (configured) QCOMPARE(f[3].toUInt(nullptr, 16), uint(uint8_t(got[n][15])));
        }
        QCOMPARE(lines.front().split(';')[4].toUInt(), frames.front().duration);
    }

    // A frame handed over ahead of its time goes no sooner; while it waits, the frame before it is
    // kept alive, and a later one replaces it. One whose time passed before the next came is
    // still shown. Each frame that goes is said once.
    void aFrameHandedOverAheadGoesAtItsTime() {
        IdnReceiver projector;
        Palette pal;
        IdnStream stream;  // on this thread: it runs while the projector collects
        QVERIFY(stream.open({"127.0.0.1", projector.port(), 1}, 30000));
        int taken = 0;
        connect(&stream, &IdnStream::frameTaken, [&] { ++taken; });
        std::vector<std::vector<Sample>> f;
        for (int side : {1000, 2000, 3000, 4000, 5000}) f.push_back(frameSamples(squareFrame(side), pal, {}));
        stream.show(f[0]);
        QCOMPARE(taken, 1);
        stream.show(f[1], QDeadlineTimer(600));
        stream.show(f[2], QDeadlineTimer(400));  // before f[1] was due: f[1] never goes
        projector.collect(250);
        const auto shownSoFar = [&] {
            std::vector<std::vector<Sample>> shown;
            for (const ReceivedFrame& r : projector.frames())
                if (shown.empty() || shown.back() != r.samples) shown.push_back(r.samples);
            return shown;
        };
        QCOMPARE(shownSoFar(), (std::vector<std::vector<Sample>>{blackout(), f[0]}));
        QCOMPARE(taken, 1);
        projector.collect(2000, [&] { return shownSoFar().back() == f[2]; });
        QCOMPARE(taken, 2);
        stream.show(f[3], QDeadlineTimer(20));
        QThread::msleep(60);  // f[3]'s time passes with nothing run on this thread
        stream.show(f[4]);
        projector.collect(2000, [&] { return shownSoFar().back() == f[4]; });
        QCOMPARE(shownSoFar(), (std::vector<std::vector<Sample>>{blackout(), f[0], f[2], f[3], f[4]}));
        QCOMPARE(taken, 4);
        stream.close();
    }

    // No address, or nobody listening (the system answers that the port is closed): the output
    // says so and disarms itself.
    void aUnitThatIsNotThereIsSaid() {
        LaserOutput out;
        QVERIFY(!out.arm({"", Port, 0}, 30000));
        QCOMPARE(out.error, QString("No projector address was given."));
        const quint16 closed = closedPort();
        QString why;
        out.onFailed = [&](const QString& w) { why = w; };
        QVERIFY(out.arm({"127.0.0.1", closed, 0}, 30000));
        out.show(blackout({1, 1}));
        QVERIFY(QTest::qWaitFor([&] { return !why.isEmpty(); }, 5000));
        QVERIFY(!out.armed());
        QCOMPARE(why, QStringLiteral("Nothing answers at 127.0.0.1:%1.").arg(closed));
    }

    // An IPv6 projector on the loopback address gets its frames too.
    void anIpv6ProjectorIsReached() {
        QUdpSocket projector;
        if (!projector.bind(QHostAddress::LocalHostIPv6, 0)) QSKIP("this machine has no IPv6 loopback");
        LaserOutput out;
        QVERIFY(out.arm(*parseTarget(QStringLiteral("[::1]:%1").arg(projector.localPort())), 30000));
        QVERIFY(projector.waitForReadyRead(2000));
        out.disarm();
    }
};

QTEST_GUILESS_MAIN(LaserOutputTest)
#include "LaserOutputTest.moc"
