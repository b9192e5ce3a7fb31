// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/UnsavedMarker.h"

#include "model/FrameBuffer.h"
#include "model/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel {

namespace {
constexpr char Tag[] = "unsaved frames ";
constexpr qint64 MostBytes = 1024;  // the count and a file name, with room to spare
}  // namespace

void UnsavedMarker::track(int frames, const QString& fileName) {
    if (frames == 0) {
        if (written_ == 0) return;
        remove();
        return;
    }
    if (!wouldWrite(frames, fileName)) return;
    // A name that does not fit is left out: the frames still come back.
    QByteArray name = fileName.toUtf8();
    if (name.size() > MostBytes / 2 || name.contains('\n')) name.clear();
    removeImpostor(path_);  // written in place of a link, never through it
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(Tag + QByteArray::number(frames) + '\n' + name + '\n') > 0 &&
        file.commit())
        written_ = frames, writtenName_ = fileName;
}

UnsavedMarker::LeftBehind UnsavedMarker::leftBehind() const {
    // Only a small regular file can be ours; anything else, a link included, is not even opened
    // (a FIFO would block).
    if (!notRegularFile(path_, true).isEmpty() || !QFileInfo::exists(path_)) return {};
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.size() > MostBytes) return {};
    const QList<QByteArray> lines = file.read(MostBytes).split('\n');
    const QByteArray count = lines.front().trimmed();
    if (!count.startsWith(Tag)) return {};
    bool ok = false;
    const int frames = count.mid(sizeof Tag - 1).toInt(&ok);
    if (!ok || frames < 1 || frames > MaxFrames) return {};
    return {frames, lines.size() > 1 ? QString::fromUtf8(lines[1]) : QString()};
}

void UnsavedMarker::remove() {
    QFile::remove(path_);
    written_ = 0;
    writtenName_.clear();
}

}  // namespace quorvel
