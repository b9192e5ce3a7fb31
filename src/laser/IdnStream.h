// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame kept on a projector: an IDN-Stream sender in discrete graphic mode. The editor runs it
// on a thread of its own (`LaserOutput`), so a busy window only delays what the projector shows.
// It sends a frame when it changes (or when its time comes), no faster than the projector can
// scan it, resends it as a keep-alive, and includes the channel configuration at least every
// 200 ms. Stopping darkens the beam, then closes.
#include "laser/IdnPackets.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;
class QUdpSocket;

namespace quorvel::idn {

struct Target {
    QString host;  // a name or an address
    uint16_t port = Port;
    uint8_t serviceId = 0;  // 0: the unit's default laser service
};

// "host", "host:port", "[v6 address]" or "[v6 address]:port", as typed; a bare IPv6 address
// (more than one colon) has no port. Without a port, `port` stays the IDN port. nullopt when the
// port is no number from 1 to 65535 or a bracket is not closed.
std::optional<Target> parseTarget(const QString& typed);

constexpr int ConfigurationEveryMs = 200;
constexpr int KeepAliveEveryMs = 100;

class IdnStream final : public QObject {
    Q_OBJECT
public:
    explicit IdnStream(uint16_t firstSequence = 1);
    ~IdnStream() override;
    // Runs on the stream's thread. False, with `error` set, when the host is unknown.
    bool open(const Target& target, int pointsPerSecond);
    // The frame to show from `at` on, at once when that has passed. A frame handed over ahead of
    // its time goes at that time on the stream's own clock, with no other thread in the way;
    // until then the frame before it is kept alive, and a later one replaces it.
    void show(std::vector<Sample> samples, QDeadlineTimer at = QDeadlineTimer(0));
    void setRate(int pointsPerSecond) { pps_ = pointsPerSecond; }
    // Blackout twice, channel close, session close; then nothing more is sent.
    void close();
    QString error;

signals:
    // Sending failed (the unit is gone, the network is down): the stream closed itself.
    void failed(const QString& why);
    // A frame handed over ahead of its time has become the one shown: the next may come.
    void frameTaken();

private:
    void tick();
    // The waiting frame becomes the current one once its time has come: true when it did.
    bool takeDue();
    // The clock wakes the stream at the next deadline: a changed frame's, or a keep-alive's.
    void schedule();
    void sendFrame();
    bool send(const QByteArray& datagram);
    // Why sending failed, in the words of someone standing at the projector.
    QString failureText(int systemError) const;
    QString where_, host_;  // "host:port" and the host, as given
    bool isOpen() const { return open_; }
    uint32_t timestamp() const { return uint32_t(clock_.nsecsElapsed() / 1000); }

    Channel channel_;
    QUdpSocket* socket_ = nullptr;
    // A sleeping timer on absolute deadlines of the monotonic clock, to the microsecond: a frame
    // goes when the one before has been scanned, not at the next poll.
    int clockFd_ = -1;
    QSocketNotifier* clockWakes_ = nullptr;
    bool open_ = false;
    QElapsedTimer clock_;
    int pps_ = 30000;
    std::vector<Sample> current_, next_;
    bool changed_ = false, waiting_ = false;  // `next_` waits for `nextDue_`
    // When the next changed frame may go, when a configuration goes with it, when silence needs a keep-alive.
    QDeadlineTimer frameDue_, configurationDue_, keepAliveDue_, nextDue_;
};

// The stream run on its own thread, driven from the window's: every call returns at once
// except `disarm`, which returns once the beam is dark and the session closed.
class LaserOutput final : public QObject {
    Q_OBJECT
public:
    explicit LaserOutput(uint16_t firstSequence = 1);
    ~LaserOutput() override;
    // False, with the reason in `error`, when the target cannot be reached.
    bool arm(const Target& target, int pointsPerSecond);
    void show(std::vector<Sample> samples, QDeadlineTimer at = QDeadlineTimer(0));
    void setRate(int pointsPerSecond);
    void disarm();
    bool armed() const { return armed_; }
    QString error;
    std::function<void(const QString&)> onFailed;  // on the window's thread, after the stream closed

private:
    QThread thread_;
    IdnStream* stream_ = nullptr;
    bool armed_ = false;
};

}  // namespace quorvel::idn
