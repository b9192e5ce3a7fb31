// SPDX-License-Identifier: GPL-3.0-or-later
#include "laser/IdnDiscovery.h"

#include <QDeadlineTimer>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>
#include <algorithm>

namespace quorvel::idn {

namespace {
constexpr int ServiceMapWaitMs = 500;

// Every datagram that arrives before the deadline, with where it came from, until `each` says
// it has what it waited for.
template <class Each> void receive(QUdpSocket& s, uint16_t unitPort, int ms, Each&& each) {
    const QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        // Datagrams already waiting make the socket ready at once.
        if (!s.waitForReadyRead(int(std::max<qint64>(until.remainingTime(), 1)))) continue;
        while (s.hasPendingDatagrams()) {
            QByteArray d(qsizetype(s.pendingDatagramSize()), '\0');
            QHostAddress from;
            quint16 port = 0;
            s.readDatagram(d.data(), d.size(), &from, &port);
            if (port == unitPort && each(d, from)) return;
        }
    }
}
}  // namespace

std::vector<QHostAddress> broadcastAddresses() {
    std::vector<QHostAddress> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp)) continue;
        // Only an IPv4 address on an interface that can broadcast has a broadcast address.
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (!e.broadcast().isNull()) out.push_back(e.broadcast());
    }
    return out;
}

std::vector<FoundUnit> findUnits(const std::vector<QHostAddress>& askAt, uint16_t port, int waitMs) {
    QUdpSocket socket;
    socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    const uint16_t sequence = uint16_t(QRandomGenerator::global()->bounded(1, 0xFFFF));
    for (const QHostAddress& a : askAt) socket.writeDatagram(scanRequest(sequence), a, port);
    std::vector<FoundUnit> found;
    receive(socket, port, waitMs, [&](const QByteArray& d, const QHostAddress& from) {
        const std::optional<Unit> u = parseScanResponse(d, sequence);
        if (u &&
            std::none_of(found.begin(), found.end(), [&](const FoundUnit& f) { return f.unit.unitId == u->unitId; }))
            found.push_back({from, *u, 0});
        return false;  // any number of units may answer
    });
    for (FoundUnit& f : found) {
        // The scan's sequence number again: a scan reply cannot pass for a service map.
        socket.writeDatagram(serviceMapRequest(sequence), f.address, port);
        // The map normally comes at once; a unit that sends none, or names no laser service in
        // it, is given half a second.
        receive(socket, port, ServiceMapWaitMs, [&](const QByteArray& d, const QHostAddress& from) {
            const std::optional<uint8_t> service = laserServiceOf(d, sequence);
            if (!service || !from.isEqual(f.address, QHostAddress::TolerantConversion)) return false;
            f.serviceId = *service;
            return true;
        });
    }
    return found;
}

}  // namespace quorvel::idn
