// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool buttons under the canvas, left to right: which tool, its hint and how its icon is
// painted. The window builds its buttons from this table alone.
#include "tools/CanvasTools.h"

#include <QIcon>
#include <array>

class QPainter;

namespace quorvel {

struct ToolInfo {
    Tool id;
    const char* hint;  // the tool's name and, in one line, how it is used
    void (*paintIcon)(QPainter&, const QColor& ink);
};

const std::array<ToolInfo, 12>& toolButtons();
// Lines and shapes in `ink`, the text colour of the buttons' palette, so that the icons read on
// a light theme and a dark one alike; the coloured parts stay as they are.
QIcon toolIcon(const ToolInfo& tool, const QColor& ink);

}  // namespace quorvel
