// The positioned writes of the program under test, taken over: this test program's own pwritev
// and pwrite come before the C library's, pass every call on to it and, while a DiskFaults
// lives, fail or shorten them as it says.
#include "TestSupport.h"

#include <dlfcn.h>
#include <sys/uio.h>
#include <algorithm>
#include <cerrno>
#include <optional>

namespace {
std::optional<quorvel::test::DiskFaults::Fault> active;
int vectoredWrites = 0;

template <class F> F next(const char* name) { return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name)); }

bool failsNow() {
    if (!active || active->failNth == 0) return false;
    ++vectoredWrites;
    if (vectoredWrites < active->failNth || (vectoredWrites > active->failNth && !active->failLater)) return false;
    errno = EIO;
    return true;
}
}  // namespace

namespace quorvel::test {
DiskFaults::DiskFaults(Fault f) { active = f, vectoredWrites = 0; }
DiskFaults::~DiskFaults() { active.reset(); }
}  // namespace quorvel::test

extern "C" ssize_t pwrite(int fd, const void* data, size_t bytes, off_t at) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    if (active && active->bytesEach > 0) bytes = std::min(bytes, size_t(active->bytesEach));
    return real(fd, data, bytes, at);
}

extern "C" ssize_t pwritev(int fd, const iovec* parts, int count, off_t at) {
    static const auto real = next<ssize_t (*)(int, const iovec*, int, off_t)>("pwritev");
    if (failsNow()) return -1;
    if (active && active->bytesEach > 0 && count > 0) {
        const iovec first{parts[0].iov_base, std::min(parts[0].iov_len, size_t(active->bytesEach))};
        return real(fd, &first, 1, at);
    }
    return real(fd, parts, count, at);
}
