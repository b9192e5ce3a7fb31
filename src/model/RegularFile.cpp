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
    if (fd == -1) return {std::nullopt, QString::fromLocal8Bit(std::strerror(errno))};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {std::nullopt, QStringLiteral("not a regular file")};
    }
    QFile file;  // reads until it has them all or the file ends
    file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    return {file.read(std::min<qint64>(maxBytes, st.st_size)), {}};
}

WriteResult writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFile file(QFile::encodeName(path).toStdString());
    file.write(bytes.constData(), bytes.size());
    return file.commit();
}

}  // namespace quorvel
