// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A projector stand-in on 127.0.0.1 for the tests of laser output: it keeps every datagram
// that arrives, for a bounded time and count, and puts the frames together again.
#include "laser/IdnPackets.h"

#include <QUdpSocket>
#include <functional>
#include <vector>

namespace quorvel::test {

struct ReceivedFrame {
    std::vector<idn::Sample> samples;
    uint32_t timestamp = 0, duration = 0;
    bool configured = false;      // carried the channel configuration
    bool fragmentsInStep = true;  // sequels of the first datagram, timestamps T + 1, T + 2, ...
    size_t firstDatagram = 0, lastDatagram = 0;  // its place in what arrived
};

class IdnReceiver {
public:
    IdnReceiver();
    quint16 port() const { return socket_.localPort(); }
    // What arrives within `ms` (or until `done` says so); the thread's events run meanwhile.
    void collect(int ms, const std::function<bool()>& done = {});
    std::vector<QByteArray> got;
    // The frames among `got`, in order.
    std::vector<ReceivedFrame> frames() const;
    int sessionCloses() const;

private:
    QUdpSocket socket_;
};

// A port on 127.0.0.1 where nobody listens.
quint16 closedPort();
// A big-endian field of a datagram.
uint16_t be16(const QByteArray& d, int at);
uint32_t be32(const QByteArray& d, int at);

}  // namespace quorvel::test
