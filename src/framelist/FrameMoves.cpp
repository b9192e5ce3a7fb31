// SPDX-License-Identifier: GPL-3.0-or-later
#include "framelist/FrameMoves.h"
#include "model/Text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

namespace quorvel {

namespace {

int64_t usedBytes(const FrameHeader& h) {
    return std::min<int64_t>(int64_t(std::min(h.pointCount(), MaxPoints)) * recordSize(h.formatCode), PointAreaSize);
}

std::optional<SlotBytes> readSlot(SlotFile& file, int frame) {
    const std::optional<FrameHeader> h = file.readHeader(frame);
    if (!h) return std::nullopt;
    SlotBytes s{*h, std::vector<uint8_t>(size_t(usedBytes(*h)))};
    s.points.resize(size_t(file.readPoints(frame, s.points.data(), int64_t(s.points.size()))));
    return s;
}

bool writeSlot(SlotFile& file, int frame, const SlotBytes& s) {
    return file.writeSlot(frame, s.header, s.points.data(), int64_t(s.points.size()));
}

// A frame on its way from one slot to another: its header and valid points in one buffer, reused
// from frame to frame. It is read with one call when it is no bigger than the frame read before
// it (neighbouring frames mostly are alike) and written with one: a move of thousands of frames
// costs what its calls cost.
class Moving {
public:
    // False when the frame's header cannot be read; points missing at the end of the file stay
    // missing.
    bool read(SlotFile& file, int frame) {
        const int64_t guess = std::max<int64_t>(size(), 32);
        bytes_.resize(size_t(guess));
        const int64_t got = file.readSlot(frame, bytes_.data(), guess);
        if (got < 32) return false;
        const int64_t whole = 32 + usedBytes(header());
        int64_t have = std::min(got, whole);
        if (got == guess && whole > got) {  // bigger than the last one: the rest
            bytes_.resize(size_t(whole));
            have = got + file.readSlot(frame, bytes_.data() + got, whole - got, got);
        }
        bytes_.resize(size_t(have));
        return true;
    }
    bool write(SlotFile& file, int frame) const { return file.writeSlotPart(frame, bytes_.data(), size()); }
    bool keep(FrameStash& stash) const { return stash.keep(header(), points(), size() - 32); }
    FrameHeader header() const {
        FrameHeader h;
        std::memcpy(&h, bytes_.data(), sizeof h);
        return h;
    }
    // Header and points.
    int64_t size() const { return int64_t(bytes_.size()); }

private:
    const uint8_t* points() const { return bytes_.data() + 32; }
    std::vector<uint8_t> bytes_;
};

}  // namespace

QString unreadable(int frame) { return Text(QT_TRANSLATE_NOOP("Texts", "frame %1 cannot be read")).arg(frame); }

FrameStash::FrameStash(const QString& path) : path_(QFile::encodeName(path)) {
    // A link under its name is never followed: the stash could otherwise truncate any file.
    fd_ = ::open(path_.constData(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd_ == -1) error_ = QString::fromLocal8Bit(std::strerror(errno));
}

FrameStash::~FrameStash() {
    ::close(fd_);  // -1 when it never opened: the call then does nothing
    ::unlink(path_.constData());
}

bool FrameStash::keep(const FrameHeader& h, const void* points, int64_t bytes) {
    offsets_.push_back(end_);
    return put(&h, sizeof h) && put(points, bytes);
}

std::optional<FrameHeader> FrameStash::header(size_t i) const {
    FrameHeader h;
    if (::pread(fd_, &h, sizeof h, offsets_.at(i)) != sizeof h) return std::nullopt;
    return h;
}

std::optional<SlotBytes> FrameStash::take(size_t i) const {
    const std::optional<FrameHeader> h = header(i);
    if (!h) return std::nullopt;
    SlotBytes s{*h, std::vector<uint8_t>(size_t(usedBytes(*h)))};
    const int64_t bytes = int64_t(s.points.size());
    if (::pread(fd_, s.points.data(), size_t(bytes), offsets_[i] + 32) != bytes) return std::nullopt;
    return s;
}

bool FrameStash::put(const void* data, int64_t bytes) {
    if (fd_ == -1) return false;
    if (!writeAllAt(fd_, data, bytes, end_)) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    end_ += bytes;
    return true;
}

MoveResult keepFrames(const FrameBufferFile& buffer, int first, int count, FrameStash& stash) {
    SlotFile file(buffer.path(), SlotAccess::Read);
    if (!file.isOpen()) return {false, file.error()};  // why the file cannot be used, rather than a frame
    for (int f = first; f < first + count; ++f) {
        const std::optional<SlotBytes> s = readSlot(file, f);
        if (!s) return {false, unreadable(f)};
        if (!stash.keep(*s)) return {false, stash.error()};
    }
    return {};
}

MoveResult deleteFrames(const FrameBufferFile& buffer, int first, int count, int totalFrames) {
    if (first + count > totalFrames) return {};  // nothing follows the range
    SlotFile file(buffer.path(), SlotAccess::Write);
    if (!file.isOpen()) return {false, file.error()};
    const int lastTo = totalFrames - count;  // slots first..lastTo are written
    const int overwrittenDeleted = std::min(first + count - 1, lastTo);
    // The highest write, the last frame into slot lastTo, is checked against the file-size limit
    // before anything moves; it covers every write below it.
    const std::optional<FrameHeader> last = file.readHeader(totalFrames);
    if (!last) return {false, unreadable(totalFrames)};
    if (!file.fits(lastTo, 32 + usedBytes(*last))) return {false, file.error()};
    // The bytes slots first..lastTo hold before they are written, as their frames are read: a
    // slot that is to hold more has its room reserved before the write.
    std::vector<int64_t> held(size_t(lastTo - first + 1));
    // The deleted frames whose slots get overwritten are kept until the deletion is done, so that a
    // deletion that fails half way can be taken back.
    FrameStash stash(buffer.path() + QStringLiteral(".deleting"));
    Moving s;
    for (int d = first; d <= overwrittenDeleted; ++d) {
        if (!s.read(file, d)) return {false, unreadable(d)};
        held[size_t(d - first)] = s.size();
        if (!s.keep(stash)) return {false, stash.error()};
    }

    int to = first;
    QString why;
    for (; to <= lastTo; ++to) {
        const int from = to + count;
        if (!s.read(file, from)) {
            why = unreadable(from);
            break;
        }
        if (from <= lastTo) held[size_t(from - first)] = s.size();
        if ((s.size() > held[size_t(to - first)] && !file.reserve(to, s.size())) || !s.write(file, to)) break;
    }
    if (to > lastTo) return {};

    // Taken back, last move first: slot t held frame t, which now lies count slots lower, or,
    // for a deleted frame, in the stash.
    if (why.isEmpty()) why = file.error();
    for (int t = to; t >= first; --t) {
        const std::optional<SlotBytes> s =
            t >= first + count ? readSlot(file, t - count) : stash.take(size_t(t - first));
        if (!s || !writeSlot(file, t, *s))
            return {false, why + Text(QT_TRANSLATE_NOOP("Texts", "; frame %1 could not be put back")).arg(t)};
    }
    return {false, why};
}

std::optional<SlotBytes> readFrame(const FrameBufferFile& buffer, int frame) {
    SlotFile file(buffer.path(), SlotAccess::Read);
    return readSlot(file, frame);
}

namespace {

// Frames at..totalFrames move up `count` slots, last first so that every frame is read before its
// slot is written; then `fill` writes the slots left behind. If a move or the fill fails, the
// frames go back where they were.
MoveResult openGap(SlotFile& file, int at, int count, int totalFrames, const std::function<bool()>& fill) {
    // The bytes each frame from `at` on held in its slot, as it is read: slot t + count, which
    // held frame t + count (read before), needs room only for what goes beyond them.
    std::vector<int64_t> held(size_t(std::max(0, totalFrames - at + 1)));
    const auto heldIn = [&](int slot) { return slot <= totalFrames ? held[size_t(slot - at)] : 0; };
    Moving s;
    QString why;
    int t = totalFrames;
    for (; t >= at; --t) {
        if (!s.read(file, t)) {
            why = unreadable(t);
            break;
        }
        held[size_t(t - at)] = s.size();
        // The first move is the highest write: past the file-size limit, nothing has moved yet.
        if ((t == totalFrames && !file.fits(t + count, s.size())) ||
            (s.size() > heldIn(t + count) && !file.reserve(t + count, s.size())) || !s.write(file, t + count))
            break;
    }
    if (t < at && fill()) return {};
    // Taken back: each slot from the failed one up holds again what now lies `count` slots higher.
    if (why.isEmpty()) why = file.error();
    for (int u = t + 1; u <= totalFrames; ++u) {
        const std::optional<SlotBytes> back = readSlot(file, u + count);
        if (!back || !writeSlot(file, u, *back))
            return {false, why + Text(QT_TRANSLATE_NOOP("Texts", "; frame %1 could not be put back")).arg(u)};
    }
    return {false, why};
}

}  // namespace

MoveResult insertFrame(const FrameBufferFile& buffer, int at, int totalFrames, const SlotBytes& frame) {
    return replaceFrames(
        buffer, at, 0, 1, [&](int) { return std::optional<SlotBytes>(frame); }, totalFrames);
}

MoveResult replaceFrames(const FrameBufferFile& buffer, int first, int taken, int count, const FrameSource& frameAt,
                         int totalFrames) {
    SlotFile file(buffer.path(), SlotAccess::Write);
    if (!file.isOpen()) return {false, file.error()};
    // Room for the frames put, taken before anything moves.
    for (int i = 0; i < count; ++i) {
        const std::optional<SlotBytes> s = frameAt(i);
        if (!s) return {false, unreadable(first + i)};
        const int64_t need = 32 + int64_t(s->points.size());
        if ((i + 1 == count && !file.fits(first + i, need)) || !file.reserve(first + i, need))
            return {false, file.error()};
    }
    // The frames replaced are kept until the new ones are in: a write that fails half way puts
    // them back.
    std::optional<FrameStash> kept;
    if (taken > 0) {
        kept.emplace(buffer.path() + QStringLiteral(".replacing"));
        if (const MoveResult k = keepFrames(buffer, first, taken, *kept); !k.ok) return k;
    }
    QString why;
    const auto fill = [&] {
        for (int i = 0; i < count; ++i) {
            const std::optional<SlotBytes> s = frameAt(i);
            if (!s) why = unreadable(first + i);
            if (!s || !writeSlot(file, first + i, *s)) return false;
        }
        return true;
    };
    MoveResult failed;
    if (count > taken) {  // a failed fill moves the frames after the gap back itself
        const MoveResult gap = openGap(file, first + taken, count - taken, totalFrames, fill);
        if (gap.ok) return {};
        failed = why.isEmpty() ? gap : MoveResult{false, why};
    } else {
        if (count < taken)
            if (const MoveResult closed = deleteFrames(buffer, first + count, taken - count, totalFrames); !closed.ok)
                return closed;
        if (fill()) return {};
        failed = {false, why.isEmpty() ? file.error() : why};
    }
    if (!kept) return failed;
    // Put back: the slots the new frames took hold the kept ones again and, where fewer came, the
    // frames after them move up again to make room for the rest.
    const auto putBack = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            if (const std::optional<SlotBytes> s = kept->take(size_t(i)); !s || !writeSlot(file, first + i, *s))
                return false;
        return true;
    };
    const int left = std::min(count, taken);
    if (!putBack(0, left) ||
        (count < taken && !openGap(file, first + count, taken - count, totalFrames - (taken - count), [&] {
                               return putBack(left, taken);
                           }).ok))
        failed.error += Text(QT_TRANSLATE_NOOP("Texts", "; frame %1 could not be put back")).arg(first);
    return failed;
}

MoveResult swapFrames(const FrameBufferFile& buffer, int a, int b) {
    SlotFile file(buffer.path(), SlotAccess::Write);
    if (!file.isOpen()) return {false, file.error()};
    const std::optional<SlotBytes> first = readSlot(file, a), second = readSlot(file, b);
    if (!first || !second) return {false, unreadable(first ? b : a)};
    const int64_t intoA = 32 + int64_t(second->points.size()), intoB = 32 + int64_t(first->points.size());
    if (!file.fits(std::max(a, b), a > b ? intoA : intoB) || !file.reserve(a, intoA) || !file.reserve(b, intoB))
        return {false, file.error()};
    if (!writeSlot(file, a, *second)) {
        const QString why = file.error();
        writeSlot(file, a, *first);
        return {false, why};
    }
    if (writeSlot(file, b, *first)) return {};
    const QString why = file.error();
    if (!writeSlot(file, a, *first))
        return {false, why + Text(QT_TRANSLATE_NOOP("Texts", "; frame %1 could not be put back")).arg(a)};
    return {false, why};
}

}  // namespace quorvel
