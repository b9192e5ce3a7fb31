#pragma once
#include <QIcon>

namespace quorvel {
// The icon of a tool button, painted so it reads clearly at small size.
QIcon toolIcon(int tool);
}  // namespace quorvel
