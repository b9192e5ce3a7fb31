// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes sent to a projector, against the protocol's own worked example.
#include "TestSupport.h"
#include "laser/IdnDiscovery.h"
#include "laser/IdnStream.h"
#include "laser/LaserFrames.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>
#include <thread>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::idn;
using namespace quorvel::test;

namespace {
QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// A blanked move to (-10000, -10000), then red, green and blue: a triangle.
const std::vector<Sample> Triangle = {
    {-10000, -10000, 0, 0, 0, 0}, {10000, -10000, 255, 0, 0, 255}, {0, 10000, 0, 255, 0, 255}, {-10000, -10000, 0, 0, 255, 255}};
const char* const TriangleSamples = "D8F0D8F000000000 2710D8F0FF0000FF 0000271000FF00FF D8F0D8F00000FFFF";
}  // namespace

TEST(Idn, ChannelMessagesMatchTheWorkedExample) {
    Channel c;
    c.serviceId = 1;
    const uint32_t duration = frameDuration(4, 30000);
    EXPECT_EQ(duration, 100u);
    const QByteArray frame = hex("00 000064") + hex(TriangleSamples);
    struct Case { std::vector<QByteArray> sent, expected; };
    const Case cases[] = {
        {c.frame(Triangle, 1000000, duration, true),
         {hex("40000001 0040 C0 02 000F4240 04 01 01 02 4200401042104010527E521451CC5C10") + frame}},
        {c.frame(Triangle, 0x000FC475, duration, false), {hex("40000002 002C 80 02 000FC475") + frame}},
        {{c.keepAlive(0x001046AA)}, {hex("40000003 0008 80 00 001046AA")}},
        {(c.maxDatagram = 32, c.frame(Triangle, 0x001046AA, duration, false)),
         {hex("40000004 001C 80 03 001046AA 00000064") + hex(TriangleSamples).left(16),
          hex("40000005 0018 C0 C0 001046AB") + hex(TriangleSamples).mid(16)}},
        {{c.closeChannel(0x0010C8DF)}, {hex("40000006 000C C0 00 0010C8DF 00020100")}},
        {{c.closeSession()}, {hex("44000007")}},
    };
    for (const Case& k : cases) EXPECT_EQ(k.sent, k.expected);
    c.sequence = 0xFFFF;  // sequence numbers wrap
    const QByteArray last = c.closeSession();
    EXPECT_EQ(last + c.closeSession(), hex("4400FFFF 44000000"));
}

// Big frames are cut at sample boundaries, each datagram within the limit, the configuration
// in the first only, the last marked.
TEST(Idn, LargeFramesGoInFragmentsWithinTheSizeLimit) {
    for (const int n : {177, 178, 177 + 180, 177 + 181, 20001}) {
        Channel c;
        const std::vector<Sample> samples(size_t(n), Sample{1, 2, 3, 4, 5, 6});
        const auto sent = c.frame(samples, 500, 7, true);
        const size_t expected = n <= 177 ? 1 : 1 + size_t((n - 177 + 179) / 180);
        ASSERT_EQ(sent.size(), expected) << n;
        int samplesSent = 0;
        for (size_t k = 0; k < sent.size(); ++k) {
            const QByteArray& d = sent[k];
            EXPECT_LE(d.size(), MaxDatagram);
            EXPECT_EQ((uint8_t(d[4]) << 8 | uint8_t(d[5])), d.size() - 4);
            const uint8_t cnl = uint8_t(d[6]), type = uint8_t(d[7]);
            const bool last = k + 1 == sent.size();
            EXPECT_EQ(type, sent.size() == 1 ? Chunk::Frame : k == 0 ? Chunk::FirstFragment : Chunk::Sequel);
            EXPECT_EQ(bool(cnl & 0x40), k == 0 || last) << n << " datagram " << k;
            EXPECT_EQ(uint8_t(d[11]), uint8_t(500 + k));  // T, T + 1, ...
            samplesSent += (d.size() - (k == 0 ? 36 : 12)) / SampleBytes;
        }
        EXPECT_EQ(samplesSent, n);
    }
}

