#pragma once
// A note beside the frame buffer file that its slots hold work nothing has saved, and how many
// frames that work has. It exists exactly while the sequence is marked changed, so a program
// that was killed or crashed leaves it behind and the next start can offer the frames back.
#include <QString>

namespace quorvel {

class UnsavedMarker {
public:
    explicit UnsavedMarker(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Keeps the marker in step with the sequence: `frames` > 0 writes it, 0 removes it. Writes
    // only when the count differs from what was last written; a marker that cannot be written
    // only costs the offer after a crash.
    void track(int frames);
    // The frame count a marker left behind holds, 0 when there is none or it is damaged.
    int leftBehind() const;
    void remove();

private:
    QString path_;
    int written_ = 0;
};

}  // namespace quorvel
