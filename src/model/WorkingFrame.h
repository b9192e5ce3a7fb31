// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one frame being edited: a record per point format, the format byte naming the live one,
// and the point selection.
#include "model/Records.h"

#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace quorvel {

// A record of up to 160 KB, empty, in memory that costs nothing until its points are written.
// An editor holds a score of them for undo and redo; zeroing each would touch every page of
// them at start-up, where the system hands out fresh memory zeroed already. The records are
// plain bytes, so the zeroed block is an empty record as it stands.
template <class R> struct RecordMemory {
    void operator()(R* r) const { std::free(r); }
};
template <class R> using RecordPtr = std::unique_ptr<R, RecordMemory<R>>;
template <class R> RecordPtr<R> emptyRecord() {
    static_assert(std::is_trivially_copyable_v<R> && std::is_trivially_destructible_v<R>);
    auto* r = static_cast<R*>(std::calloc(1, sizeof(R)));
    if (!r) throw std::bad_alloc();
    return RecordPtr<R>(r);
}

struct WorkingFrame {
    RecordPtr<Frame0> frame0 = emptyRecord<Frame0>();
    RecordPtr<Frame1> frame1 = emptyRecord<Frame1>();
    RecordPtr<Frame5> frame5 = emptyRecord<Frame5>();
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
