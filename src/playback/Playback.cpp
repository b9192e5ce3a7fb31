// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/Playback.h"
#include "model/Text.h"

#include <cmath>

namespace quorvel {

QString Playback::refreshRateText(int points, int kpps) {
    // Thousands apart by a space, as printed figures are.
    QString count = QString::number(points);
    for (qsizetype at = count.size() - 3; at > 0; at -= 3) count.insert(at, ' ');
    const QString what =
        points == 1 ? Text(QT_TRANSLATE_NOOP("Texts", "point")) : Text(QT_TRANSLATE_NOOP("Texts", "points"));
    if (points == 0) return Text(QT_TRANSLATE_NOOP("Texts", "0 points at %1 kpps")).arg(kpps);
    const int64_t tenthsOfFps = (int64_t(kpps) * 20000 / points + 1) / 2;  // halves round up
    return Text(QT_TRANSLATE_NOOP("Texts", "%1 %2 \u00B7 %3.%4 fps at %5 kpps"))
        .arg(count, what)
        .arg(tenthsOfFps / 10)
        .arg(tenthsOfFps % 10)
        .arg(kpps);
}

int Playback::intervalFor(uint8_t fps) { return static_cast<int>(std::nearbyint(1000.0 / (fps == 0 ? 1 : fps))); }

int Playback::run(int first, int last, const std::function<void(int)>& draw,
                  const std::function<void()>& waitForEvents) {
    stopRequested_ = tick_ = false;
    playing_ = true;
    int shown = 0;
    for (int frame = first; frame <= last; frame = frame < last || !loop ? frame + 1 : first) {
        draw(frame);
        shown = frame;
        // Ticks are flagged, not counted: a frame that drew longer than the interval is followed
        // at once by the next, never by a queue of them.
        while (!tick_) {
            waitForEvents();
            if (stopRequested_) {
                playing_ = false;
                return shown;
            }
        }
        tick_ = false;
    }
    playing_ = false;
    return shown;
}

}  // namespace quorvel
