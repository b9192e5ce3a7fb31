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

QString unreadable(int frame) { return Text(QT_TRANSLATE_NOOP("Texts", "frame %1 cannot be read")).arg(frame); }

// The headers of frames first..last, every one of which must be readable before anything moves:
// 0, or the first frame whose header cannot be read.
int readHeaders(SlotFile& file, int first, int last, std::vector<FrameHeader>& headers) {
    for (int t = first; t <= last; ++t) {
        const std::optional<FrameHeader> h = file.readHeader(t);
        if (!h) return t;
        headers.push_back(*h);
    }
    return 0;
}

bool writeSlot(SlotFile& file, int frame, const SlotBytes& s) {
    return file.writeSlot(frame, s.header, s.points.data(), int64_t(s.points.size()));
}

}  // namespace

FrameStash::FrameStash(const QString& path) : path_(QFile::encodeName(path)) {
    // A link under its name is never followed: the stash could otherwise truncate any file.
    fd_ = ::open(path_.constData(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd_ == -1) error_ = QString::fromLocal8Bit(std::strerror(errno));
}

FrameStash::~FrameStash() {
    ::close(fd_);  // -1 when it never opened: the call then does nothing
    ::unlink(path_.constData());
}

bool FrameStash::keep(const SlotBytes& s) {
    offsets_.push_back(end_);
    return put(&s.header, sizeof s.header) && put(s.points.data(), int64_t(s.points.size()));
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
    const int lastTo = totalFrames - count;  // slots first..lastTo are written
    const int overwrittenDeleted = std::min(first + count - 1, lastTo);
    std::vector<FrameHeader> moving, deleted;  // frames first + count..totalFrames; first..overwrittenDeleted
    if (const int bad = readHeaders(file, first + count, totalFrames, moving)) return {false, unreadable(bad)};
    if (const int bad = readHeaders(file, first, overwrittenDeleted, deleted)) return {false, unreadable(bad)};
    // Room for every slot part that will be written, taken before the first move: no move can
    // then fail for want of space, and a file-size limit stops the deletion before it starts.
    // A slot that already holds as many bytes has its room; the last slot written is the highest.
    const auto held = [&](int slot) {
        return 32 + usedBytes(slot <= overwrittenDeleted ? deleted[size_t(slot - first)]
                                                         : moving[size_t(slot - first - count)]);
    };
    if (!file.fits(lastTo, 32 + usedBytes(moving.back()))) return {false, file.error()};
    for (int to = first; to <= lastTo; ++to)
        if (const int64_t need = 32 + usedBytes(moving[size_t(to - first)]); need > held(to) && !file.reserve(to, need))
            return {false, file.error()};
    // The deleted frames whose slots get overwritten are kept until the deletion is done, so that a
    // deletion that fails half way can be taken back.
    FrameStash stash(buffer.path() + QStringLiteral(".deleting"));
    for (int d = first; d <= overwrittenDeleted; ++d) {
        const std::optional<SlotBytes> s = readSlot(file, d);
        if (!s || !stash.keep(*s)) return {false, s ? stash.error() : unreadable(d)};
    }

    int to = first;
    SlotBytes s;
    for (; to <= lastTo; ++to) {  // each header was read above: only the points are read again
        s.header = moving[size_t(to - first)];
        s.points.resize(size_t(usedBytes(s.header)));
        s.points.resize(size_t(file.readPoints(to + count, s.points.data(), int64_t(s.points.size()))));
        if (!writeSlot(file, to, s)) break;
    }
    if (to > lastTo) return {};

    // Taken back, last move first: slot t held frame t, which now lies count slots lower, or,
    // for a deleted frame, in the stash.
    const QString why = file.error().isEmpty() ? unreadable(to + count) : file.error();
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
    std::vector<FrameHeader> moving;  // frames at..totalFrames, read once
    if (const int bad = readHeaders(file, at, totalFrames, moving)) return {false, unreadable(bad)};
    // Slot t + count takes frame t. Where it already holds as many bytes (frame t + count, written
    // there), its room is taken; only what goes beyond needs reserving.
    const auto written = [&](int slot) { return slot <= totalFrames ? 32 + usedBytes(moving[size_t(slot - at)]) : 0; };
    if (!moving.empty() && !file.fits(totalFrames + count, 32 + usedBytes(moving.back()))) return {false, file.error()};
    for (int t = at; t <= totalFrames; ++t)
        if (const int64_t need = 32 + usedBytes(moving[size_t(t - at)]);
            need > written(t + count) && !file.reserve(t + count, need))
            return {false, file.error()};
    SlotBytes s;
    int t = totalFrames;
    for (; t >= at; --t) {
        s.header = moving[size_t(t - at)];
        s.points.resize(size_t(usedBytes(s.header)));
        s.points.resize(size_t(file.readPoints(t, s.points.data(), int64_t(s.points.size()))));
        if (!writeSlot(file, t + count, s)) break;
    }
    if (t < at && fill()) return {};
    // Taken back: each slot from the failed one up holds again what now lies `count` slots higher.
    const QString why = file.error();
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
    // Room for the frames put, taken before anything moves.
    for (int i = 0; i < count; ++i) {
        const std::optional<SlotBytes> s = frameAt(i);
        if (!s) return {false, unreadable(first + i)};
        const int64_t need = 32 + int64_t(s->points.size());
        if ((i + 1 == count && !file.fits(first + i, need)) || !file.reserve(first + i, need))
            return {false, file.error()};
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
    if (count > taken) {
        const MoveResult gap = openGap(file, first + taken, count - taken, totalFrames, fill);
        return gap.ok || !why.isEmpty() ? MoveResult{gap.ok, why} : gap;
    }
    if (count < taken)
        if (const MoveResult closed = deleteFrames(buffer, first + count, taken - count, totalFrames); !closed.ok)
            return closed;
    if (fill()) return {};
    return {false, why.isEmpty() ? file.error() : why};
}

MoveResult swapFrames(const FrameBufferFile& buffer, int a, int b) {
    SlotFile file(buffer.path(), SlotAccess::Write);
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
