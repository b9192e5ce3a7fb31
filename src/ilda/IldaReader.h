#pragma once
// Reading an ILDA file into the frame buffer file, in two passes: a walk over the headers that
// checks them and records where each frame starts, then a copy of every frame into its slot.
#include "model/FrameBuffer.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace quorvel {

struct IldaSection {
    int64_t position = 0;  // 1-based byte position of its header
    FrameHeader header{};
};

// What later steps need of the walk: where each frame starts and its header. Palette sections
// are walked, not kept, so memory follows the frames, however many palettes a file holds.
struct FrameScan {
    QString fileName;                       // without folder
    std::vector<int64_t> fileFramePos;      // index = frame number; 1-based positions
    std::vector<FrameHeader> frameHeaders;  // frame n's header at n - 1
    int framesFound = 0;
    int declaredFrames = 0;      // TotalFrames of the first header
    bool rejected = false;       // a header failed the checks: the user is told
    bool tooManyFrames = false;  // more than the sequence can hold; the rest is left
    QString reason;              // why the walk stopped early, in plain words

    const FrameHeader& headerOf(int frame) const { return frameHeaders[size_t(frame) - 1]; }
};

// Shown each section the walk takes, palettes included, in file order.
using SectionVisitor = std::function<void(const IldaSection&)>;

// The text shown when a file is rejected: " err totframes= 12".
QString rejectionText(int declaredFrames);

// Both passes read a file or, for tests and fuzzing, the same bytes already in memory.
FrameScan seekFrames(const QString& path, const SectionVisitor& visit = {});
FrameScan seekFrames(const QByteArray& bytes, const QString& fileName);

struct CopyReport {
    int framesCopied = 0;      // frames 1..framesCopied are in their slots
    int converted = 0;         // 3-D true-colour frames stored as 2-D true-colour frames
    int cut = 0;               // frames of more than 20000 points, cut to their first 20000
    bool writeFailed = false;  // the frame buffer file took no more: `error` says why
    QString error;
};

// What a slot holds for a frame that the file counts but that has nothing to copy: an empty
// frame of its own, never what an earlier sequence left there.
FrameHeader emptyFrameHeader();

CopyReport copyFrames(const QString& path, const FrameScan& scan, const FrameBufferFile& buffer);
CopyReport copyFrames(const QString& path, const FrameScan& scan, FrameSink& target);
CopyReport copyFrames(const QByteArray& bytes, const FrameScan& scan, const FrameBufferFile& buffer);

struct OpenedFrames {
    FrameScan scan;
    CopyReport copied;
    // Frames found but not copied: the file changed between the passes, or the copy failed.
    bool shortened() const { return copied.framesCopied < scan.framesFound; }
};

// Both passes in one walk over the file, as Open makes them: each frame goes to its slot as
// soon as the walk has checked its header, so the file is read once.
OpenedFrames openFrames(const QString& path, const FrameBufferFile& buffer);

// What Open says in the status bar about frames it changed on the way in; empty when none.
QString conversionNotes(const CopyReport& copied);

}  // namespace quorvel
