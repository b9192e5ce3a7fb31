#include "model/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace quorvel {

FileBytes readRegularFile(const QString& path, qint64 maxBytes) {
    // Opened without blocking, so that a FIFO with no writer cannot hold start-up.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, QString::fromLocal8Bit(std::strerror(errno))};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {std::nullopt, QStringLiteral("not a regular file")};
    }
    QByteArray bytes(qsizetype(std::min<qint64>(maxBytes, st.st_size)), '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += r;
    }
    ::close(fd);
    bytes.resize(got);
    return {bytes, {}};
}

}  // namespace quorvel
