// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing the sequence on the canvas: every frame in turn, one per tick of a timer. The loop
// draws a frame, then lets pending events run until a tick has come (or Stop was pressed). The
// program's ticks come from a timer; tests hand in a pump that delivers them one by one.
#include <QString>
#include <cstdint>
#include <functional>

namespace quorvel {

class Playback {
public:
    // Milliseconds between frames: 1000 / fps, halves to even (16 fps: 62 ms). A rate of 0, which
    // only a damaged settings file gives, plays at 1 frame per second.
    static int intervalFor(uint8_t fps);
    // How often a projector scanning `kpps` thousand points a second redraws a frame of
    // `points`, in the status bar's words: "1 254 points · 23.9 fps at 30 kpps".
    static QString refreshRateText(int points, int kpps);
    // Below 15 redraws a second a frame flickers on the wall.
    static bool flickers(int points, int kpps) { return int64_t(kpps) * 1000 < int64_t(points) * MinSteadyFps; }
    static constexpr int MinSteadyFps = 15;

    // Draws frames 1..totalFrames with `draw`; after each one `waitForEvents` runs until a tick
    // has come, and a stop request ends the playback at once. Returns the last frame drawn.
    int run(int totalFrames, const std::function<void(int frame)>& draw, const std::function<void()>& waitForEvents) {
        return run(1, totalFrames, draw, waitForEvents);
    }
    // The same for frames first..last; while `loop` is set, the last is followed by the first
    // again, until Stop.
    int run(int first, int last, const std::function<void(int frame)>& draw,
            const std::function<void()>& waitForEvents);

    void tick() { tick_ = true; }
    void requestStop() { stopRequested_ = true; }
    bool playing() const { return playing_; }

    bool loop = false;  // "Loop": read at each end of the range, so it can be unticked while playing

private:
    bool tick_ = false;
    bool stopRequested_ = false;
    bool playing_ = false;
};

}  // namespace quorvel
