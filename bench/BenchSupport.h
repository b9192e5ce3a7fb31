#pragma once
// Shared by the benchmarks: an editor needs prompts that nobody answers, and the typical
// 20000-point drawing.
#include "model/FrameBuffer.h"
#include "model/WorkingFrame.h"
#include "shell/Prompts.h"
#include "tools/PointAccess.h"

#include <QTemporaryDir>
#include <algorithm>
#include <random>

namespace quorvel::bench {

class SilentPrompts final : public Prompts {
public:
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    void message(const QString&, MessageIcon) override {}
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

// A dense drawing, as a traced or written frame is: consecutive points at most 16 pixels
// apart, wandering over the canvas, colours cycling through the palette.
inline void fillDense(Frame0& f) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> step(-8, 8);
    int x = 256, y = 256;
    for (int i = 0; i < MaxPoints; ++i) {
        x = std::clamp(x + step(rng), 0, 511);
        y = std::clamp(y + step(rng), 0, 511);
        f.points[i] = {};
        setPixel(f.points[i], x, y);
        f.points[i].colorIndex = static_cast<uint8_t>(i & 255);
    }
    f.pointCount = MaxPoints;
}

// A frame buffer file in `dir` whose slot 1 holds the dense drawing; `wf` is left holding it.
inline FrameBufferFile denseBufferFile(const QTemporaryDir& dir, WorkingFrame& wf) {
    FrameBufferFile buffer(dir.filePath("FrameBuffer.tmp"));
    fillDense(*wf.frame0);
    QFile(buffer.path()).open(QIODevice::WriteOnly);  // as a started sequence has it
    buffer.saveRamToBuffer(1, wf);
    return buffer;
}

}  // namespace quorvel::bench
