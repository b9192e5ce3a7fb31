// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading an ILDA file forward in large windows, never through a memory map: a file that gets
// shorter while it is read gives fewer bytes, not a signal.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// The ILDA file seen through a window of a quarter megabyte that moves forward as sections are
// walked: a system call per window rather than per header, which is what a walk over ten
// thousand frames costs most on a virtual machine. A larger window would cost more than it
// saves: every fresh page of memory is a fault, dearer there than a read. A frame larger than
// the window widens it. Bytes already in memory are their own window.
class IldaSource {
public:
    explicit IldaSource(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat st {};
        if (fd_ != -1 && ::fstat(fd_, &st) == 0) size_ = st.st_size;
        if (S_ISDIR(st.st_mode)) {  // a folder opens, but holds no bytes to read
            ::close(fd_);
            fd_ = -1, size_ = 0;
            errno = EISDIR;
        }
    }
    IldaSource(const void* bytes, int64_t size) : memory_(static_cast<const uint8_t*>(bytes)), size_(size) {}
    ~IldaSource() { ::close(fd_); }  // -1 for bytes in memory or a file that never opened: nothing happens
    IldaSource(const IldaSource&) = delete;
    IldaSource& operator=(const IldaSource&) = delete;
    bool isOpen() const { return memory_ || fd_ != -1; }
    int64_t size() const { return size_; }
    bool holds(int64_t position, int64_t bytes) const { return position >= 1 && position - 1 + bytes <= size_; }
    // The bytes at 1-based `position`, as many of `bytes` as the file has (at least 0).
    const uint8_t* view(int64_t position, int64_t bytes, int64_t& available) {
        const int64_t offset = position - 1;
        available = std::clamp<int64_t>(size_ - offset, 0, bytes);
        if (memory_) return memory_ + std::min(offset, size_);
        if (offset < start_ || offset + available > start_ + filled_) {
            // No bigger than the file: a small file costs no larger window.
            window_.resize(std::max<size_t>(window_.size(), std::max(std::min(Window, size_), available)));
            start_ = offset;
            filled_ = size_ > 0 ? std::max<ssize_t>(0, ::pread(fd_, window_.data(), window_.size(), offset)) : 0;
            available = std::min(available, filled_);
        }
        return window_.data() + (offset - start_);
    }

private:
    static constexpr int64_t Window = 256 << 10;
    int fd_ = -1;
    const uint8_t* memory_ = nullptr;
    int64_t size_ = 0;
    std::vector<uint8_t> window_;
    int64_t start_ = 0, filled_ = 0;
};

}  // namespace quorvel
