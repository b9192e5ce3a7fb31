// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an ILDA file: the walk and the copy never read past the input, every frame the
// walk counts lands in a slot, and what Save As writes reads back to exactly the same slots.
#include "FuzzTarget.h"
#include "ilda/IldaOpen.h"
#include "ilda/IldaWriter.h"

#include <QTemporaryDir>
#include <cstring>
#include <vector>

using namespace quorvel;

namespace {
FrameHeader comparable(FrameHeader h) {
    h.setTotalFrames(0);
    h.setFrameNumber(0);
    return h;
}

void expectSameSlots(const FrameBufferFile& first, const FrameBufferFile& second, int frames) {
    SlotFile a(first.path(), SlotAccess::Read), b(second.path(), SlotAccess::Read);
    static std::vector<uint8_t> pointsA(PointAreaSize), pointsB(PointAreaSize);
    for (int frame = 1; frame <= frames; ++frame) {
        const FrameHeader ha = comparable(a.readHeader(frame).value()), hb = comparable(b.readHeader(frame).value());
        FUZZ_CHECK(std::memcmp(&ha, &hb, sizeof ha) == 0);
        const int64_t bytes = int64_t(ha.pointCount()) * recordSize(ha.formatCode);
        FUZZ_CHECK(bytes <= PointAreaSize);
        FUZZ_CHECK(a.readPoints(frame, pointsA.data(), bytes) == bytes);
        FUZZ_CHECK(b.readPoints(frame, pointsB.data(), bytes) == bytes);
        FUZZ_CHECK(std::memcmp(pointsA.data(), pointsB.data(), bytes) == 0);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    const FrameBufferFile loaded(folder.filePath("loaded.tmp")), reread(folder.filePath("reread.tmp"));
    const QString saved = folder.filePath("saved.ild");
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const FrameScan scan = seekFrames(bytes, QStringLiteral("fuzz.ild"));
    FUZZ_CHECK(scan.framesFound >= 0 && scan.framesFound <= MaxFrames);
    // Thousands of frames come from a few bytes (a header that holds the walk in place); the
    // walk's limit is what such an input tests, and copying them all would slow every run.
    if (scan.rejected || scan.framesFound == 0 || scan.framesFound > 300) return 0;
    const CopyReport copied = copyFrames(bytes, scan, loaded);
    FUZZ_CHECK(!copied.writeFailed && copied.framesCopied == scan.framesFound);
    FUZZ_CHECK(writeIldaFile(loaded, copied.framesCopied, saved).ok);
    const FrameScan again = seekFrames(saved);
    FUZZ_CHECK(!again.rejected && again.framesFound == copied.framesCopied);
    const CopyReport recopied = copyFrames(saved, again, reread);
    FUZZ_CHECK(recopied.framesCopied == copied.framesCopied && recopied.converted == 0 && recopied.cut == 0);
    expectSameSlots(loaded, reread, copied.framesCopied);
    return 0;
}
