// "Open": an ILDA file replaces the sequence in the frame buffer file.
#include "ilda/IldaReader.h"
#include "shell/Editor.h"

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
    newFile();
    openFile(path);
}

bool Editor::openFile(const QString& path) {
    prompts.setBusy(true);
    seq.selFrameStart = seq.selFrameLen = 1;
    const FrameScan scan = seekFrames(path);
    win.title = MainTitle + QStringLiteral(": ") + scan.fileName;
    if (scan.rejected) prompts.message(rejectionText(scan.declaredFrames), MessageIcon::None);
    seq.totalFrames = scan.framesFound;
    const CopyReport copied = copyFrames(path, scan, buffer);
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
    return !scan.rejected;
}

}  // namespace quorvel
