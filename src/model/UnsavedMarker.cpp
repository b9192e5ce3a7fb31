#include "model/UnsavedMarker.h"

#include "model/FrameBuffer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvel {

namespace {
constexpr char Tag[] = "unsaved frames ";
}

void UnsavedMarker::track(int frames) {
    if (frames == written_) return;
    if (frames == 0) {
        remove();
        return;
    }
    QSaveFile file(path_);
    if (file.open(QIODevice::WriteOnly) && file.write(Tag + QByteArray::number(frames) + '\n') > 0 && file.commit())
        written_ = frames;
}

int UnsavedMarker::leftBehind() const {
    // Only a small regular file can be ours; anything else is not even opened (a FIFO would block).
    if (!QFileInfo(path_).isFile()) return 0;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.size() > 64) return 0;
    const QByteArray text = file.read(64).trimmed();
    if (!text.startsWith(Tag)) return 0;
    bool ok = false;
    const int frames = text.mid(sizeof Tag - 1).toInt(&ok);
    return ok && frames >= 1 && frames <= MaxFrames ? frames : 0;
}

void UnsavedMarker::remove() {
    QFile::remove(path_);
    written_ = 0;
}

}  // namespace quorvel
