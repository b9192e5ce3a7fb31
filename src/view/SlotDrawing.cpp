// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SlotDrawing.h"

namespace quorvel {

int drawFrameFromSlot(SlotFile& file, int frame, const Palette& pal, const PathStyle& style, Surface& s,
                      std::vector<uint8_t>& scratch) {
    s.clear();
    const auto header = file.readHeader(frame);
    if (!header) return 0;
    const int count = std::min(header->pointCount(), MaxPoints);
    const int size = recordSize(header->formatCode);
    const int64_t bytes = file.readPoints(frame, scratch.data(), int64_t(count) * size);
    const int available = size ? std::min(count, static_cast<int>(bytes / size)) : 0;
    const auto draw = [&](const auto* points) { drawPoints(s, points, available, pal, style); };
    switch (header->formatCode) {
    case 0: draw(reinterpret_cast<const Point3D*>(scratch.data())); break;
    case 1: draw(reinterpret_cast<const Point2D*>(scratch.data())); break;
    case 5: draw(reinterpret_cast<const PointTrue2D*>(scratch.data())); break;
    default: break;
    }
    return count;
}

int drawChosenFrame(const FrameBufferFile& buffer, int frame, const Palette& pal, const ViewSettings& view,
                    Surface& s) {
    if (view.beamMode) {
        WorkingFrame wf;
        if (buffer.copyFrameToRam(frame, wf)) return std::max(0, redrawCanvas(s, wf, pal, view));
    }
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.pointSize = view.pointSize;
    style.scale = view.scale;
    const int count = drawFrameFromSlot(file, frame, pal, style, s, scratch);
    drawGrid(s, view.gridStep, view.scale);
    return count;
}

}  // namespace quorvel
