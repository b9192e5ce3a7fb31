// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an SVG drawing (plain or gzip-compressed): reading either succeeds or says why
// not, and laying the drawing onto an empty frame never overfills it, never leaves the frame's
// coordinates and counts only what it added.
#include "FuzzTarget.h"
#include "vector/SvgImport.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SvgDrawing d = readSvg(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    FUZZ_CHECK(d.ok == d.error.isEmpty());
    FUZZ_CHECK(d.skipped >= 0);
    if (!d.ok) return 0;
    for (const uint8_t format : {uint8_t(1), uint8_t(5)}) {
        WorkingFrame wf;
        wf.format = format;
        const ImportReport r = importDrawing(wf, d, {5, 10, 3}, Ink(1, rgb(255, 0, 0)), Palette{}, 256);
        FUZZ_CHECK(r.added == wf.pointCount() && wf.pointCount() <= MaxPoints);
        FUZZ_CHECK(r.outlinesIn <= r.traced && r.traced <= r.outlines);
        FUZZ_CHECK(r.fit == (r.outlinesIn == r.outlines));
        FUZZ_CHECK(wf.selStart == -1 || (wf.selStart <= wf.selEnd && wf.selEnd < wf.pointCount()));
    }
    return 0;
}
