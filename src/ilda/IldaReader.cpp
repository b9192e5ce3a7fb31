// SPDX-License-Identifier: GPL-3.0-or-later
#include "ilda/IldaReader.h"

#include "ilda/IldaSource.h"

#include <cstring>
#include <filesystem>

namespace quorvel {

namespace {

enum class Check { Passes, Rejects, Overflows };

// The reserved bytes count towards the format code, as older writers put codes there.
Check checkHeader(const FrameHeader& h) {
    if (!h.hasIldaSignature()) return Check::Rejects;
    const int sum = h.reserved[0] + h.reserved[1] + h.reserved[2] + h.formatCode;
    if (sum > 255) return Check::Overflows;
    return sum > 5 || sum == 3 ? Check::Rejects : Check::Passes;
}

}  // namespace

std::string rejectionText(int declaredFrames) { return " err totframes= " + std::to_string(declaredFrames); }

namespace {

FrameScan scanSource(IldaSource& file, const std::string& fileName, const SectionVisitor& visit = {}) {
    FrameScan scan;
    scan.fileName = fileName;
    const auto headerAt = [&](int64_t position, FrameHeader& h) {
        int64_t got = 0;
        const uint8_t* bytes = file.view(position, sizeof h, got);
        if (got != sizeof h) return false;
        std::memcpy(&h, bytes, sizeof h);
        return true;
    };
    const auto stop = [&](bool tellUser, std::string reason) {
        scan.rejected = tellUser;
        scan.reason = std::move(reason);
        return scan;
    };

    FrameHeader first{};
    if (!headerAt(1, first)) return stop(true, "the file holds no complete header");
    if (const Check c = checkHeader(first); c != Check::Passes)
        return stop(c == Check::Rejects, "the first header is not a valid ILDA header");
    scan.declaredFrames = first.totalFrames();
    scan.fileFramePos.assign(scan.declaredFrames + 1, 0);

    int64_t position = 1;
    for (int frame = 1; frame <= scan.declaredFrames;) {
        FrameHeader h{};
        const auto header = [frame] { return "header " + std::to_string(frame); };
        if (!headerAt(position, h)) return stop(true, "the file ends before " + header());
        if (const Check c = checkHeader(h); c != Check::Passes)
            return stop(c == Check::Rejects, header() + " is not a valid ILDA header");
        const int64_t records = int64_t(h.pointCount()) * recordSize(h.formatCode);
        if (!file.holds(position + 32, records))
            return stop(true, "the points of " + header() + " run past the end of the file");
        const bool palette = h.formatCode == 2;
        if (!palette && frame > MaxFrames) {  // what cannot be loaded is not listed either
            scan.tooManyFrames = true;
            break;
        }
        if (visit) visit({position, h});
        const int64_t here = position;
        // A code that passed the check without a record size of its own (3 behind reserved
        // bytes) leaves the position where it is: the remaining frames all read this header.
        if (recordSize(h.formatCode) > 0) position += 32 + records;
        if (palette) continue;  // palettes are stepped over and not counted
        scan.fileFramePos[frame] = here;
        scan.frameHeaders.push_back(h);
        scan.framesFound = frame++;
    }
    return scan;
}

std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

FrameScan seekFrames(const std::string& path, const SectionVisitor& visit) {
    IldaSource file(path);
    return scanSource(file, fileNameOf(path), visit);
}

FrameScan seekFrames(std::string_view bytes, const std::string& fileName) {
    IldaSource file(bytes.data(), int64_t(bytes.size()));
    return scanSource(file, fileName);
}

FrameHeader emptyFrameHeader() { return blankHeader(1); }

// The copy trusts only the bytes it actually reads: a file that got shorter since the walk
// stops the copy at the first frame it can no longer read, as a rejection at that header would.
namespace {

class FrameCopier {
public:
    FrameCopier(IldaSource& file, FrameSink& target) : file_(file), target_(target) {}

