// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a tool's dialog goes so that it never hides what it previews.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvel {

// The top-left corner for a window of `size` beside `keepClear` (right of it, else left, below,
// above), wholly on `screen`. When no side has room, the side with the most room, kept on the
// screen as far as it goes.
QPoint placeBeside(const QRect& keepClear, const QSize& size, const QRect& screen);

}  // namespace quorvel
