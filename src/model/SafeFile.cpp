// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace quorvel {

namespace {
namespace fs = std::filesystem;

constexpr size_t Chunk = 256 << 10;

std::string reason() { return std::strerror(errno); }

// The file a name leads to: links are followed, however many, to the name they end at.
fs::path resolved(const std::string& target) {
    std::error_code failed;
    fs::path at = fs::absolute(target, failed);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(at, failed)); ++hops)
        at = at.parent_path() / fs::read_symlink(at, failed);  // an absolute link replaces the folder
    return at.lexically_normal();
}
// The folder's entry for a renamed file on disk: without it a power cut can bring back the old
// file under the name, however well the new one's bytes were kept.
void syncFolderOf(const fs::path& file) {
    const int fd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == -1) return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

SafeFile::SafeFile(const std::string& target) {
    const fs::path real = resolved(target);
    target_ = real.string();
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            error_ = target + " is not a regular file; choose another name";
            return;
        }
        replaces_ = true;
        mode_ = old.st_mode & 07777;
        owner_ = old.st_uid, group_ = old.st_gid;
    }
    // A short name of its own, whatever the length of the target's: every name the folder takes
    // can be saved to safely.
    const std::string folder = real.parent_path().string();
    temporary_ = folder + "/.quorvel-XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ == -1) {
        error_ = "the folder " + folder + " takes no new file (" + reason() + "); save into another folder";
        temporary_.clear();
        return;
    }
    buffer_.reserve(Chunk);
}

SafeFile::~SafeFile() {
    ::close(fd_);  // -1 when it never opened: the call then does nothing
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void SafeFile::fail(const std::string& why) {
    if (error_.empty()) error_ = why;
}

void SafeFile::write(const void* data, int64_t bytes) {
    if (!error_.empty()) return;
    const char* from = static_cast<const char*>(data);
    buffer_.insert(buffer_.end(), from, from + bytes);
    if (buffer_.size() >= Chunk) flush();
}

void SafeFile::flush() {
    const char* at = buffer_.data();
    size_t left = buffer_.size();
    // The disk starts on each chunk while the next is made, so the wait at commit is short.
    const off_t start = written_;
    written_ += left;
    while (left > 0 && error_.empty()) {
        const ssize_t w = ::write(fd_, at, size_t(left));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            fail(reason());
            break;
        }
        at += w, left -= w;
    }
    buffer_.clear();  // its memory stays for the next chunk: fresh pages cost more than the copy
    // A length of 0 would mean the rest of the file: nothing written, nothing to start.
    if (error_.empty() && written_ > start) ::sync_file_range(fd_, start, written_ - start, SYNC_FILE_RANGE_WRITE);
}

// A file that never opened has its reason in error_ already, so every step below passes it by.
WriteResult SafeFile::commit() {
    flush();
    if (error_.empty()) {
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
    if (error_.empty() && ::fsync(fd_) != 0) fail(reason());  // on disk before it takes the old file's place
    ::close(fd_);
    fd_ = -1;
    if (error_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0) fail(reason());
    if (!error_.empty()) return {false, error_};
    syncFolderOf(target_);  // the new name is on disk too
    temporary_.clear();
    return {true, {}};
}

}  // namespace quorvel
