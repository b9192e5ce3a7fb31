// SPDX-License-Identifier: GPL-3.0-or-later
#include "IdnReceiver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace quorvel::test {

uint16_t be16(const QByteArray& d, int at) { return uint16_t(uint8_t(d[at]) << 8 | uint8_t(d[at + 1])); }
uint32_t be32(const QByteArray& d, int at) { return uint32_t(be16(d, at)) << 16 | be16(d, at + 2); }

IdnReceiver::IdnReceiver() { socket_.bind(QHostAddress::LocalHost, 0); }

void IdnReceiver::collect(int ms, const std::function<bool()>& done) {
    const QDeadlineTimer until(ms);
    while (!until.hasExpired() && got.size() < 5000 && !(done && done())) {
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
        if (!socket_.waitForReadyRead(5)) continue;
        while (socket_.hasPendingDatagrams()) {
            QByteArray d(qsizetype(socket_.pendingDatagramSize()), '\0');
            socket_.readDatagram(d.data(), d.size());
            got.push_back(d);
        }
    }
}

std::vector<ReceivedFrame> IdnReceiver::frames() const {
    std::vector<ReceivedFrame> out;
    QByteArray bytes;
    for (size_t k = 0; k < got.size(); ++k) {
        const QByteArray& d = got[k];
        if (d.size() < 12 || uint8_t(d[0]) != idn::Command::ChannelMessage) continue;
        const uint8_t type = uint8_t(d[7]);
        const bool cclf = uint8_t(d[6]) & 0x40;
        if (type == idn::Chunk::Frame || type == idn::Chunk::FirstFragment) {
            const int chunk = cclf ? 32 : 12;
            out.push_back({{}, be32(d, 8), be32(d, chunk) & 0xFFFFFF, cclf, true, k, k});
            bytes = d.mid(chunk + 4);
        } else if (type == idn::Chunk::Sequel && !out.empty()) {
            ReceivedFrame& f = out.back();
            f.fragmentsInStep &= f.lastDatagram + 1 == k && be32(d, 8) == f.timestamp + uint32_t(k - f.firstDatagram);
            f.lastDatagram = k;
            bytes += d.mid(12);
        } else {
            continue;
        }
        if (type == idn::Chunk::FirstFragment || (type == idn::Chunk::Sequel && !cclf)) continue;
        std::vector<idn::Sample>& s = out.back().samples;
        for (int at = 0; at + 8 <= bytes.size(); at += 8)
            s.push_back({int16_t(be16(bytes, at)), int16_t(be16(bytes, at + 2)), uint8_t(bytes[at + 4]),
                         uint8_t(bytes[at + 5]), uint8_t(bytes[at + 6]), uint8_t(bytes[at + 7])});
    }
    return out;
}

int IdnReceiver::sessionCloses() const {
    return int(std::count_if(got.begin(), got.end(), [](const QByteArray& d) {
        return d.size() == 4 && uint8_t(d[0]) == idn::Command::CloseSession;
    }));
}

quint16 closedPort() {
    QUdpSocket gone;  // bound, and closed again when it goes
    gone.bind(QHostAddress::LocalHost, 0);
    return gone.localPort();
}

}  // namespace quorvel::test
