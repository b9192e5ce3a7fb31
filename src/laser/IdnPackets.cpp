// SPDX-License-Identifier: GPL-3.0-or-later
#include "laser/IdnPackets.h"

#include <cmath>

namespace quorvel::idn {

namespace {

constexpr uint8_t ChannelBit = 0x80, Cclf = 0x40;
constexpr uint8_t Routing = 0x01, Close = 0x02;
constexpr int MessageHeaderBytes = 8, PacketHeaderBytes = 4;
// X and Y 16-bit, then red 638 nm, green 532 nm, blue 460 nm and intensity, 8-bit each.
const QByteArray Dictionary = QByteArray::fromHex("4200401042104010527E521451CC5C10");

void put16(QByteArray& b, uint16_t v) { b.append(char(v >> 8)).append(char(v & 0xFF)); }
void put24(QByteArray& b, uint32_t v) {
    b.append(char((v >> 16) & 0xFF)).append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
}
void put32(QByteArray& b, uint32_t v) { put16(b, uint16_t(v >> 16)), put16(b, uint16_t(v & 0xFFFF)); }
uint16_t get16(const QByteArray& b, int at) { return uint16_t(uint8_t(b[at]) << 8 | uint8_t(b[at + 1])); }

QByteArray request(uint8_t command, uint16_t sequence) {
    QByteArray b;
    b.append(char(command)).append('\0');
    put16(b, sequence);
    return b;
}

// Callers check a reply's length first: it is never shorter than a packet header here.
bool isReplyTo(const QByteArray& d, uint8_t command, uint16_t sequence) {
    return uint8_t(d[0]) == command && get16(d, 2) == sequence;
}

QByteArray configuration(uint8_t flags, uint8_t serviceId, uint8_t mode, bool dictionary) {
    QByteArray b;
    b.append(char(dictionary ? Dictionary.size() / 4 : 0))
        .append(char(flags))
        .append(char(serviceId))
        .append(char(mode));
    if (dictionary) b.append(Dictionary);
    return b;
}

void putSamples(QByteArray& b, const Sample* s, size_t n) {
    for (size_t k = 0; k < n; ++k) {
        put16(b, uint16_t(s[k].x)), put16(b, uint16_t(s[k].y));
        b.append(char(s[k].r)).append(char(s[k].g)).append(char(s[k].b)).append(char(s[k].i));
    }
}

}  // namespace

QByteArray scanRequest(uint16_t sequence) { return request(Command::ScanRequest, sequence); }
QByteArray serviceMapRequest(uint16_t sequence) { return request(Command::ServiceMapRequest, sequence); }

std::optional<Unit> parseScanResponse(const QByteArray& d, uint16_t sequence) {
    if (d.size() != 44 || !isReplyTo(d, Command::ScanResponse, sequence) || uint8_t(d[4]) != 40) return std::nullopt;
    Unit u;
    u.status = uint8_t(d[6]);
    const int idLength = std::min<int>(uint8_t(d[8]), 15);
    u.unitId = d.mid(9, idLength);
    // The name fills the datagram's last 20 bytes, up to its first NUL: a QByteArray's data
    // always ends in one, so a name of all 20 ends there too.
    u.name = QString::fromLatin1(d.constData() + 24);
    return u;
}

std::optional<uint8_t> laserServiceOf(const QByteArray& d, uint16_t sequence) {
    if (d.size() < 8 || !isReplyTo(d, Command::ServiceMapResponse, sequence)) return std::nullopt;
    const int entry = uint8_t(d[5]), relays = uint8_t(d[6]), services = uint8_t(d[7]);
    const int first = PacketHeaderBytes + uint8_t(d[4]);
    if (entry < 4 || d.size() != first + entry * (relays + services)) return std::nullopt;
    std::optional<uint8_t> found;
    for (int k = 0; k < services; ++k) {
        const int at = first + entry * (relays + k);
        if (uint8_t(d[at + 1]) != LaserProjectorService || d[at] == 0) continue;
        if (!found || (uint8_t(d[at + 2]) & 0x01)) found = uint8_t(d[at]);
    }
    return found;
}

uint32_t frameDuration(int samples, int pointsPerSecond) {
    return uint32_t(std::lround(double(std::max(samples - 1, 0)) * 1e6 / std::max(pointsPerSecond, 1)));
}

QByteArray Channel::header(uint8_t command) { return request(command, sequence++); }

QByteArray Channel::message(uint8_t cnlFlags, uint8_t chunkType, uint32_t timestamp, const QByteArray& body) {
    QByteArray b = header(Command::ChannelMessage);
    put16(b, uint16_t(MessageHeaderBytes + body.size()));
    b.append(char(ChannelBit | cnlFlags | (channelId & 0x3F))).append(char(chunkType));
    put32(b, timestamp);
    return b + body;
}

std::vector<QByteArray> Channel::frame(const std::vector<Sample>& samples, uint32_t timestamp, uint32_t duration,
                                       bool withConfiguration) {
    QByteArray first;
    if (withConfiguration) first = configuration(Routing, serviceId, DiscreteGraphicMode, true);
    first.append('\0');  // chunk flags: SCM 0, repeat until the next frame
    put24(first, duration);
    const auto room = [&](int used) {
        return std::max(1, (maxDatagram - PacketHeaderBytes - MessageHeaderBytes - used) / SampleBytes);
    };
    size_t sent = std::min(samples.size(), size_t(room(int(first.size()))));
    putSamples(first, samples.data(), sent);
    const uint8_t cclf = withConfiguration ? Cclf : 0;
    if (sent == samples.size()) return {message(cclf, Chunk::Frame, timestamp, first)};
    std::vector<QByteArray> out{message(cclf, Chunk::FirstFragment, timestamp, first)};
    for (uint32_t k = 1; sent < samples.size(); ++k) {
        const size_t n = std::min(samples.size() - sent, size_t(room(0)));
        QByteArray body;
        putSamples(body, samples.data() + sent, n);
        sent += n;
        out.push_back(message(sent == samples.size() ? Cclf : 0, Chunk::Sequel, timestamp + k, body));
    }
    return out;
}

QByteArray Channel::keepAlive(uint32_t timestamp) { return message(0, Chunk::Void, timestamp, {}); }

QByteArray Channel::closeChannel(uint32_t timestamp) {
    return message(Cclf, Chunk::Void, timestamp, configuration(Close, serviceId, 0, false));
}

QByteArray Channel::closeSession() { return header(Command::CloseSession); }

}  // namespace quorvel::idn
