// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of IDN (the ILDA Digital Network): the packet header, discovery requests and their
// replies, and IDN-Stream channel messages carrying laser frames in discrete graphic mode. Only
// bytes here; sockets and timing live in the stream.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel::idn {

constexpr uint16_t Port = 7255;
constexpr int MaxDatagram = 1454;  // UDP payload: an Ethernet frame with room for tunnels
constexpr int SampleBytes = 8;

// One laser sample as our dictionary lays it out: X and Y 16-bit signed (0 the centre, +Y up),
// then red, green, blue and intensity.
struct Sample {
    int16_t x = 0, y = 0;
    uint8_t r = 0, g = 0, b = 0, i = 0;
    bool operator==(const Sample&) const = default;
};

namespace Command {
constexpr uint8_t ScanRequest = 0x10, ScanResponse = 0x11, ServiceMapRequest = 0x12, ServiceMapResponse = 0x13;
constexpr uint8_t ChannelMessage = 0x40, CloseSession = 0x44;
}  // namespace Command
namespace Chunk {
constexpr uint8_t Void = 0x00, Frame = 0x02, FirstFragment = 0x03, Sequel = 0xC0;
}  // namespace Chunk
constexpr uint8_t LaserProjectorService = 0x80;
constexpr uint8_t DiscreteGraphicMode = 0x02;

QByteArray scanRequest(uint16_t sequence);
QByteArray serviceMapRequest(uint16_t sequence);

struct Unit {
    QByteArray unitId;  // the bytes after its length byte: category and ID
    QString name;
    uint8_t status = 0;
};
// A scan reply to the request with `sequence`, or nothing when the bytes are not one.
std::optional<Unit> parseScanResponse(const QByteArray& datagram, uint16_t sequence);
// The laser projector service of a service map reply (the default one when several), if any.
std::optional<uint8_t> laserServiceOf(const QByteArray& datagram, uint16_t sequence);

// Frame duration in microseconds: the first sample is the start position, so N samples make
// N - 1 moves at `pointsPerSecond`.
uint32_t frameDuration(int samples, int pointsPerSecond);

// One IDN-Stream connection's channel: every datagram it makes takes the next sequence number.
class Channel {
public:
    uint16_t sequence = 1;  // of the next datagram
    uint8_t serviceId = 0;  // 0: the unit's default service for the mode
    uint8_t channelId = 0;
    int maxDatagram = MaxDatagram;

    // A frame in one datagram, or split at sample boundaries into a first fragment and sequels
    // (timestamps T, T + 1, ...), each within the size limit. The configuration goes into the
    // first datagram when asked for.
    std::vector<QByteArray> frame(const std::vector<Sample>& samples, uint32_t timestamp, uint32_t duration,
                                  bool withConfiguration);
    // A message with no data: keeps the connection alive.
    QByteArray keepAlive(uint32_t timestamp);
    QByteArray closeChannel(uint32_t timestamp);
    QByteArray closeSession();

private:
    QByteArray header(uint8_t command);
    QByteArray message(uint8_t cnlFlags, uint8_t chunkType, uint32_t timestamp, const QByteArray& body);
};

}  // namespace quorvel::idn
