// SPDX-License-Identifier: GPL-3.0-or-later
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

// The broadcast address of every IPv4 network this machine is on.
std::vector<QHostAddress> broadcastAddresses();

// Asks at each address (a broadcast address reaches every unit on its network) and waits
// about `waitMs` for replies; each unit once.
std::vector<FoundUnit> findUnits(const std::vector<QHostAddress>& askAt, uint16_t port = Port, int waitMs = 500);

}  // namespace quorvel::idn
