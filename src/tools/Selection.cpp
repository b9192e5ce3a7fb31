// The hit test every point tool uses, and selecting points, ranges and whole objects.
#include "shell/Editor.h"
#include "tools/PointAccess.h"

#include <cmath>

namespace quorvel {

int32_t Editor::findNearestPoint(float x, float y) {
    int32_t best = -1;
    int32_t bestD = 100;  // closer than 10 pixels
    Pixel found{};
    frame.visit([&](const auto& r) {
        for (int32_t k = 0; k < r.pointCount; ++k) {
            const Pixel p = pixelOf(r.points[k]);
            const float d = (y - p.y) * (y - p.y) + (x - p.x) * (x - p.x);
            // The kept distance is rounded, so a later point must beat the rounded value.
            if (d < bestD) best = k, bestD = nearest(d), found = p;
        }
    });
    if (best > -1) {
        ImageSurface surface = canvasSurface();
        markPoint(surface, found.x, screenRow(found.y));
    }
    return best;
}

void Editor::clearPointSelection() {
    frame.clearSelection();
    gesture.selectClickPhase = 0;  // the next click always starts a new range
}

void Editor::selectPoint(int32_t i) {
    if (gesture.selectClickPhase == 0 || frame.selStart < 0) {
        frame.selStart = frame.selEnd = i;
        gesture.selectClickPhase = 1;
    } else {
        frame.selEnd = i;
        gesture.selectClickPhase = 0;
        if (frame.selStart > frame.selEnd) std::swap(frame.selStart, frame.selEnd);
    }
    refreshCanvas();
}

// An object is a run of visible points with the blanked point the beam starts it from.
void Editor::selectObject(int32_t i) {
    bool changed = false;
    frame.visit([&](const auto& r) {
        if (r.pointCount == 0 || isBlanked(r.points[i])) return;
        bool inRun = false, hit = false;
        for (int32_t k = 0; k < r.pointCount; ++k) {
            if (k == i) hit = true;
            if (!isBlanked(r.points[k])) {
                if (!inRun) inRun = true, frame.selStart = std::max(k - 1, 0);
            } else if (inRun) {
                frame.selEnd = k - 1;
                if (hit) {
                    changed = true;
                    return;
                }
                inRun = false;
            }
        }
        frame.selEnd = r.pointCount - 1;
        changed = true;
    });
    if (changed) refreshCanvas();
}

void Editor::selectAllPoints() {
    const int32_t n = frame.pointCount();
    if (n == 0) {
        clearPointSelection();
        return;
    }
    frame.selStart = 0;
    frame.selEnd = n - 1;
    refreshCanvas();
}

}  // namespace quorvel
