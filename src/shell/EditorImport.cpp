// Drawings from vector programs brought in as frames, and points made ready for a projector.
#include "shell/Editor.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>

namespace quorvel {

ImportRules Editor::importRules() const { return {settings.pointSpace, settings.blankSpace, more.cornerDwell}; }

void Editor::importSvg() {
    if (!seq.editEnabled) return;
    QStringList files = prompts.openFileNames(SvgFilter);
    if (files.isEmpty()) return;
    // frame9.svg before frame10.svg: numbered drawings come in as the animation they are.
    // The C locale sorts byte by byte, numbers included: any real language sorts them as numbers.
    QCollator byName(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
    byName.setNumericMode(true);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(), [&](const QString& a, const QString& b) {
        return byName.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    std::vector<SvgDrawing> drawings;
    QStringList unreadable;
    for (const QString& f : files) {
        SvgDrawing d = readSvgFile(f);
        if (d.ok)
            drawings.push_back(std::move(d));
        else
            unreadable << SvgUnreadable.arg(QFileInfo(f).fileName(), d.error);
    }
    if (!unreadable.isEmpty()) prompts.message(unreadable.join('\n'), MessageIcon::Exclamation);
    if (drawings.empty()) return;
    if (files.size() == 1)
        importOntoWorkingFrame(drawings.front(), QFileInfo(files.front()).fileName());
    else
        importAsFrames(drawings);
}

void Editor::importOntoWorkingFrame(const SvgDrawing& drawing, const QString& name) {
    edit(Edit::FrameChanged, [&] {
        const ImportReport r =
            importDrawing(frame, drawing, importRules(), ink(), palette, paletteEntries(settings.paletteChoice));
        win.statusNote = r.fit   ? SvgImportedNote.arg(name).arg(r.outlines).arg(r.added).arg(drawing.skipped)
                         : r.cut ? FrameFullNote
                                 : SvgFrameFullNote.arg(r.outlinesIn).arg(r.outlines);
    });
}

void Editor::importAsFrames(const std::vector<SvgDrawing>& drawings) {
    const int count = int(drawings.size());
    if (!readyToMoveFrames(count)) return;
    const int at = seq.currentFrame;
    // Each new frame is of the kind of the frame being edited, with its names, as Insert makes it.
    WorkingFrame made;
    made.format = frame.hasLiveRecord() ? frame.format : 0;
    MoveResult moved;
    int added = 0, skipped = 0;
    bool full = false;
    for (const SvgDrawing& d : drawings) {
        SlotBytes slot;
        made.visit([&](auto& r) {
            frame.visit([&](const auto& current) { r.header = current.header; });
            r.pointCount = 0;
            full |= !importDrawing(made, d, importRules(), ink(), palette, paletteEntries(settings.paletteChoice)).fit;
            refreshForWrite(r);
            slot.header = r.header;
            const auto* bytes = reinterpret_cast<const uint8_t*>(r.points.data());
            slot.points.assign(bytes, bytes + sizeof(r.points[0]) * size_t(r.pointCount));
        });
        moved = quorvel::insertFrame(buffer, at + 1 + added, seq.totalFrames + added, slot);
        if (!moved.ok) break;
        ++added;
        skipped += d.skipped;
    }
    if (added > 0) framesMoved({}, seq.totalFrames + added, at);
    if (!moved.ok) {
        framesMoved(moved, seq.totalFrames, at);  // says why; the frames that went in stay
        return;
    }
    win.statusNote = full ? FrameFullNote : SvgFramesNote.arg(count).arg(at + 1).arg(at + count).arg(skipped);
}

void Editor::optimiseForProjector() {
    if (!seq.editEnabled) return;
    // Nothing changed, so no undo step either, and the change mark stays as it was.
    const OptimisePlan plan = optimisationOf(frame, settings.pointSpace, more.cornerDwell);
    if (!plan.changes()) {
        win.statusNote = NothingToOptimise;
        return;
    }
    if (plan.after > MaxPoints) {
        win.statusNote = FrameFullNote;
        return;
    }
    edit(Edit::FrameChanged, [&] { quorvel::optimiseForProjector(frame, settings.pointSpace, more.cornerDwell); });
    win.statusNote = OptimisedNote.arg(plan.before).arg(plan.after).arg(plan.cornersHeld);
}

}  // namespace quorvel
