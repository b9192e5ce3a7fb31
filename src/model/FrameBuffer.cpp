// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FrameBuffer.h"
#include "model/Text.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace quorvel {

bool writeAllAt(int fd, const void* data, int64_t bytes, int64_t at) {
    const char* from = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t w = ::pwrite(fd, from, size_t(bytes), at);
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            return false;
        }
        from += w, bytes -= w, at += w;
    }
    return true;
}

// One positioned system call per transfer: a command that walks ten thousand slots must not
// pay for seeks and a buffer copy on each.
// Never through a link (it could point at any file of the user's) and never waiting on a pipe.
SlotFile::SlotFile(const QString& path, SlotAccess access) : file_(path) {
    const int flags[] = {O_RDONLY, O_RDWR, O_RDWR | O_CREAT};
    const int fd = ::open(QFile::encodeName(path).constData(), flags[int(access)] | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    struct stat st {};
    if (fd == -1 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool link = fd == -1 && errno == ELOOP;
        const QString why = fd == -1 && !link ? QString::fromLocal8Bit(std::strerror(errno))
                            : link            ? Text(QT_TRANSLATE_NOOP("Texts", "a link, which is never followed"))
                                              : Text(QT_TRANSLATE_NOOP("Texts", "not a regular file"));
        error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
        if (fd != -1) ::close(fd);
        return;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const QIODevice::OpenMode modes[] = {QIODevice::ReadOnly, QIODevice::ReadWrite, QIODevice::ReadWrite};
    if (!file_.open(fd, modes[int(access)] | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        error_ = file_.errorString();
        ::close(fd);
    }
}

bool SlotFile::sync() { return file_.isOpen() && ::fdatasync(file_.handle()) == 0; }

int64_t SlotFile::placeOf(int frame) {
    const int64_t pos = framePos(frame);
    if (pos == 0)
        error_ = Text(QT_TRANSLATE_NOOP("Texts", "frame %1 has no place in the file")).arg(frame);
    else if (file_.isOpen())
        return pos;
    return 0;  // why the file did not open was kept when it was opened
}

bool SlotFile::writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes) {
    const int64_t pos = placeOf(frame);
    if (pos == 0) return false;
    // The header and the points in one call; the rest of a short write goes piece by piece, or
    // says why it cannot.
    iovec parts[2] = {{const_cast<FrameHeader*>(&h), sizeof h}, {const_cast<void*>(points), size_t(bytes)}};
    const int64_t done = ::pwritev(file_.handle(), parts, 2, pos - 1);
    const int64_t header = std::min<int64_t>(done, sizeof h), pointsDone = done - header;
    if (done >= 0 &&
        writeAllAt(file_.handle(), reinterpret_cast<const char*>(&h) + header, int64_t(sizeof h) - header,
                   pos - 1 + header) &&
        writeAllAt(file_.handle(), static_cast<const char*>(points) + pointsDone, bytes - pointsDone,
                   pos - 1 + int64_t(sizeof h) + pointsDone))
        return true;
    error_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool SlotFile::writeSlotPart(int frame, const void* part, int64_t bytes) {
    const int64_t pos = placeOf(frame);
    if (pos == 0) return false;
    if (writeAllAt(file_.handle(), part, bytes, pos - 1)) return true;
    error_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool SlotFile::fits(int frame, int64_t bytes) {
    const int64_t pos = placeOf(frame);
    if (pos == 0) return false;
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        pos - 1 + bytes <= int64_t(limit.rlim_cur))
        return true;
    error_ = QString::fromLocal8Bit(std::strerror(EFBIG));
    return false;
}

bool SlotFile::reserve(int frame, int64_t bytes) {
    const int64_t pos = placeOf(frame);
    if (pos == 0) return false;
    if (::fallocate(file_.handle(), 0, pos - 1, bytes) == 0 || errno == EOPNOTSUPP) return true;
    error_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

std::optional<FrameHeader> SlotFile::readHeader(int frame) {
    const int64_t pos = framePos(frame);
    FrameHeader h{};
    // A closed file's handle is -1: the read fails.
    if (pos == 0 || ::pread(file_.handle(), &h, sizeof h, pos - 1) != sizeof h) return std::nullopt;
    return h;
}

int64_t SlotFile::readPoints(int frame, void* dst, int64_t bytes) { return readSlot(frame, dst, bytes, 32); }

int64_t SlotFile::readSlot(int frame, void* dst, int64_t bytes, int64_t from) {
    const int64_t pos = framePos(frame);
    if (pos == 0) return 0;
    // A closed file's handle is -1: the read fails, and nothing is read.
    return std::max<int64_t>(0, ::pread(file_.handle(), dst, size_t(bytes), pos - 1 + from));
}

bool FrameBufferFile::writeSlot(int frame, const FrameHeader& h, const void* points, int64_t bytes,
                                SlotAccess access) const {
    SlotFile file(path_, access);
    if (file.writeSlot(frame, h, points, bytes)) return true;
    error_ = file.error();
    return false;
}

std::optional<FrameHeader> FrameBufferFile::readHeader(int frame) const {
    return SlotFile(path_, SlotAccess::Read).readHeader(frame);
}

int64_t FrameBufferFile::readPoints(int frame, void* dst, int64_t bytes) const {
    return SlotFile(path_, SlotAccess::Read).readPoints(frame, dst, bytes);
}

bool FrameBufferFile::saveRamToBuffer(int frame, WorkingFrame& wf) const {
    bool written = false;
    wf.visit([&](auto& r) {
        refreshForWrite(r);
        written = writeRecord(frame, r);
    });
    return written;
}

namespace {
// The slot's header names a format the editor loads, and a file of `size` bytes holds its points.
bool holdsFrame(const std::optional<FrameHeader>& h, int frame, int64_t size) {
    const int code = h ? h->formatCode : -1;
    if (code != 0 && code != 1 && code != 5) return false;
    return size >= framePos(frame) - 1 + 32 + int64_t(std::min(h->pointCount(), MaxPoints)) * recordSize(code);
}
}  // namespace

bool FrameBufferFile::loadable(int frame) const {
    return holdsFrame(readHeader(frame), frame, QFileInfo(path_).size());
}

int FrameBufferFile::wholeFrames(int most) const {
    SlotFile file(path_, SlotAccess::Read);
    const int64_t size = QFileInfo(path_).size();
    int frames = 0;
    for (; frames < std::min(most, MaxFrames); ++frames) {
        const std::optional<FrameHeader> h = file.readHeader(frames + 1);
        if (!h || !h->hasIldaSignature() || h->pointCount() > MaxPoints || !holdsFrame(h, frames + 1, size)) break;
    }
    return frames;
}

bool FrameBufferFile::copyFrameToRam(int frame, WorkingFrame& wf) const {
    SlotFile file(path_, SlotAccess::Read);
    return loadSlot(file, frame, wf, SlotPart::Whole);
}

bool loadSlot(SlotFile& file, int frame, WorkingFrame& wf, SlotPart part) {
    const auto header = file.readHeader(frame);
    if (!header) return false;
    bool loaded = false;
    wf.visitFormat(header->formatCode, [&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        r.header = *header;
        r.pointCount = std::min(header->pointCount(), MaxPoints);
        file.readPoints(frame, r.points.data(),
                        int64_t(sizeof(P)) * (part == SlotPart::Whole ? MaxPoints : r.pointCount));
        wf.format = formatOf<P>();
        loaded = true;
    });
    return loaded;
}

namespace {
constexpr char Removing[] = ".removing.";
}

// Freeing the blocks of a large sparse file takes a second or more when its extent tree is no
// longer cached, and the program would wait for it before it ends. So the file is renamed out of
// the way (at once; a copy of the program started next never meets it) and a detached process
// unlinks it.
bool FrameBufferFile::sync() const { return SlotFile(path_, SlotAccess::Write).sync(); }

bool FrameBufferFile::remove() const {
    const QByteArray doomed = QFile::encodeName(path_ + Removing + QString::number(::getpid()));
    if (::rename(QFile::encodeName(path_).constData(), doomed.constData()) != 0) return QFile::remove(path_);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::fork() == 0) ::unlink(doomed.constData());
        ::_exit(0);
    }
    if (child < 0) return ::unlink(doomed.constData()) == 0;
    ::waitpid(child, nullptr, 0);
    return true;
}

void FrameBufferFile::removeLeftovers() const {
    const QFileInfo file(path_);
    const QDir folder = file.dir();
    const QStringList patterns{file.fileName() + Removing + '*', file.fileName() + QStringLiteral(".undo-*"),
                               file.fileName() + QStringLiteral(".deleting"),
                               file.fileName() + QStringLiteral(".replacing")};
    for (const QString& name : folder.entryList(patterns, QDir::Files | QDir::System))
        QFile::remove(folder.filePath(name));
}

}  // namespace quorvel
