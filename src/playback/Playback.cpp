#include "playback/Playback.h"

#include <cmath>

namespace quorvel {

QString Playback::scanRateText(int points, uint8_t fps) {
    // Thousands apart by a space, as printed figures are.
    QString count = QString::number(points);
    for (qsizetype at = count.size() - 3; at > 0; at -= 3) count.insert(at, ' ');
    const int64_t tenthsOfKpps = (int64_t(points) * fps + 50) / 100;  // halves round up
    return QStringLiteral("%1 %2 \u00B7 %3.%4 kpps at %5 fps")
        .arg(count, points == 1 ? QStringLiteral("point") : QStringLiteral("points"))
        .arg(tenthsOfKpps / 10)
        .arg(tenthsOfKpps % 10)
        .arg(fps);
}

int Playback::intervalFor(uint8_t fps) { return static_cast<int>(std::nearbyint(1000.0 / (fps == 0 ? 1 : fps))); }

int Playback::run(int totalFrames, const std::function<void(int)>& draw, const std::function<void()>& waitForEvents) {
    stopRequested_ = tick_ = false;
    playing_ = true;
    int shown = 0;
    for (int frame = 1; frame <= totalFrames; ++frame) {
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
