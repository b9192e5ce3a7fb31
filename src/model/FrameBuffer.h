// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame buffer file: one fixed-size slot per frame of the sequence. Every call opens the
// file, reads or writes at explicit positions and closes it again.
#include "model/FrameSlots.h"
#include "model/Text.h"
#include "model/WorkingFrame.h"

#include <QFile>
#include <QString>
#include <optional>

namespace quorvel {

// Only starting a sequence (New File, Open) makes the file: a write into a sequence whose file
// has gone fails and says so, rather than making a new file with every other slot empty.
enum class SlotAccess { Read, Write, Create };

// Writes all `bytes` at `at` in `fd`, going on after a short write: false, with errno saying
// why, when the rest cannot be written.
bool writeAllAt(int fd, const void* data, int64_t bytes, int64_t at);

// The frame buffer file opened once for the length of one command.
class SlotFile {
public:
    SlotFile(const QString& path, SlotAccess access);
    bool isOpen() const { return file_.isOpen(); }
    std::optional<FrameHeader> readHeader(int frame);
    // Reads up to `bytes` of the frame's point area; returns how many were read.
    int64_t readPoints(int frame, void* dst, int64_t bytes);
    // Reads up to `bytes` of the slot from byte `from` on (0: the header, then the point area).
    int64_t readSlot(int frame, void* dst, int64_t bytes, int64_t from = 0);
    // Writes the whole slot part or reports why not (a full disk, a file that cannot be made).
    bool writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes);
    // The same for a slot part lying whole in memory, the header followed by the points.
    bool writeSlotPart(int frame, const void* part, int64_t bytes);
    // Everything written to the file is on the disk.
    bool sync();
    // Disk space for the first `bytes` of the frame's slot, so that a write there cannot fail
    // for want of it. File systems that cannot reserve space pass. A file-size limit is not
    // checked here (some file systems reserve past it, where a write fails): see `fits`.
    bool reserve(int frame, int64_t bytes);
    // A write of the first `bytes` of the frame's slot stays under the file-size limit; so does
    // every write below it, which is why one check of the highest write covers a command.
    bool fits(int frame, int64_t bytes);
    // Why the last write failed, in the system's words.
    const QString& error() const { return error_; }

private:
    // Where the frame's slot starts, one-based; 0, with the reason kept, when the frame has no
    // slot or the file is not open.
    int64_t placeOf(int frame);
    QFile file_;
    QString error_;
};

class FrameBufferFile {
public:
    explicit FrameBufferFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Writes the live record of the working frame into the frame's slot, refreshing its
    // header count, format code and last-point bits first. False when nothing was written.
    bool saveRamToBuffer(int frame, WorkingFrame& wf) const;
    // Loads the frame's slot into the working frame; a slot of a format without a record
    // leaves the working frame as it was. False when nothing was loaded.
    bool copyFrameToRam(int frame, WorkingFrame& wf) const;

    // The frame's header and all its valid points can be read, in a format the editor loads.
    bool loadable(int frame) const;
    // How many slots from frame 1 on, up to `most`, hold a frame as the editor writes them: an
    // ILDA header of a format it keeps, no more points than a frame holds, all of them there.
    int wholeFrames(int most) const;

    template <class P>
    bool writeRecord(int frame, const FrameRecord<P>& r, SlotAccess access = SlotAccess::Write) const {
        return writeSlot(frame, r.header, r.points.data(), sizeof(P) * MaxPoints, access);
    }
    bool writeHeader(int frame, const FrameHeader& h) const { return writeSlot(frame, h, nullptr, 0); }
    bool writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes,
                   SlotAccess access = SlotAccess::Write) const;
    std::optional<FrameHeader> readHeader(int frame) const;
    // Reads up to `bytes` of the frame's point area; returns how many were read.
    int64_t readPoints(int frame, void* dst, int64_t bytes) const;
    // The slots written so far are on the disk, so that after a power cut the marker beside the
    // file never counts a slot that still held zeros or older bytes.
    bool sync() const;
    // Gone at once from its name; its blocks are freed without the program waiting for them.
    bool remove() const;
    // Files a removal left behind when it was cut short, and what Undo kept of a session that
    // ended without closing.
    void removeLeftovers() const;
    // Why the last failed write of this file failed.
    const QString& error() const { return error_; }

private:
    QString path_;
    mutable QString error_;
};

// The whole point area, as the editor loads a frame (points behind the valid ones come with it),
// or only the valid points, for what never looks past them.
enum class SlotPart { Whole, ValidPoints };
// The frame's slot loaded from a file already open, as `copyFrameToRam` does.
bool loadSlot(SlotFile& file, int frame, WorkingFrame& wf, SlotPart part);

inline constexpr Text BufferWriteFailed{QT_TRANSLATE_NOOP("Texts", "The frame buffer file could not be written: %1")};

}  // namespace quorvel
