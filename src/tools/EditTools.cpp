// Changing existing points: moving, inserting, recolouring and deleting.
#include "shell/Editor.h"
#include "tools/PointAccess.h"

#include <algorithm>
#include <cmath>

namespace quorvel {

void Editor::previewMove(int32_t x, int32_t row) {
    if (frame.selStart < 0) return;
    const int dx = x - gesture.centerx, dRow = row - (511 - gesture.centery);
    ImageSurface surface = canvasSurface();
    frame.visit([&](const auto& r) {
        const int32_t last = std::min(frame.selEnd, r.pointCount - 1);
        const auto shown = [&](int32_t k) {
            const Pixel p = pixelOf(r.points[k]);
            return Pixel{p.x + dx, screenRow(p.y) + dRow};
        };
        for (int32_t k = frame.selStart; k <= last; ++k) {
            const Pixel p = shown(k);
            surface.circle(p.x, p.y, settings.pointSize, colorOf(r.points[k], palette));
        }
        Pixel pos = shown(frame.selStart);
        for (int32_t k = frame.selStart; k <= last; ++k) {
            const Pixel p = shown(k);
            surface.line(pos.x, pos.y, p.x, p.y, colorOf(r.points[k], palette));
            pos = p;
        }
    });
}

void Editor::movePoints(int32_t x, int32_t y) {
    const int dx = x - gesture.centerx, dy = y - gesture.centery;
    frame.visit([&](auto& r) {
        for (int32_t k = std::max(frame.selStart, 0); k <= frame.selEnd && k < r.pointCount; ++k) {
            auto& p = r.points[k];
            Pixel px = pixelOf(p);
            px.x += dx, px.y += dy;
            // Points pushed off the canvas are pinned to its edge and blanked.
            const Pixel pinned{std::clamp(px.x, 0, 511), std::clamp(px.y, 0, 511)};
            if (pinned.x != px.x || pinned.y != px.y) p.status = StatusBit::Blanked;
            setPixel(p, pinned.x, pinned.y);
        }
    });
    if (frame.selStart == frame.selEnd) clearPointSelection();
    resetBackdrop();
    redrawCanvas();
}

int32_t Editor::findNearestSegment(float x, float y) const {
    int32_t best = -1;
    int32_t bestD = 200000;
    frame.visit([&](const auto& r) {
        for (int32_t k = 0; k + 1 < r.pointCount; ++k) {
            const Pixel a = pixelOf(r.points[k]), b = pixelOf(r.points[k + 1]);
            const int32_t d1 = nearest(x - a.x), d2 = nearest(y - a.y), d3 = nearest(x - b.x), d4 = nearest(y - b.y);
            const int32_t d = d1 * d1 + d2 * d2 + d3 * d3 + d4 * d4;
            if (d < bestD) best = k, bestD = d;
        }
    });
    return best;
}

void Editor::highlightSegment(int32_t k) {
    Pixel a{}, b{};
    frame.visit([&](const auto& r) {
        a = pixelOf(r.points[k]);
        b = pixelOf(r.points[k + 1]);
    });
    refreshCanvas();
    ImageSurface surface = canvasSurface();
    markPoint(surface, a.x, screenRow(a.y));
    markPoint(surface, b.x, screenRow(b.y));
}

void Editor::previewInsert(int32_t k, int32_t x, int32_t y) {
    ImageSurface surface = canvasSurface();
    frame.visit([&](const auto& r) {
        const Pixel a = pixelOf(r.points[k]), b = pixelOf(r.points[k + 1]);
        const int row = screenRow(y);
        const Rgb before = palette.pointColor(currentColor, r.points[k].status);
        surface.line(a.x, screenRow(a.y), x, row, before);
        surface.line(x, row, b.x, screenRow(b.y), palette.pointColor(currentColor, r.points[k + 1].status));
        surface.circle(x, row, 4, before);
    });
}

void Editor::insertPoint(int32_t k, int32_t x, int32_t y, int button) {
    frame.visit([&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        const int32_t n = r.pointCount;
        if (k < 0 || k + 1 >= n) return;  // the segment is gone: nothing to insert into
        if (n >= MaxPoints) {
            win.statusNote = FrameFullNote;
            return;
        }
        std::move_backward(r.points.begin() + k + 1, r.points.begin() + n, r.points.begin() + n + 1);
        // The new point still holds its follower's bytes: Z and true colour are not written.
        P& p = r.points[k + 1];
        setPixel(p, x, y);
        p.status = statusForButton(button);
        if constexpr (hasColorIndex<P>()) p.colorIndex = currentColor;
        ++r.pointCount;
    });
    redrawCanvas();
}

void Editor::recolorPoint(int32_t i) {
    const auto recolor = [&](auto& r) {
        r.points[i].colorIndex = currentColor;
        if (frame.selStart > -1)
            for (int32_t k = frame.selStart; k <= frame.selEnd && k < r.pointCount; ++k)
                r.points[k].colorIndex = currentColor;
    };
    if (frame.format == 0) recolor(*frame.frame0);
    if (frame.format == 1) recolor(*frame.frame1);
    if (win.currentTool != PointTool) resetBackdrop();
    redrawCanvas();
}

void Editor::deletePoint(int32_t i) {
    frame.visit([&](auto& r) {
        const bool inSelection = frame.selStart > -1 && frame.selStart <= i && i <= frame.selEnd;
        const int32_t first = inSelection ? frame.selStart : i;
        const int32_t last = inSelection ? std::min(frame.selEnd, r.pointCount - 1) : i;
        std::copy(r.points.begin() + last + 1, r.points.begin() + r.pointCount, r.points.begin() + first);
        r.pointCount -= last - first + 1;
    });
    if (win.currentTool != PointTool) resetBackdrop();
    clearPointSelection();
    redrawCanvas();
}

}  // namespace quorvel
