// "Open": an ILDA file replaces the sequence in the frame buffer file.
#include "ilda/IldaReader.h"
#include "shell/Editor.h"

#include <QFile>

namespace quorvel {

void Editor::open() {
    if (seq.fileChanged) {
        switch (prompts.askYesNoCancel(SaveQuestion)) {
        case Answer::Cancel: return;
        case Answer::No: seq.fileChanged = false; break;
        case Answer::Yes: break;  // New File asks again and saves there
        }
    }
    const QString path = prompts.openFileName(IldaFilter);
    if (path.isEmpty()) return;
    if (!newFile()) return;  // the frame buffer file takes nothing: New File has said so
    openFile(path);
}

OpenResult Editor::openFile(const QString& path) {
    // A file that cannot be read at all is not a damaged file: no rejection box, no new title.
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly)) {
        win.statusNote = QStringLiteral("The file could not be read: %1").arg(probe.errorString());
        return OpenResult::Unreadable;
    }
    prompts.setBusy(true);
    seq.selFrameStart = seq.selFrameLen = 1;
    const FrameScan scan = seekFrames(path);
    win.title = MainTitle + QStringLiteral(": ") + scan.fileName;
    if (scan.rejected) prompts.message(rejectionText(scan.declaredFrames), MessageIcon::None);
    const CopyReport copied = copyFrames(path, scan, buffer);
    if (copied.writeFailed) {
        // Nothing half-loaded may stay behind: it could be saved over the file the user opened.
        prompts.setBusy(false);
        prompts.message(BufferWriteFailed.arg(copied.error), MessageIcon::Exclamation);
        startEmptySequence();
        return OpenResult::BufferFailed;
    }
    const bool shortened = copied.framesCopied < scan.framesFound;
    if (shortened && !scan.rejected) prompts.message(rejectionText(scan.declaredFrames), MessageIcon::None);
    seq.totalFrames = copied.framesCopied;
    win.stripPosition = 0;
    setStripRange(seq.totalFrames / 4);
    seq.currentFrame = 1;
    redrawStrip();
    ImageSurface surface = canvasSurface();
    win.pointsLabel = QString::number(drawFrameFromBuffer(1, CanvasScale, false, surface));
    prompts.setBusy(false);
    resetUndo();
    makeUndo();
    seq.framechanged = false;

    if (scan.tooManyFrames)
        prompts.message(QStringLiteral("Only the first 10000 frames were loaded."), MessageIcon::Information);
    QStringList notes;
    if (copied.converted) notes << QStringLiteral("%1 3-D true-colour frames were converted to 2-D.").arg(copied.converted);
    if (copied.cut) notes << QStringLiteral("%1 frames were cut to their first 20000 points.").arg(copied.cut);
    win.statusNote = notes.join(' ');
    return scan.rejected || shortened ? OpenResult::Rejected : OpenResult::Loaded;
}

}  // namespace quorvel
