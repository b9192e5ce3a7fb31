// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers for tests: a fresh program folder, scripted answers, point builders.
#include "model/FrameBuffer.h"
#include "model/Records.h"
#include "model/WorkingFrame.h"
#include "shell/Prompts.h"

#include <sys/resource.h>
#include <QStringList>
#include <csignal>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

namespace quorvel::test {

// A program folder of its own, with the installed palette files (and settings, if asked).
class ProgramFolder {
public:
    explicit ProgramFolder(bool withConfig = true);
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QString bufferPath() const { return file("buffer/FrameBuffer.tmp"); }
    void keep() { dir_.setAutoRemove(false); }  // for a test that starts the program again on it

private:
    QTemporaryDir dir_;
};

// While it lives, the program's positioned writes misbehave as a failing disk makes them: the
// `nth` vectored write from now fails with EIO (that one only, or it and every later one), and
// with `bytesEach` every write takes at most that many bytes, as an interrupted one does; from
// the `noSpaceFrom`th reservation of disk space on, none can be had.
// While it lives, the program's fsync and rename calls are noted in order, each with the path it
// concerns ("fsync /path" for a file or folder, "rename /to/path").
class SyncJournal {
public:
    SyncJournal();
    ~SyncJournal();
    static QStringList entries();
};

// While it lives, the failNth write into the frame buffer file fails (and every one after it,
// with failLater), every write is cut to bytesEach bytes, from the noSpaceFrom-th reservation
// on the disk is full, and no read of the slot of frame unreadable succeeds.
class DiskFaults {
public:
    struct Fault { int failNth = 0; bool failLater = false; int64_t bytesEach = 0; int noSpaceFrom = 0; int unreadable = 0; };
    explicit DiskFaults(Fault f);
    ~DiskFaults();
};

// While it lives, no file may grow past `bytes`: writes fail as they do on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(int64_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

class ScriptedPrompts : public Prompts {
public:
    Answer askYesNoCancel(const QString& text) override;
    void message(const QString& text, MessageIcon icon) override;
    QString openFileName(const QString& filter) override;
    // Several files are scripted as one entry, their names a line each.
    QStringList openFileNames(const QString& filter) override {
        const QString names = openFileName(filter);
        return names.isEmpty() ? QStringList() : names.split('\n');
    }
    QString saveFileName(const QString& filter) override;

    std::deque<Answer> answers;
    std::function<void()> onMessage;  // runs while a message is up, as a user could act then
    std::deque<QString> fileNames;
    QStringList questions, messages, filters;
    MessageIcon lastIcon = MessageIcon::Information;
    void setBusy(bool on) override {
        busy = on;
        busyTimes += on;
    }
    bool busy = false;
    int busyTimes = 0;  // how often the wait cursor came up
    // The work runs whole; with `cancelWork` the user then presses Cancel.
    bool whileWorking(const QString& caption, const std::function<void(WorkProgress&)>& work) override {
        workCaptions << caption;
        WorkProgress progress;
        work(progress);
        return !cancelWork;
    }
    bool cancelWork = false;
    QStringList workCaptions;
};

// A point at ILDA coordinates (x, y) with the given status and colour index / colour.
Point3D point3D(int x, int y, uint8_t status = 0, uint8_t color = 1);
Point2D point2D(int x, int y, uint8_t status = 0, uint8_t color = 1);
PointTrue2D pointTrue(int x, int y, uint8_t status, uint8_t r, uint8_t g, uint8_t b);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);
// The 32-byte header that starts `offset` bytes into `bytes`.
FrameHeader headerAt(const QByteArray& bytes, int64_t offset);

// Frame n's slot holding these points, in the format of their records.
template <class P> bool storeFrame(const FrameBufferFile& buffer, int n, std::initializer_list<P> points) {
    WorkingFrame wf;
    wf.format = formatOf<P>();
    auto& r = wf.record<P>();
    r.pointCount = int(points.size());
    std::copy(points.begin(), points.end(), r.points.begin());
    return buffer.saveRamToBuffer(n, wf);
}

}  // namespace quorvel::test
