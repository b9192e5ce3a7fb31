// Mouse input on the canvas.
#include "shell/Editor.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

void Editor::pointerAt(double X, double Y) {
    X = std::clamp(X, 0.0, 511.0);
    Y = 511.0 - std::clamp(Y, 0.0, 511.0);
    // The read-out speaks in ILDA values: the left and bottom edges read -32768.
    win.xLabel = QString::number(static_cast<long>(std::nearbyint(X * 128)) - 32768);
    win.yLabel = QString::number(static_cast<long>(std::nearbyint(Y * 128)) - 32768);
}

}  // namespace quorvel
