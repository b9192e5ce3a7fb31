// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the benchmarks: an editor needs prompts that nobody answers, and the typical
// 20000-point drawing.
#include "model/FrameBuffer.h"
#include "model/WorkingFrame.h"
#include "shell/Prompts.h"
#include "tools/PointAccess.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <vector>

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

// 10000 frames of 500 format-0 points, written once per run: about 40 MB.
struct ShowFile {
    QTemporaryDir dir;
    QString path = dir.filePath("show.ild");
    QString bufferPath = dir.filePath("FrameBuffer.tmp");

    ShowFile() {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        std::vector<Point3D> points(500);
        for (int i = 0; i < 500; ++i) {
            const auto x = fromCanvas(i * 120), y = fromCanvas(65534 - i * 120);
            points[i] = {x.hi, x.lo, y.hi, y.lo, 0, 0, static_cast<uint8_t>(i == 499 ? 128 : 0), uint8_t(i)};
        }
        for (int frame = 1; frame <= MaxFrames; ++frame) {
            FrameHeader h{};
            h.setSignature("ILDA");
            h.setFrameName("bench");
            h.setPointCount(500);
            h.setFrameNumber(frame - 1);
            h.setTotalFrames(MaxFrames);
            f.write(reinterpret_cast<const char*>(&h), sizeof h);
            f.write(reinterpret_cast<const char*>(points.data()), 500 * sizeof(Point3D));
        }
    }
};

inline ShowFile& show() {
    static ShowFile file;
    return file;
}

}  // namespace quorvel::bench
