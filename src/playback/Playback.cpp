#include "playback/Playback.h"

#include <cmath>

namespace quorvel {

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
