#pragma once
// The one frame being edited: a record per point format, the format byte naming the live one,
// and the point selection.
#include "model/Records.h"

#include <memory>
#include <utility>

namespace quorvel {

struct WorkingFrame {
    std::unique_ptr<Frame0> frame0 = std::make_unique<Frame0>();
    std::unique_ptr<Frame1> frame1 = std::make_unique<Frame1>();
    std::unique_ptr<Frame5> frame5 = std::make_unique<Frame5>();
    uint8_t format = 0;  // RAMFormat
    int32_t selStart = -1, selEnd = -1;

    template <class P> FrameRecord<P>& record();
    template <class P> const FrameRecord<P>& record() const { return const_cast<WorkingFrame*>(this)->record<P>(); }

    // Runs f on the live record; a format without a branch does nothing.
    template <class F> void visit(F&& f) { visitFormat(format, std::forward<F>(f)); }
    template <class F> void visit(F&& f) const {
        const_cast<WorkingFrame*>(this)->visit([&](auto& r) { f(std::as_const(r)); });
    }
    template <class F> void visitFormat(uint8_t code, F&& f) {
        switch (code) {
        case 0: f(*frame0); break;
        case 1: f(*frame1); break;
        case 5: f(*frame5); break;
        default: break;
        }
    }

    bool hasLiveRecord() const { return format == 0 || format == 1 || format == 5; }
    int32_t pointCount() const {
        int32_t n = 0;
        visit([&](const auto& r) { n = r.pointCount; });
        return n;
    }
    void clearSelection() { selStart = selEnd = -1; }
};

template <> inline Frame0& WorkingFrame::record<Point3D>() { return *frame0; }
template <> inline Frame1& WorkingFrame::record<Point2D>() { return *frame1; }
template <> inline Frame5& WorkingFrame::record<PointTrue2D>() { return *frame5; }

// Readies a record for its slot: header count from the 32-bit count, the format code of its
// point kind, and the last-point bit on the last valid point only.
template <class P> void refreshForWrite(FrameRecord<P>& r) {
    r.header.setPointCount(r.pointCount);
    r.header.formatCode = formatOf<P>();
    for (int32_t i = 0; i < r.pointCount; ++i) r.points[i].status &= static_cast<uint8_t>(~StatusBit::LastPoint);
    if (r.pointCount > 0) r.points[r.pointCount - 1].status |= StatusBit::LastPoint;
}

}  // namespace quorvel