TEST(Idn, DiscoveryRequestsAndReplies) {
    EXPECT_EQ(scanRequest(0x1234), hex("10001234"));
    EXPECT_EQ(serviceMapRequest(7), hex("12000007"));
    const QByteArray scan = hex("11001234 28 01 01 00 07 01 A1B2C3D4E5F6 0000000000000000") + QByteArray("Beamer 1").leftJustified(20, '\0');
    const auto unit = parseScanResponse(scan, 0x1234);
    ASSERT_TRUE(unit);
    EXPECT_EQ(std::tuple(unit->unitId, unit->name, unit->status), std::tuple(hex("01A1B2C3D4E5F6"), QString("Beamer 1"), uint8_t(1)));
    EXPECT_EQ(parseScanResponse(scan.left(24) + QByteArray(20, 'N'), 0x1234)->name, QString(20, 'N'));  // no NUL left
    EXPECT_EQ(parseScanResponse(QByteArray(scan).replace(8, 1, "\x10"), 0x1234)->unitId, scan.mid(9, 15));  // ID cut at 15 bytes
    EXPECT_FALSE(parseScanResponse(scan, 0x1235));       // another request's reply
    EXPECT_FALSE(parseScanResponse(scan.left(43), 0x1234));
    // A relay, a DMX service, then two laser services of which the second is the default.
    const auto entry = [](const char* bytes) { return hex(bytes) + QByteArray(20, '\0'); };
    const QByteArray map = hex("13000009 04 18 01 03") + entry("00 00 00 00") + entry("01 05 01 00") + entry("02 80 00 00") + entry("03 80 01 00");
    EXPECT_EQ(laserServiceOf(map, 9), std::optional<uint8_t>(3));
    EXPECT_EQ(laserServiceOf(map.left(map.size() - 1), 9), std::nullopt);
    EXPECT_EQ(laserServiceOf(map, 10), std::nullopt);  // a late answer to an earlier request
    EXPECT_EQ(laserServiceOf(hex("13000009 04 04 00 03 00800100 02800000 05050100"), 9), std::optional<uint8_t>(2));  // 4-byte entries; service 0 is none; a DMX default is no laser
}

// A unit on the loopback address that answers the scan and its service map twice each: found
// once, with its laser service. Nothing is broadcast here; what would be is IPv4 only.
TEST(Idn, FindsEachUnitOnceWithItsLaserService) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof at;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&at), size), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &size);
    const timeval patience{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    std::thread unit([fd] {
        for (int asked = 0; asked < 2; ++asked) {
            char q[16];
            sockaddr_in from{};
            socklen_t fromSize = sizeof from;
            if (::recvfrom(fd, q, sizeof q, 0, reinterpret_cast<sockaddr*>(&from), &fromSize) != 4) return;
            const QByteArray reply = q[0] == 0x10 ? hex("1100") + QByteArray(q + 2, 2) + hex("28 01 01 00 07 01 A1B2C3D4E5F6 0000000000000000") + QByteArray("Beamer 1").leftJustified(20, '\0')
                                                  : hex("1300") + QByteArray(q + 2, 2) + hex("04 18 00 01 03 80 01 00") + QByteArray(20, '\0');
            // The scan is answered late for an earlier scan, then twice; the map first without its laser service.
            QByteArray first = reply;
            q[0] == 0x12 ? first[9] = 5 : first[2] = char(first[2] ^ 1);
            for (const QByteArray& r : {first, reply, reply}) ::sendto(fd, r.data(), size_t(r.size()), 0, reinterpret_cast<sockaddr*>(&from), fromSize);
        }
    });
    const std::vector<FoundUnit> found = findUnits({QHostAddress(QHostAddress::LocalHost)}, ntohs(at.sin_port), 1000);
    unit.join();
    ::close(fd);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(std::tuple(found[0].unit.name, found[0].serviceId, found[0].address.toString()), std::tuple(QString("Beamer 1"), 3, QString("127.0.0.1")));
    for (const QHostAddress& a : broadcastAddresses()) EXPECT_EQ(a.protocol(), QAbstractSocket::IPv4Protocol);
}

