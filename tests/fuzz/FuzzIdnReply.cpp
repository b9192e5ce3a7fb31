// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a datagram answering a scan or a service map request: the parsers read only
// within it, and what they accept has the shape the reply must have. The request's sequence is
// taken from the datagram itself, so the parsers get past that check as often as not.
#include "FuzzTarget.h"
#include "laser/IdnPackets.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of its own: a parser reading one byte past the end is then caught by the sanitizer.
    const QByteArray d(reinterpret_cast<const char*>(data), qsizetype(size));
    const uint16_t sequence = size >= 4 ? uint16_t(data[2] << 8 | data[3]) : 0;
    for (const uint16_t asked : {sequence, uint16_t(sequence + 1)}) {
        if (const auto unit = idn::parseScanResponse(d, asked)) {
            FUZZ_CHECK(d.size() == 44 && asked == sequence);
            FUZZ_CHECK(unit->unitId.size() <= 15 && unit->name.size() <= 20);
        }
        if (const auto service = idn::laserServiceOf(d, asked)) FUZZ_CHECK(*service != 0 && asked == sequence);
    }
    return 0;
}
