// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RegularFile.h"
#include "model/Text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        return {std::nullopt, Text(QT_TRANSLATE_NOOP("Texts", "not a regular file"))};
    }
    QFile file;  // reads until it has them all or the file ends
    file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    return {file.read(std::min<qint64>(maxBytes, st.st_size)), {}};
}

QString notRegularFile(const QString& path, bool linksToo) {
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if ((linksToo ? ::lstat(name.constData(), &st) : ::stat(name.constData(), &st)) != 0) return {};
    if (S_ISREG(st.st_mode)) return {};
    return Text(QT_TRANSLATE_NOOP("Texts", "%1 is not a regular file.")).arg(QFileInfo(path).fileName());
}

QString removeImpostor(const QString& path) {
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) return {};
    if (::unlink(name.constData()) != 0) return {};
    return Text(QT_TRANSLATE_NOOP("Texts",
                                  "%1 was %2, not a file of the program's own: it was removed and a new one made."))
        .arg(QDir::toNativeSeparators(path), S_ISLNK(st.st_mode)
                                                 ? Text(QT_TRANSLATE_NOOP("Texts", "a link"))
                                                 : Text(QT_TRANSLATE_NOOP("Texts", "a pipe or a device")));
}

WriteResult writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFile file(QFile::encodeName(path).toStdString());
    file.write(bytes.constData(), bytes.size());
    return file.commit();
}

}  // namespace quorvel