// Points become samples in the output area: stored X and Y as they are, colours from the
// palette or the point, blanked points dark, a dark start, at least 20 samples.
TEST(Idn, FramesBecomeSamplesInTheOutputArea) {
    Palette pal;
    pal.red[3] = 10, pal.green[3] = 20, pal.blue[3] = 30;
    WorkingFrame wf;
    wf.format = 1;
    wf.frame1->pointCount = 2;
    wf.frame1->points[0] = point2D(-1, 32767, 0, 3);
    wf.frame1->points[1] = point2D(-32768, 100, StatusBit::Blanked | StatusBit::LastPoint, 3);
    std::vector<Sample> s = frameSamples(wf, pal, {});
    ASSERT_EQ(s.size(), 20u);
    EXPECT_EQ(s[0], (Sample{-1, 32767, 0, 0, 0, 0}));
    EXPECT_EQ(s[1], (Sample{-1, 32767, 10, 20, 30, 255}));
    EXPECT_EQ(s[2], (Sample{-32768, 100, 0, 0, 0, 0}));
    EXPECT_EQ(s[19], s[2]);
    const OutputArea area{50, 200, 1000, -50, true, true};
    s = frameSamples(wf, pal, area);  // flipped, scaled and moved in 32 bits, then clamped
    EXPECT_EQ(std::pair(s[1].x, s[1].y), std::pair(int16_t(1000), int16_t(-32768)));
    EXPECT_EQ(std::pair(s[2].x, s[2].y), std::pair(int16_t(16384 + 1000), int16_t(-250)));
    EXPECT_EQ(placed(-32768, true, 100, 0), 32767);
    wf.format = 5;
    wf.frame5->pointCount = 1;
    wf.frame5->points[0] = pointTrue(0, 0, 0, 7, 8, 9);
    EXPECT_EQ(frameSamples(wf, pal, {})[1], (Sample{0, 0, 7, 8, 9, 255}));
    wf.frame5->pointCount = 0;
    EXPECT_EQ(frameSamples(wf, pal, {}), blackout());
    for (const Sample& p : testPattern(area)) EXPECT_TRUE(p.i == 0 || p.r + p.g + p.b == 255);
    const std::vector<Sample> pattern = testPattern({});  // lit to the end of every side and round the circle
    const auto lit = [&](int16_t x, int16_t y) { return std::count_if(pattern.begin(), pattern.end(), [&](const Sample& p) { return p.i && p.x == x && p.y == y; }); };
    EXPECT_EQ(std::tuple(lit(32767, 32767), lit(-32767, 32767), lit(16384, 0)), std::tuple(2, 2, 3));  // the green line ends there too
    uint64_t h = 0;  // and every sample as installers have aligned to it: any change to the pattern is on purpose
    for (const Sample& p : pattern) h = h * 1000003 + (uint64_t(uint16_t(p.x)) << 16 | uint16_t(p.y)) + (uint64_t(p.r) << 32 | uint64_t(p.g) << 40 | uint64_t(p.b) << 48 | uint64_t(p.i) << 56);
    EXPECT_EQ(std::pair(pattern.size(), h), std::pair(size_t(303), uint64_t(16999360970841556112ull)));
}

// A projector's address as typed: a name or IPv4 address with or without a port, an IPv6
// address bare or in brackets before its port; anything else is refused before any lookup.
TEST(Idn, TypedAddressesNameAHostAndAPort) {
    struct Case { const char* typed; bool ok; const char* host; uint16_t port; };
    const Case cases[] = {
        {"192.168.1.50", true, "192.168.1.50", 7255}, {" 127.0.0.1:17999 ", true, "127.0.0.1", 17999},
        {"stage-left", true, "stage-left", 7255},      {"[::1]:7300", true, "::1", 7300},
        {"[::1]", true, "::1", 7255},                  {"fe80::1", true, "fe80::1", 7255},
        {"", true, "", 7255},  // said when arming: no address was given
        {"127.0.0.1:", false, "", 0},  {"127.0.0.1:0", false, "", 0},   {"127.0.0.1:65536", false, "", 0},
        {"127.0.0.1:x", false, "", 0}, {"[::1", false, "", 0},         {"[::1]7255", false, "", 0},
        {"[::1]:", false, "", 0},
    };
    for (const Case& c : cases) {
        const std::optional<idn::Target> t = idn::parseTarget(QString::fromLatin1(c.typed));
        ASSERT_EQ(t.has_value(), c.ok) << c.typed;
        if (t) { EXPECT_EQ(std::pair(t->host, t->port), std::pair(QString(c.host), c.port)) << c.typed; }
    }
}
