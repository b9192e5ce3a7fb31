// SPDX-License-Identifier: GPL-3.0-or-later
#include "ilda/IldaRepair.h"

#include "ilda/IldaSource.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quorvel {

namespace {
// Colour tables hold 3 bytes an entry, as palettes do.
int sectionRecordSize(int formatCode) { return formatCode == 3 ? 3 : recordSize(formatCode); }
}  // namespace

RepairScan scanLeniently(const std::string& path) {
    RepairScan r;
    FrameScan& scan = r.scan;
    scan.fileName = std::filesystem::path(path).filename().string();
    scan.fileFramePos.push_back(0);  // frame numbers start at 1
    IldaSource file(path);
    if (!file.isOpen()) {
        r.stopReason = std::string("the file could not be read: ") + std::strerror(errno);
        return r;
    }
    const int64_t size = file.size();
    int64_t at = 0;
    const auto stop = [&](std::string reason) {
        r.stoppedAt = at;
        r.stopReason = std::move(reason);
        scan.declaredFrames = scan.framesFound;
        return r;
    };
    for (;;) {
        if (at == size) return stop("the end of the file");
        if (size - at < int64_t(sizeof(FrameHeader)))
            return stop("stray bytes at the end, too few for a header (" + std::to_string(size - at) + ")");
        FrameHeader h;
        int64_t got = 0;
        const uint8_t* bytes = file.view(at + 1, sizeof h, got);
        // A file that got shorter since it was opened ends where its bytes end.
        if (got < int64_t(sizeof h)) return stop("the end of the file, which got shorter while read");
        std::memcpy(&h, bytes, sizeof h);
        if (!h.hasIldaSignature()) return stop("bytes that are no ILDA header");
        const int code = h.formatCode, count = h.pointCount(), size1 = sectionRecordSize(code);
        if (size1 == 0) return stop("a section of unknown format " + std::to_string(code));
        if (count == 0) return stop("a closing header");
        const int64_t room = (size - at - 32) / size1;
        if (code == 2 || code == 3) {
            if (room < count) return stop("a palette section cut short");
            ++r.skipped;
            at += 32 + int64_t(count) * size1;
            continue;
        }
        if (scan.framesFound == MaxFrames) return stop("the limit of " + std::to_string(MaxFrames) + " frames");
        if (room == 0) return stop("a frame with none of its " + std::to_string(count) + " points");
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
            return stop("frame " + std::to_string(scan.framesFound) + " cut short after " + std::to_string(whole) +
                        " of its " + std::to_string(count) + " points (they are kept)");
    }
}

}  // namespace quorvel
