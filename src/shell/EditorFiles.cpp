// SPDX-License-Identifier: GPL-3.0-or-later
// Opening an ILDA file into the frame buffer file, and saving the sequence as one.
#include "ilda/IldaOpen.h"
#include "model/RegularFile.h"
#include "model/SystemText.h"
#include "shell/Editor.h"
#include "view/SlotDrawing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvel {

void Editor::open() {
    if (!mayReplaceSequence()) return;  // the question is asked once, before the file dialog
    const QString path = prompts.openFileName(IldaFilter);
    if (!path.isEmpty()) openPath(path);
}

int Editor::drawFirstFrame() {
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    style.pointSize = settings.pointSize;
    style.scale = canvas.viewPort().scale();
    ImageSurface surface = canvas.surface();
    return drawFrameFromSlot(file, 1, palette, style, surface, scratch);
}

bool Editor::openPath(const QString& path) {
    // A pipe or a device would hold the window; nothing is replaced for it.
    if (const QString odd = notRegularFile(path); !odd.isEmpty()) {
        win.statusNote = odd;
        return false;
    }
    // The question was answered (or not needed) before: it is not asked again.
    if (!mayReplaceSequence()) return false;
    if (!startEmptySequence()) return false;  // the frame buffer file takes nothing: it has been said
    openFile(path);
    return true;
}

void Editor::dropFiles(const QStringList& paths) {
    QStringList ilda, drawings, pictures, others;
    for (const QString& p : paths) {
        const QString kind = QFileInfo(p).suffix().toLower();
        if (kind == u"ild")
            ilda << p;
        else if (kind == u"svg" || kind == u"svgz")
            drawings << p;
        else if (kind == u"bmp" || kind == u"jpg" || kind == u"jpeg" || kind == u"png")
            pictures << p;
        else
            others << QFileInfo(p).fileName();
    }
    if (!ilda.isEmpty()) {
        if (openPath(ilda.front()) && ilda.size() > 1)
            win.statusNote = OneSequenceAtATime.arg(QFileInfo(ilda.front()).fileName());
    } else if (!drawings.isEmpty()) {
        importSvgFiles(drawings);
    } else if (!pictures.isEmpty()) {
        loadImageFile(pictures.front());
    } else if (!others.isEmpty()) {
        win.statusNote = NotDroppable.arg(others.front());
    }
}

void Editor::openRecent(int index) {
    if (index < 0 || index >= more.recentFiles.size()) return;
    const QString path = more.recentFiles[index];
    if (!QFileInfo::exists(path)) {  // nothing would be opened: the sequence needs no question
        more.recentFiles.removeAt(index);
        win.statusNote = RecentFileGone.arg(path);
        keepMoreSettings();
        return;
    }
    openPath(path);
}

void Editor::rememberFile(const QString& path) {
    if (!remembersFiles) return;
    more.recentFiles = withRecentFile(more.recentFiles, QFileInfo(path).absoluteFilePath());
    keepMoreSettings();
}

void Editor::keepMoreSettings() {
    if (!saveMoreSettings(moreSettingsPath(), more)) saySettingsUnkept();
}

void Editor::saySettingsUnkept() {
    // Once a run: the work goes on, only this run's settings will not be there next time.
    if (toldSettingsUnkept_) return;
    toldSettingsUnkept_ = true;
    const QString note = SettingsUnkeptNote.arg(QDir::toNativeSeparators(paths_.settingsFolder));
    win.statusNote = win.statusNote.isEmpty() ? note : win.statusNote + ' ' + note;
}

