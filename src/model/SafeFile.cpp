#include "model/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quorvel {

namespace {
constexpr qsizetype Chunk = 256 << 10;

QString reason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The file a name leads to: links are followed, however many, to the name they end at.
QString resolved(const QString& target) {
    QFileInfo info(target);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) info = QFileInfo(info.symLinkTarget());
    return info.absoluteFilePath();
}
}  // namespace

SafeFile::SafeFile(const QString& target) : target_(QFile::encodeName(resolved(target))) {
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            error_ = QStringLiteral("%1 is not a regular file; choose another name").arg(target);
            return;
        }
        replaces_ = true;
        mode_ = old.st_mode & 07777;
        owner_ = old.st_uid, group_ = old.st_gid;
    }
    // A short name of its own, whatever the length of the target's: every name the folder takes
    // can be saved to safely.
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target_)).absolutePath());
    temporary_ = folder + "/.quorvel-XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ == -1) {
        error_ = QStringLiteral("the folder %1 takes no new file (%2); save into another folder")
                     .arg(QFile::decodeName(folder), reason());
        temporary_.clear();
        return;
    }
    buffer_.reserve(Chunk);
}

SafeFile::~SafeFile() {
    ::close(fd_);  // -1 when it never opened: the call then does nothing
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
}

void SafeFile::fail(const QString& why) {
    if (error_.isEmpty()) error_ = why;
}

void SafeFile::write(const void* data, int64_t bytes) {
    if (!error_.isEmpty()) return;
    buffer_.append(static_cast<const char*>(data), bytes);
    if (buffer_.size() >= Chunk) flush();
}

void SafeFile::flush() {
    const char* at = buffer_.constData();
    qsizetype left = buffer_.size();
    // The disk starts on each chunk while the next is made, so the wait at commit is short.
    const off_t start = written_;
    written_ += left;
    while (left > 0 && error_.isEmpty()) {
        const ssize_t w = ::write(fd_, at, size_t(left));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            fail(reason());
            break;
        }
        at += w, left -= w;
    }
    buffer_.resize(0);  // its memory stays for the next chunk: fresh pages cost more than the copy
    // A length of 0 would mean the rest of the file: nothing written, nothing to start.
    if (error_.isEmpty() && written_ > start) ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
}

// A file that never opened has its reason in error_ already, so every step below passes it by.
WriteResult SafeFile::commit() {
    flush();
    if (error_.isEmpty()) {
        // A replaced file keeps its permissions and, where allowed, its owner; a new file gets
        // what new files get here.
        if (replaces_) {
            // Failing both, the file is simply the user's own, in the user's group.
            const bool kept = ::fchown(fd_, owner_, group_) == 0 || ::fchown(fd_, ::geteuid(), group_) == 0;
            static_cast<void>(kept);
            if (::fchmod(fd_, mode_) != 0) fail(reason());
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            if (::fchmod(fd_, 0666 & ~mask) != 0) fail(reason());
        }
    }
    if (error_.isEmpty() && ::fsync(fd_) != 0) fail(reason());  // on disk before it takes the old file's place
    ::close(fd_);
    fd_ = -1;
    if (error_.isEmpty() && ::rename(temporary_.constData(), target_.constData()) != 0) fail(reason());
    if (!error_.isEmpty()) return {false, error_};
    temporary_.clear();
    return {true, {}};
}

WriteResult writeWholeFile(const QString& path, const QByteArray& bytes) {
    SafeFile file(path);
    file.write(bytes.constData(), bytes.size());
    return file.commit();
}

}  // namespace quorvel
