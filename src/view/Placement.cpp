// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/Placement.h"

#include <algorithm>

namespace quorvel {

namespace {
constexpr int Gap = 8;
}

QPoint placeBeside(const QRect& keepClear, const QSize& size, const QRect& screen) {
    const int top =
        std::clamp(keepClear.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int left =
        std::clamp(keepClear.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    struct Side {
        QPoint at;
        int room;  // how far the window fits across this side; negative when it does not
    };
    const Side sides[] = {
        {{keepClear.right() + 1 + Gap, top}, screen.right() - keepClear.right() - Gap - size.width()},
        {{keepClear.left() - Gap - size.width(), top}, keepClear.left() - screen.left() - Gap - size.width()},
        {{left, keepClear.bottom() + 1 + Gap}, screen.bottom() - keepClear.bottom() - Gap - size.height()},
        {{left, keepClear.top() - Gap - size.height()}, keepClear.top() - screen.top() - Gap - size.height()},
    };
    const Side* best = &sides[0];
    for (const Side& side : sides) {
        if (side.room >= 0) return side.at;
        if (side.room > best->room) best = &side;
    }
    return {std::clamp(best->at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())),
            std::clamp(best->at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()))};
}

}  // namespace quorvel
