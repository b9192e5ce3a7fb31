// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Editor.h"

#include "model/RegularFile.h"
#include "view/SlotDrawing.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace quorvel {

Editor::Editor(const QString& programFolder, Prompts& p, bool offerRecovery)
    : Editor(ProgramPaths::portable(programFolder), p, offerRecovery) {}

Editor::Editor(ProgramPaths paths, Prompts& p, bool offerRecovery)
    : prompts(p),
      buffer(paths.bufferFile()),
      tools({frame, canvas, settings, palette, [this] { return ink(); }, seq.editEnabled,
             [this](unsigned flags, const std::function<void()>& change) { edit(flags, change); },
             [this] { redrawCanvas(); }, [this](const QString& note) { win.statusNote = note; },
             [this] {
                 // Text is laid out at the normal view's pixels, whatever the zoom.
                 const double normal = canvas.grid().divisor / double(NormalDivisor);
                 text.begin(nearest(tools.gesture.centerx * normal), nearest(tools.gesture.centery * normal));
                 if (onTextTool) onTextTool();
             }}),
      paths_(std::move(paths)),
      unsaved_(paths_.unsavedMarkerFile()) {
    QDir().mkpath(paths_.settingsFolder);  // a first start of an installed copy makes the user's folders
    QDir().mkpath(paths_.bufferFolder());
    settings = loadConfig(paths_.configToRead());
    more = loadMoreSettings(moreSettingsPath());
    frame.clearSelection();
    buffer.removeLeftovers();
    // A link planted under the name of a file of ours would have it write over whatever it points
    // to; a pipe would hold start-up. Neither is followed: it goes, and the sequence starts fresh.
    for (const QString& own : {buffer.path(), paths_.unsavedMarkerFile()})
        if (const QString removed = removeImpostor(own); !removed.isEmpty())
            prompts.message(removed, MessageIcon::Exclamation);
    const bool recovered = offerRecovery && recoverUnsavedFrames();
    if (!recovered) newFile();
    reloadPalette();               // after the sequence, so that its note about a missing palette file stays
    if (recovered) redrawStrip();  // in the colours of the palette just read
    // A settings folder that takes no files (read-only) is said at once, not when it is too late.
    if (::access(QFile::encodeName(paths_.settingsFolder).constData(), W_OK) != 0) saySettingsUnkept();
    win.pastePointsEnabled = false;
    win.pasteFrameEnabled = false;
}

// ---- sequence -------------------------------------------------------------------------

bool Editor::mayReplaceSequence() {
    if (!seq.fileChanged) return true;
    switch (prompts.askYesNoCancel(SaveQuestion)) {
    case Answer::Cancel: return false;
    case Answer::No: setFileChanged(false); return true;
    case Answer::Yes: break;
    }
    // A save that was cancelled or failed keeps the sequence: going on would lose what is unsaved.
    return save().ok;  // into the file Save knows; a sequence without one asks for a name
}

bool Editor::newFile() { return mayReplaceSequence() && startEmptySequence(); }

bool Editor::startEmptySequence() {
    restartSequence(1, {});
    Frame0& f0 = *frame.frame0;
    f0.header.setTotalFrames(1);
    QDir().mkpath(paths_.bufferFolder());  // a missing buffer folder is made, not an error
    bufferLost_ = !buffer.writeRecord(1, f0, SlotAccess::Create);
    if (!bufferLost_) {
        redrawStrip();  // slot 1 was the old sequence's when the strip was drawn
        return true;
    }
    // Whatever the file holds is not this sequence's (it may be another session's): nothing
    // of it is shown, chosen or saved.
    seq.totalFrames = 0;
    strip.setRange(0);
    redrawStrip();
    win.deleteFramesEnabled = false;
    prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
    return false;
}

void Editor::restartSequence(int frames, const QString& fileName) {
    savedAs_.clear();
    tools.choose(NoTool);
    const bool changed = seq.fileChanged;
    seq = Sequence{};
    seq.fileChanged = changed;
    seq.totalFrames = frames;
    nameSequence(fileName);
    // Nothing of an earlier sequence reaches a new one: no points, no names.
    for (const uint8_t code : {0, 1, 5}) {
        frame.visitFormat(code, [&](auto& r) {
            r.pointCount = 0;
            r.header = blankHeader(code);
        });
    }
    frame.clearSelection();
    forgetHistory();
    win.pointsLabel = win.xLabel = win.yLabel = QStringLiteral("0");
    win.statusNote.clear();
    win.noteStale = true;
    win.deleteFramesEnabled = true;  // a sequence starts with a frame at least
    canvas.setBackground(QImage());
    canvas.setUnderlay(QImage());
    canvas.resetBackdrop();
    strip.setPosition(0);
    strip.setRange(frames);
    redrawStrip();
}

