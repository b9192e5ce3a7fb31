#include "shell/Editor.h"

#include "options/ColourSelector.h"
#include "shell/Wheel.h"

#include <QDir>

namespace quorvel {

Editor::Editor(QString programFolder, Prompts& p)
    : prompts(p), buffer(programFolder + QStringLiteral("/buffer/FrameBuffer.tmp")), folder_(std::move(programFolder)) {
    settings = loadConfig(folder_ + QStringLiteral("/config.dat"));
    QDir(folder_).mkpath(QStringLiteral("buffer"));  // a missing buffer folder is made, not an error
    canvas.fill(Qt::black);
    frame.clearSelection();
    newFile();
    reloadPalette();  // after New File, so that its note about a missing palette file stays
    win.pastePointsEnabled = false;
    win.pasteFrameEnabled = false;
}

// ---- sequence -------------------------------------------------------------------------

bool Editor::newFile() {
    if (seq.fileChanged) {
        switch (prompts.askYesNoCancel(SaveQuestion)) {
        case Answer::Cancel: return true;
        case Answer::No: seq.fileChanged = false; return true;
        case Answer::Yes:
            // A save that failed keeps the sequence: starting anew would lose what was not saved.
            if (const WriteResult saved = saveAs(); !saved.ok && !saved.error.isEmpty()) return false;
            break;
        }
    }
    return startEmptySequence();
}

bool Editor::startEmptySequence() {
    win.title = MainTitle;
    chooseTool(NoTool);
    seq.editEnabled = false;
    seq.totalFrames = 1;
    Frame0& f0 = *frame.frame0;
    f0.pointCount = 0;
    f0.header.setPointCount(0);
    f0.header.setTotalFrames(1);
    frame.clearSelection();
    seq.currentFrame = 0;
    seq.selFrameStart = seq.selFrameLen = 1;
    const bool written = buffer.writeRecord(1, f0);
    backgroundImage = QImage();
    resetBackdrop();
    win.stripPosition = 0;
    setStripRange(0);
    redrawStrip();
    if (!written) prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
    return written;
}

bool Editor::writeBackWorkingFrame() {
    if (!seq.framechanged || seq.currentFrame == 0) return true;  // frame 0 has no slot to go to
    if (buffer.saveRamToBuffer(seq.currentFrame, frame)) return true;
    prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
    return false;
}

void Editor::addNewFrame() {
    if (seq.totalFrames >= MaxFrames) {
        prompts.message(QStringLiteral("The sequence is full (10000 frames)."), MessageIcon::Exclamation);
        return;
    }
    bool written = false;
    frame.visit([&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        FrameHeader h = r.header;
        h.setPointCount(0);
        h.formatCode = formatOf<P>();  // the new frame has the format of the frame it copies
        written = buffer.writeHeader(seq.totalFrames + 1, h);
    });
    if (!written) {
        prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
        return;
    }
    ++seq.totalFrames;
    setStripRange(seq.totalFrames / 4);
    redrawStrip();
    win.deleteFramesEnabled = true;
}

// ---- undo -----------------------------------------------------------------------------

void Editor::makeUndo() {
    history.makeUndo(frame);
    win.undoEnabled = true;
}

void Editor::resetUndo() { history.resetUndo(); }

void Editor::undo() {
    // A gesture in progress holds indices into the frame; undoing under it would pull them away.
    if (gesture.buttonsHeld != 0) return;
    if (!history.undo(frame)) return;
    if (history.undocounter() == 0) win.undoEnabled = false;
    refreshCanvas();
}

// ---- view -----------------------------------------------------------------------------

const QImage* Editor::canvasBackdrop() const {
    if (backdropIsSnapshot_ && !restoredSnapshot_.isNull()) return &restoredSnapshot_;
    return backgroundImage.isNull() ? nullptr : &backgroundImage;
}

void Editor::resetBackdrop() {
    backdropIsSnapshot_ = false;
    restoredSnapshot_ = QImage();
    canvasSurface().clear();
}

void Editor::redrawCanvas() {
    ImageSurface surface = canvasSurface();
    const int drawn = quorvel::redrawCanvas(surface, frame, palette, viewSettings());
    if (drawn >= 0) win.pointsLabel = QString::number(drawn);
}

void Editor::refreshCanvas() {
    if (win.currentTool != PointTool) resetBackdrop();
    redrawCanvas();
    canvasSnapshot = canvas.copy();
}

void Editor::toggleBeamMode() {
    settings.beamMode = !settings.beamMode;
    refreshCanvas();
}

void Editor::toggleObjectSelectMode() { settings.objectSelectMode = !settings.objectSelectMode; }

void Editor::drawPaletteStrip() {
    ImageSurface surface(paletteStrip);
    surface.clear();
    quorvel::drawPaletteStrip(surface, palette, settings.paletteChoice, PaletteStripHeight);
    currentColor = 1;
}

void Editor::reloadPalette() {
    QString note;
    palette = loadPalette(folder_, settings.paletteChoice, &note);
    drawPaletteStrip();
    if (!note.isEmpty()) win.statusNote = note;
}

void Editor::pickColour(double x) { currentColor = colorIndexAt(x, settings.paletteChoice); }

// ---- tools ----------------------------------------------------------------------------

void Editor::chooseTool(int tool) {
    win.currentTool = static_cast<uint8_t>(tool);
    if (tool == SelectTool) frame.clearSelection();
    canvasSnapshot = canvas.copy();
}

void Editor::resetTool() {
    chooseTool(NoTool);
    canvasSnapshot = QImage();
    resetBackdrop();
    redrawCanvas();
}

void Editor::setPointSpace(int value) { settings.pointSpace = static_cast<int16_t>(value); }
void Editor::setBlankSpace(int value) { settings.blankSpace = static_cast<int16_t>(value); }

// ---- files ----------------------------------------------------------------------------

WriteResult Editor::writeIldaFile() {
    const QString path = prompts.saveFileName(IldaFilter);
    if (path.isEmpty()) return {};
    const WriteResult result = quorvel::writeIldaFile(buffer, seq.totalFrames, path);
    win.statusNote = result.ok ? QStringLiteral("Saved %1 frames.").arg(seq.totalFrames)
                               : QStringLiteral("The file could not be written: %1").arg(result.error);
    return result;
}

WriteResult Editor::saveAs() {
    // An edit that did not reach its slot would be missing from the file: nothing is written.
    if (!writeBackWorkingFrame()) return {false, buffer.error()};
    const WriteResult result = writeIldaFile();
    if (result.ok || result.error.isEmpty()) seq.fileChanged = false;  // a failed write keeps the question
    return result;
}

void Editor::shutdown() {
    buffer.remove();
    saveConfig(folder_ + QStringLiteral("/config.dat"), settings);
    backgroundImage = QImage();
    canvasSnapshot = QImage();
}

}  // namespace quorvel
