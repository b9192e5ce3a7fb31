// SPDX-License-Identifier: GPL-3.0-or-later
// The positioned writes of the program under test, taken over: this test program's own pwritev
// and pwrite come before the C library's, pass every call on to it and, while a DiskFaults
// lives, fail or shorten them as it says.
#include "TestSupport.h"

#include <dlfcn.h>
#include <QFileInfo>
#include <sys/uio.h>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace {
std::optional<quorvel::test::DiskFaults::Fault> active;
int bufferWrites = 0, reservations = 0;

template <class F> F next(const char* name) { return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name)); }

// Only writes into the frame buffer file count: what a command keeps beside it is written too.
bool failsNow(int fd) {
    if (!active || active->failNth == 0 ||
        !QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget().endsWith("/FrameBuffer.tmp"))
        return false;
    ++bufferWrites;
    if (bufferWrites < active->failNth || (bufferWrites > active->failNth && !active->failLater)) return false;
    errno = EIO;
    return true;
}
}  // namespace

namespace {
bool journaling = false;
QStringList journal;
void note(const QString& entry) {
    if (journaling) journal << entry;
}
}  // namespace

namespace quorvel::test {
DiskFaults::DiskFaults(Fault f) { active = f, bufferWrites = reservations = 0; }
DiskFaults::~DiskFaults() { active.reset(); }
SyncJournal::SyncJournal() { journaling = true, journal.clear(); }
SyncJournal::~SyncJournal() { journaling = false; }
QStringList SyncJournal::entries() { return journal; }
}  // namespace quorvel::test

extern "C" int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    note(QStringLiteral("fsync ") + QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget());
    return real(fd);
}

extern "C" int fdatasync(int fd) {
    static const auto real = next<int (*)(int)>("fdatasync");
    note(QStringLiteral("fdatasync ") + QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget());
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    note(QStringLiteral("rename ") + QString::fromLocal8Bit(to));
    return real(from, to);
}

// A file made without a name gets one here, as Qt's safe saves do where the system can.
extern "C" int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
    static const auto real = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    note(QStringLiteral("link ") + QString::fromLocal8Bit(to));
    return real(fromFolder, from, toFolder, to, flags);
}

extern "C" int fallocate(int fd, int mode, off_t at, off_t bytes) {
    static const auto real = next<int (*)(int, int, off_t, off_t)>("fallocate");
    if (active && active->noSpaceFrom > 0 && ++reservations >= active->noSpaceFrom) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, mode, at, bytes);
}

extern "C" ssize_t pread(int fd, void* data, size_t bytes, off_t at) {
    static const auto real = next<ssize_t (*)(int, void*, size_t, off_t)>("pread");
    if (active && active->unreadable > 0 && at >= quorvel::framePos(active->unreadable) - 1 &&
        at < quorvel::framePos(active->unreadable + 1) - 1) {
        errno = EIO;
        return -1;
    }
    return real(fd, data, bytes, at);
}

extern "C" ssize_t pwrite(int fd, const void* data, size_t bytes, off_t at) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (failsNow(fd)) return -1;
    if (active && active->bytesEach > 0) bytes = std::min(bytes, size_t(active->bytesEach));
    return real(fd, data, bytes, at);
}

extern "C" ssize_t pwritev(int fd, const iovec* parts, int count, off_t at) {
    static const auto real = next<ssize_t (*)(int, const iovec*, int, off_t)>("pwritev");
    if (failsNow(fd)) return -1;
    if (active && active->bytesEach > 0 && count > 0) {
        const iovec first{parts[0].iov_base, std::min(parts[0].iov_len, size_t(active->bytesEach))};
        return real(fd, &first, 1, at);
    }
    return real(fd, parts, count, at);
}