bool Editor::recoverUnsavedFrames() {
    const UnsavedMarker::LeftBehind marker = unsaved_.leftBehind();
    const int left = marker.frames;
    const QFileInfo file(buffer.path());
    // Frames of another user's session are theirs: never offered, never touched.
    if (left == 0 || !file.isFile() || file.ownerId() != ::geteuid()) return false;
    // Only slots that hold a frame as the editor writes them can come back: no garbage is
    // offered as frames, nor saved as a file no reader opens.
    const int frames = buffer.wholeFrames(left);
    const QString question =
        marker.fileName.isEmpty() ? RecoverQuestion.arg(frames) : RecoverFileQuestion.arg(frames).arg(marker.fileName);
    if (frames == 0 || prompts.askYesNo(question) != Answer::Yes) {
        unsaved_.remove();
        return false;
    }
    // Save asks for a name: recovered frames never go over a file without a question.
    restartSequence(frames, marker.fileName);
    win.title += marker.fileName.isEmpty() ? Text(QT_TRANSLATE_NOOP("Texts", ": recovered"))
                                           : Text(QT_TRANSLATE_NOOP("Texts", " (recovered)"));
    setFileChanged(true);
    return true;
}

void Editor::nameSequence(const QString& fileName) {
    fileName_ = fileName;
    win.title = fileName.isEmpty() ? MainTitle : MainTitle + QStringLiteral(": ") + fileName;
    keepMarkerInStep();
}

void Editor::keepMarkerInStep() {
    const int counted = seq.fileChanged ? seq.totalFrames : 0;
    // The slots are on the disk before the marker counts them: those of an Open never were.
    if (unsaved_.wouldWrite(counted, fileName_)) buffer.sync();
    unsaved_.track(counted, fileName_);
}

void Editor::setFileChanged(bool changed) {
    seq.fileChanged = changed;
    keepMarkerInStep();
}

void Editor::addNewFrame() {
    if (seq.totalFrames >= MaxFrames) {
        prompts.message(SequenceFullNote, MessageIcon::Exclamation);
        return;
    }
    FrameHeader h = blankHeader(0);
    frame.visit([&](auto& r) {
        using P = typename std::decay_t<decltype(r)>::Point;
        h = r.header;
        h.formatCode = formatOf<P>();  // the new frame has the format of the frame it copies
    });
    h.setPointCount(0);
    if (!buffer.writeHeader(seq.totalFrames + 1, h)) {
        prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
        return;
    }
    ++seq.totalFrames;
    setFileChanged(true);  // the marker counts the new slot once the file is synced
    strip.setRange(seq.totalFrames);
    redrawStrip();
    win.deleteFramesEnabled = true;
}

bool Editor::writeBackWorkingFrame() {
    if (!seq.framechanged || seq.currentFrame == 0) return true;  // frame 0 has no slot to go to
    if (buffer.saveRamToBuffer(seq.currentFrame, frame)) {
        buffer.sync();  // the slot the marker counts holds the edits, even after a power cut
        return true;
    }
    prompts.message(BufferWriteFailed.arg(buffer.error()), MessageIcon::Exclamation);
    return false;
}

// ---- strip ----------------------------------------------------------------------------

void Editor::setStripPosition(int position) {
    if (strip.setPosition(position)) redrawStrip();
}

void Editor::wheel(int delta, bool buttonsOrKeysHeld) { setStripPosition(strip.wheelTarget(delta, buttonsOrKeysHeld)); }

void Editor::redrawStrip() { strip.draw(buffer, palette, settings.pointSize, seq); }

void Editor::chooseThumbnail(int index, bool leftButton) {
    const int chosen = strip.frameAt(index);
    if (chosen > seq.totalFrames) return;
    // An edit that cannot be written back stays loaded, so it is not lost.
    if (!writeBackWorkingFrame()) return;
    // Nor is a frame chosen that cannot be read whole: its number over the points loaded
    // before would write them into its slot at the next edit.
    if (!buffer.loadable(chosen)) {
        prompts.message(FrameUnreadable.arg(chosen), MessageIcon::Exclamation);
        return;
    }
    seq.selectFrames(chosen, leftButton);
    win.noteStale = true;
    refreshUnderlay(chosen);
    if (tools.current() != PointTool) canvas.resetBackdrop();
    ImageSurface surface = canvas.surface();
    win.pointsLabel = QString::number(drawChosenFrame(buffer, chosen, palette, viewSettings(), surface));
    canvas.takeSnapshot();
    seq.currentFrame = chosen;
    redrawStrip();
    buffer.copyFrameToRam(chosen, frame);
    seq.editEnabled = true;
    seq.framechanged = false;
    resetUndo();
    history.makeUndo(frame);
    showHistory();  // the state as loaded is kept, but it is nothing to undo yet
    if (settings.beamMode) {
        redrawCanvas();  // the working frame with its selection, as every later redraw shows it
        canvas.takeSnapshot();
    }
    if (tools.current() == TransformTool) refreshCanvas();  // with the box and its handles
}

