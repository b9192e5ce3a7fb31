// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file written whole or not at all. The bytes go to a temporary file with a short name beside
// the target, are flushed to disk, and only then take the target's place in one rename, after
// which the folder is flushed too: a full disk, a size limit, a kill or a power cut at any moment
// leaves either the old file or the new one, never a mix, and once the write returns the new one
// is there to stay. Every write is checked and every failure names the system's reason. Paths and
// reasons are the system's own bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

struct WriteResult {
    bool ok = false;
    std::string error;  // empty when nothing was tried (a cancelled dialog)
};

class SafeFile {
public:
    // Follows a symbolic link to the file it names; refuses a target that exists but is no
    // regular file, and a folder that takes no new file (the old file then stays as it is).
    explicit SafeFile(const std::string& target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }
    // Gathered into large writes; the first failure is kept and later writes do nothing.
    void write(const void* data, int64_t bytes);
    // On disk, with the replaced file's permissions (and owner where the system allows), in
    // the target's place. Not ok when anything before failed.
    WriteResult commit();

private:
    void flush();
    void fail(const std::string& why);

    std::string target_, temporary_;
    int fd_ = -1;
    int64_t written_ = 0;
    bool replaces_ = false;
    unsigned mode_ = 0, owner_ = 0, group_ = 0;
    std::vector<char> buffer_;
    std::string error_;
};

}  // namespace quorvel
