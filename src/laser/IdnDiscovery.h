#pragma once
// Finding projectors on the local network: a scan request broadcast on every IPv4 interface,
// then each unit's service map asked for its laser service.
#include "laser/IdnPackets.h"

#include <QHostAddress>
#include <vector>

namespace quorvel::idn {

struct FoundUnit {
    QHostAddress address;
    Unit unit;
    uint8_t serviceId = 0;  // its laser projector service; 0 when it named none
};

// Waits about `waitMs` for replies; each unit once.
std::vector<FoundUnit> findUnits(int waitMs = 500);

}  // namespace quorvel::idn