    // Frame `frame`, whose header `h` is at `position`, into its slot; nothing once a frame
    // before it could not be copied, so that the frames copied are always 1..framesCopied.
    void copy(int frame, int64_t position, const FrameHeader& h) {
        if (stopped_) return;
        stopped_ = !copied(frame, position, h);
        if (!stopped_) report.framesCopied = frame;
    }

    CopyReport report;

private:
    // False when the frame's points could not be read whole or the target did not keep them.
    bool copied(int frame, int64_t position, FrameHeader h) {
        if (h.formatCode != 0 && h.formatCode != 1 && h.formatCode != 4 && h.formatCode != 5)
            return write(frame, emptyFrameHeader(), nullptr, 0);
        int count = h.pointCount();
        const bool cut = count > MaxPoints;
        if (cut) {
            count = MaxPoints;
            h.setPointCount(count);
        }
        const int size = recordSize(h.formatCode);
        int64_t got = 0;
        const uint8_t* records = file_.view(position + 32, int64_t(count + 1) * size, got);
        // The record after the last one comes along when the file has it; it is never a point.
        if (got < int64_t(count) * size) return false;
        const bool deep = h.formatCode == 4;
        if (deep) {
            // Stored as 2-D true colour so it can be shown, edited and saved like one: Z goes.
            h.formatCode = 5;
            h.reserved[0] = h.reserved[1] = h.reserved[2] = 0;
            converted_.resize(PointAreaSize);
            uint8_t* out = converted_.data();
            for (const uint8_t* in = records; in != records + int64_t(count) * 10; in += 10, out += 8) {
                std::memcpy(out, in, 4);          // X, Y
                std::memcpy(out + 4, in + 6, 4);  // status, blue, green, red
            }
            records = converted_.data(), got = int64_t(count) * 8;
        }
        if (!write(frame, h, records, got)) return false;
        report.converted += deep;
        report.cut += cut;
        return true;
    }

    bool write(int frame, const FrameHeader& h, const void* points, int64_t bytes) {
        report.writeFailed = !target_.put(frame, h, points, bytes);
        if (report.writeFailed) report.error = target_.error();
        return !report.writeFailed;
    }

    IldaSource& file_;
    FrameSink& target_;
    std::vector<uint8_t> converted_;  // sized by the first 3-D true-colour frame
    bool stopped_ = false;
};

CopyReport copySource(IldaSource& file, const FrameScan& scan, FrameSink& target) {
    FrameCopier copier(file, target);
    for (int frame = 1; frame <= scan.framesFound; ++frame)
        copier.copy(frame, scan.fileFramePos[frame], scan.headerOf(frame));
    return copier.report;
}

}  // namespace

CopyReport copyFrames(const std::string& path, const FrameScan& scan, FrameSink& target) {
    IldaSource file(path);
    return copySource(file, scan, target);
}

CopyReport copyFrames(std::string_view bytes, const FrameScan& scan, FrameSink& target) {
    IldaSource file(bytes.data(), int64_t(bytes.size()));
    return copySource(file, scan, target);
}

// Each frame is copied as the walk reaches it, while its bytes are in the window.
OpenedFrames openFrames(const std::string& path, FrameSink& target) {
    IldaSource file(path);
    FrameCopier copier(file, target);
    int frame = 0;
    OpenedFrames opened;
    opened.scan = scanSource(file, fileNameOf(path), [&](const IldaSection& s) {
        if (s.header.formatCode != 2) copier.copy(++frame, s.position, s.header);
    });
    opened.copied = copier.report;
    return opened;
}

std::string conversionNotes(const CopyReport& copied) {
    std::string notes;
    if (copied.converted) notes = std::to_string(copied.converted) + " 3-D true-colour frames were converted to 2-D.";
    if (copied.cut) {
        if (!notes.empty()) notes += ' ';
        notes += std::to_string(copied.cut) + " frames were cut to their first 20000 points.";
    }
    return notes;
}

}  // namespace quorvel
