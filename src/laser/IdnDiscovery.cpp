#include "laser/IdnDiscovery.h"

#include <QDeadlineTimer>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

namespace quorvel::idn {

namespace {
// Every datagram that arrives before the deadline, with where it came from.
template <class Each> void receive(QUdpSocket& s, uint16_t unitPort, int ms, Each&& each) {
    const QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        if (!s.hasPendingDatagrams() && !s.waitForReadyRead(int(std::max<qint64>(until.remainingTime(), 1)))) continue;
        while (s.hasPendingDatagrams()) {
            QByteArray d(qsizetype(s.pendingDatagramSize()), '\0');
            QHostAddress from;
            quint16 port = 0;
            s.readDatagram(d.data(), d.size(), &from, &port);
            if (port == unitPort) each(d, from);
        }
    }
}
}  // namespace

std::vector<QHostAddress> broadcastAddresses() {
    std::vector<QHostAddress> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp) || !(i.flags() & QNetworkInterface::CanBroadcast)) continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.broadcast().isNull())
                out.push_back(e.broadcast());
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
        if (!u) return;
        for (const FoundUnit& f : found)
            if (f.unit.unitId == u->unitId) return;
        found.push_back({from, *u, 0});
    });
    for (FoundUnit& f : found) {
        const uint16_t asked = uint16_t(sequence + 1);
        socket.writeDatagram(serviceMapRequest(asked), f.address, port);
        receive(socket, port, 200, [&](const QByteArray& d, const QHostAddress& from) {
            if (from.isEqual(f.address, QHostAddress::TolerantConversion))
                f.serviceId = laserServiceOf(d, asked).value_or(f.serviceId);
        });
    }
    return found;
}

}  // namespace quorvel::idn
