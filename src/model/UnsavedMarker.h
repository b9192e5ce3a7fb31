// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A note beside the frame buffer file that its slots hold work nothing has saved, and how many
// frames that work has and the file it came from. It exists exactly while the sequence is marked changed, so a program
// that was killed or crashed leaves it behind and the next start can offer the frames back.
#include <QString>

namespace quorvel {

class UnsavedMarker {
public:
    explicit UnsavedMarker(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Keeps the marker in step with the sequence: `frames` > 0 writes it, 0 removes it. Writes
    // only when the count or the name differs from what was last written; a marker that cannot
    // be written only costs the offer after a crash.
    void track(int frames, const QString& fileName = {});
    // Whether `track` would write the marker now.
    bool wouldWrite(int frames, const QString& fileName) const {
        return frames > 0 && (frames != written_ || fileName != writtenName_);
    }
    struct LeftBehind {
        int frames = 0;    // 0 when there is no marker or it is damaged
        QString fileName;  // the file the frames came from, empty for a sequence never saved
    };
    LeftBehind leftBehind() const;
    void remove();

private:
    QString path_;
    int written_ = 0;
    QString writtenName_;
};

}  // namespace quorvel