OpenResult Editor::openFile(const QString& path) {
    if (const QString odd = notRegularFile(path); !odd.isEmpty()) {
        win.statusNote = odd;
        return OpenResult::Unreadable;
    }
    // A file that cannot be read at all is not a damaged file: no rejection box, no new title.
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly)) {
        win.statusNote = FileUnreadableNote.arg(probe.errorString());
        return OpenResult::Unreadable;
    }
    prompts.setBusy(true);
    seq.selFrameStart = seq.selFrameLen = 1;
    const OpenedFrames opened = openFrames(path, buffer);
    const FrameScan& scan = opened.scan;
    const CopyReport& copied = opened.copied;
    nameSequence(fromSystem(scan.fileName));
    if (scan.rejected) prompts.message(fromSystem(rejectionText(scan.declaredFrames)), MessageIcon::None);
    if (copied.writeFailed) {
        // Nothing half-loaded may stay behind: it could be saved over the file the user opened.
        prompts.setBusy(false);
        prompts.message(BufferWriteFailed.arg(fromSystem(copied.error)), MessageIcon::Exclamation);
        startEmptySequence();
        return OpenResult::BufferFailed;
    }
    const bool shortened = opened.shortened();
    if (shortened && !scan.rejected) prompts.message(fromSystem(rejectionText(scan.declaredFrames)), MessageIcon::None);
    seq.totalFrames = copied.framesCopied;
    win.deleteFramesEnabled = seq.totalFrames > 0;
    strip.setPosition(0);
    strip.setRange(seq.totalFrames);
    redrawStrip();
    win.pointsLabel = QString::number(drawFirstFrame());
    prompts.setBusy(false);

    if (scan.tooManyFrames) prompts.message(TooManyFramesNote, MessageIcon::Information);
    win.statusNote = fromSystem(conversionNotes(copied));
    rememberFile(path);
    // Save writes back to a file that loaded whole, never over one that loaded only in part.
    if (!scan.rejected && !shortened) savedAs_ = path;
    return scan.rejected || shortened ? OpenResult::Rejected : OpenResult::Loaded;
}

QString Editor::chooseSaveName(const QString& filter) {
    for (;;) {
        const QString path = prompts.saveFileName(filter);
        const QFileInfo file(path);
        if (path.isEmpty() || !file.exists() || file.isDir()) return path;  // a folder cannot be written: it is said
        // No goes back to choosing a name, as in any desktop program.
        if (prompts.askYesNo(ReplaceQuestion.arg(QFileInfo(path).fileName())) == Answer::Yes) return path;
    }
}

WriteResult Editor::writeIldaFile() {
    if (seq.totalFrames == 0) return nothingToWrite();
    const QString path = chooseSaveName(IldaFilter);
    if (path.isEmpty()) return {};
    return writeSequence(path);
}

WriteResult Editor::writeSequence(const QString& path) {
    if (seq.totalFrames == 0) return nothingToWrite();
    const WriteResult result = quorvel::writeIldaFile(buffer, seq.totalFrames, path, nullptr);
    win.statusNote = result.ok ? SavedNote.arg(seq.totalFrames) : FileUnwritableNote.arg(fromSystem(result.error));
    if (!result.ok) return result;
    // From now on Save writes here, and the title says so.
    savedAs_ = path;
    nameSequence(QFileInfo(path).fileName());
    rememberFile(path);
    return result;
}

WriteResult Editor::exportForSdCard() {
    if (!readyToSave()) return {false, toSystem(bufferLost_ ? NothingToSave : buffer.error())};
    if (seq.totalFrames == 0) return nothingToWrite();
    const QString path = chooseSaveName(SdCardFilter);
    if (path.isEmpty()) return {};
    const Palette ilda = loadPalette(paths_.paletteFolder(IldaPalette), IldaPalette);
    const SdCardColors colors{ilda, palette, settings.paletteChoice == IldaPalette};
    const WriteResult result = quorvel::writeIldaFile(buffer, seq.totalFrames, path, &colors);
    if (!result.ok) {
        win.statusNote = FileUnwritableNote.arg(fromSystem(result.error));
        return result;
    }
    win.statusNote = ExportedNote.arg(seq.totalFrames).arg(QDir::toNativeSeparators(path));
    if (!isShortFileName(QFileInfo(path).fileName())) win.statusNote += ' ' + NotShortName;
    return result;
}

WriteResult Editor::nothingToWrite() {
    // A file of a closing header alone is one no reader opens: no file is written or replaced.
    win.statusNote = FileUnwritableNote.arg(NoFramesToSave);
    return {false, toSystem(NoFramesToSave)};
}

bool Editor::readyToSave() {
    if (bufferLost_) {
        win.statusNote = FileUnwritableNote.arg(NothingToSave);
        return false;
    }
    // An edit that did not reach its slot would be missing from the file: nothing is written.
    return writeBackWorkingFrame();
}

WriteResult Editor::saveAs() {
    if (!readyToSave()) return {false, toSystem(bufferLost_ ? NothingToSave : buffer.error())};
    const WriteResult result = writeIldaFile();
    if (result.ok) setFileChanged(false);  // a cancelled or failed save keeps the question
    return result;
}

WriteResult Editor::save() {
    if (savedAs_.isEmpty()) return saveAs();
    if (!readyToSave()) return {false, toSystem(bufferLost_ ? NothingToSave : buffer.error())};
    const WriteResult result = writeSequence(savedAs_);
    if (result.ok) setFileChanged(false);
    return result;
}

}  // namespace quorvel