// ---- undo and the edit path -----------------------------------------------------------

void Editor::edit(unsigned flags, const std::function<void()>& change) {
    if (!(flags & Edit::KeepsUndo)) makeUndo();
    if (flags & Edit::FileDiffers) forgetRedo();  // a change that took no snapshot too
    win.noteStale = true;                         // what the change has to say comes after this
    change();
    if (flags & Edit::WriteBack) seq.framechanged = true;
    if (flags & Edit::FileDiffers) setFileChanged(true);
    showHistory();
    refreshCanvas();
    strip.drawWorkingFrame(frame, palette, settings.pointSize, seq);
}

// ---- view -----------------------------------------------------------------------------

void Editor::redrawCanvas() {
    const int drawn = canvas.redraw(frame, palette, viewSettings());
    if (drawn >= 0) win.pointsLabel = QString::number(drawn);
}

void Editor::refreshCanvas() { tools.refresh(); }

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
    pickedColor.reset();
}

void Editor::reloadPalette() {
    QString note;
    palette = loadPalette(paths_.paletteFolder(settings.paletteChoice), settings.paletteChoice, &note);
    drawPaletteStrip();
    if (!note.isEmpty()) win.statusNote = note;
}

void Editor::pickColor(double x) {
    currentColor = colorIndexAt(x, settings.paletteChoice);
    pickedColor.reset();  // the strip's colour again, for true-colour frames too
}

void Editor::pickTrueColor(Rgb color) { pickedColor = color; }

Ink Editor::ink() const {
    const bool picked = pickedColor && frame.format == 5;
    return {currentColor, picked ? *pickedColor : palette.color[currentColor]};
}

// ---- tools ----------------------------------------------------------------------------

void Editor::chooseTool(int tool) { tools.choose(tool); }

void Editor::pointerAt(double X, double Y) {
    const ViewPort& v = canvas.viewPort();
    const double last = v.grid.last();
    X = std::clamp(X + v.left, 0.0, last);
    Y = last - std::clamp(Y + v.top, 0.0, last);
    // The read-out speaks in ILDA values: the left and bottom edges read -32768.
    win.xLabel = QString::number(nearest(X * v.grid.divisor) - 32768);
    win.yLabel = QString::number(nearest(Y * v.grid.divisor) - 32768);
}

void Editor::canvasPress(int button, float X, float Y) {
    if (!tools.gestureHeld())
        gestureStart_ = {history.statesMade(), seq.fileChanged, seq.framechanged, frame.selStart, frame.selEnd};
    tools.press(button, X, Y);
}

bool Editor::cancelGesture() {
    if (!tools.gestureHeld()) return false;
    // What the press and the moves changed already goes back, leaving nothing to redo.
    if (history.statesMade() != gestureStart_.statesMade && history.undo(frame)) {
        steps.takeUndo();  // the step the press took, newest of all
        forgetRedo();
        seq.framechanged = gestureStart_.frameChanged;
        setFileChanged(gestureStart_.fileChanged);
        showHistory();
        strip.drawWorkingFrame(frame, palette, settings.pointSize, seq);
    }
    frame.selStart = gestureStart_.selStart, frame.selEnd = gestureStart_.selEnd;
    tools.cancel();
    return true;
}

void Editor::canvasMove(int button, float X, float Y) {
    pointerAt(X, Y);
    tools.move(button, X, Y);
}

void Editor::canvasRelease(int button, float X, float Y) {
    tools.release(button, X, Y);
    // A resize that came during the drag takes effect now that it is over.
    if (pendingView_ && !tools.gestureHeld()) showView(*std::exchange(pendingView_, std::nullopt));
}

void Editor::selectAllPoints() { tools.selectAll(); }

void Editor::setPointSpace(int value) { settings.pointSpace = static_cast<int16_t>(value); }
void Editor::setBlankSpace(int value) { settings.blankSpace = static_cast<int16_t>(value); }

bool Editor::closeWindow() {
    if (!mayReplaceSequence()) return false;
    shutdown();
    return true;
}

void Editor::shutdown() {
    steps.clear();  // what Undo kept goes with the frame buffer file
    buffer.remove();
    unsaved_.remove();
    saveConfig(paths_.configFile(), settings);
    saveMoreSettings(moreSettingsPath(), more);
    canvas.setBackground(QImage());
    canvas.dropSnapshot();
}

}  // namespace quorvel
