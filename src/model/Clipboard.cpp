// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Clipboard.h"

#include <algorithm>

namespace quorvel {

void Clipboard::copyFrame(const WorkingFrame& wf) {
    wf.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        records_.record<P>() = r;
        records_.format = wf.format;
    });
}

void Clipboard::pasteFrame(WorkingFrame& wf) const {
    records_.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        wf.record<P>() = r;
        wf.format = records_.format;
    });
}

void Clipboard::copyPoints(const WorkingFrame& wf) {
    wf.visit([&](const auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        const int32_t first = wf.selStart, last = std::min(wf.selEnd, r.pointCount - 1);
        if (first < 0 || last < first) return;
        FrameRecord<P>& clip = records_.record<P>();
        clip.pointCount = last - first + 1;
        clip.header.setPointCount(clip.pointCount);
        std::copy(r.points.begin() + first, r.points.begin() + last + 1, clip.points.begin());
        records_.format = wf.format;
    });
}

}  // namespace quorvel
