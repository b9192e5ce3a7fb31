#include "ilda/IldaRepair.h"

#include "ilda/IldaSource.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace quorvel {

namespace {
// Colour tables hold 3 bytes an entry, as palettes do.
int sectionRecordSize(int formatCode) { return formatCode == 3 ? 3 : recordSize(formatCode); }
}  // namespace

RepairScan scanLeniently(const QString& path) {
    RepairScan r;
    FrameScan& scan = r.scan;
    scan.fileName = QFileInfo(path).fileName();
    scan.fileFramePos.push_back(0);  // frame numbers start at 1
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly)) {
        r.stopReason = QStringLiteral("the file could not be read: %1").arg(probe.errorString());
        return r;
    }
    IldaSource file(path);
    const int64_t size = file.size();
    int64_t at = 0;
    const auto stop = [&](const QString& reason) {
        r.stoppedAt = at;
        r.stopReason = reason;
        scan.declaredFrames = scan.framesFound;
        return r;
    };
    for (;;) {
        if (at == size) return stop(QStringLiteral("the end of the file"));
        if (size - at < int64_t(sizeof(FrameHeader)))
            return stop(QStringLiteral("stray bytes at the end, too few for a header (%1)").arg(size - at));
        FrameHeader h;
        int64_t got = 0;
        const uint8_t* bytes = file.view(at + 1, sizeof h, got);
        // A file that got shorter since it was opened ends where its bytes end.
        if (got < int64_t(sizeof h)) return stop(QStringLiteral("the end of the file, which got shorter while read"));
        std::memcpy(&h, bytes, sizeof h);
        if (!h.hasIldaSignature()) return stop(QStringLiteral("bytes that are no ILDA header"));
        const int code = h.formatCode, count = h.pointCount(), size1 = sectionRecordSize(code);
        if (size1 == 0) return stop(QStringLiteral("a section of unknown format %1").arg(code));
        if (count == 0) return stop(QStringLiteral("a closing header"));
        const int64_t room = (size - at - 32) / size1;
        if (code == 2 || code == 3) {
            if (room < count) return stop(QStringLiteral("a palette section cut short"));
            ++r.skipped;
            at += 32 + int64_t(count) * size1;
            continue;
        }
        if (scan.framesFound == MaxFrames) return stop(QStringLiteral("the limit of %1 frames").arg(MaxFrames));
        if (room == 0) return stop(QStringLiteral("a frame with none of its %1 points").arg(count));
        const int whole = int(std::min<int64_t>(count, room));
        // Only the format byte names the format: codes some writers put in the reserved bytes
        // would make the written file unreadable.
        h.reserved[0] = h.reserved[1] = h.reserved[2] = 0;
        h.setPointCount(whole);
        scan.frameHeaders.push_back(h);
        scan.fileFramePos.push_back(at + 1);
        ++scan.framesFound;
        r.points += whole;
        at += 32 + int64_t(whole) * size1;
        if (whole < count)
            return stop(QStringLiteral("frame %1 cut short after %2 of its %3 points (they are kept)")
                            .arg(scan.framesFound)
                            .arg(whole)
                            .arg(count));
    }
}

}  // namespace quorvel
