// SPDX-License-Identifier: GPL-3.0-or-later
// Drawings from vector programs brought in as frames, and points made ready for a projector.
#include "shell/Editor.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>

namespace quorvel {

ImportRules Editor::importRules() const { return {settings.pointSpace, settings.blankSpace, more.cornerDwell}; }

namespace {

// What the work away from the window makes of the chosen drawings, ready to go in: one file onto
// a copy of the working frame, several as the slots of new frames.
struct TracedDrawings {
    QStringList unreadable;
    WorkingFrame onto;  // one file: the working frame with the drawing added
    ImportReport report;
    std::vector<SlotBytes> frames;  // several files: one new frame per drawing read
    int skipped = 0;                // elements left out, over all drawings
    bool full = false;              // a drawing did not fit its frame whole
    QString name;                   // one file: its name
};

template <class P> void copyRecord(const FrameRecord<P>& from, FrameRecord<P>& to) {
    to.header = from.header;
    to.pointCount = from.pointCount;
    std::copy_n(from.points.data(), from.pointCount, to.points.data());
}

}  // namespace

void Editor::importSvg() {
    if (!seq.editEnabled) return;
    importSvgFiles(prompts.openFileNames(SvgFilter));
}

void Editor::importSvgFiles(QStringList files) {
    if (files.isEmpty()) return;
    if (!seq.editEnabled) {  // dropped before a frame was chosen: there is nothing to add them to
        win.statusNote = ChooseAFrameFirst;
        return;
    }
    // frame9.svg before frame10.svg: numbered drawings come in as the animation they are.
    // The C locale sorts byte by byte, numbers included: any real language sorts them as numbers.
    QCollator byName(QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale());
    byName.setNumericMode(true);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(), [&](const QString& a, const QString& b) {
        return byName.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    // A large drawing takes a second or two to read and trace: that happens away from the window,
    // on copies of all it needs, so the window keeps painting and Cancel leaves everything as it was.
    const bool oneFile = files.size() == 1;
    TracedDrawings traced;
    FrameHeader header{};  // each new frame is of the working frame's kind, with its names, as Insert makes it
    frame.visit([&](const auto& r) {
        copyRecord(r, traced.onto.record<typename std::decay_t<decltype(r)>::Point>());
        header = r.header;
    });
    traced.onto.format = oneFile || frame.hasLiveRecord() ? frame.format : 0;
    const ImportRules rules = importRules();
    const Ink baseInk = ink();
    const int entries = paletteEntries(settings.paletteChoice);
    const auto work = [&](WorkProgress& progress) {
        progress.total = int(files.size());
        for (const QString& f : files) {
            if (progress.cancelled) return;
            const SvgDrawing d = readSvgFile(f);
            ++progress.done;
            if (!d.ok) {
                traced.unreadable << SvgUnreadable.arg(QFileInfo(f).fileName(), d.error);
                continue;
            }
            traced.skipped += d.skipped;
            if (oneFile) {
                traced.report = importDrawing(traced.onto, d, rules, baseInk, palette, entries);
                traced.name = QFileInfo(f).fileName();
                continue;
            }
            WorkingFrame made;
            made.format = traced.onto.format;
            made.visit([&](auto& r) {
                r.header = header;
                traced.full |= !importDrawing(made, d, rules, baseInk, palette, entries).fit;
                refreshForWrite(r);
                const auto* bytes = reinterpret_cast<const uint8_t*>(r.points.data());
                traced.frames.push_back({r.header, {bytes, bytes + sizeof(r.points[0]) * size_t(r.pointCount)}});
            });
        }
    };
    if (!prompts.whileWorking(ImportingDrawings, work)) return;
    if (!traced.unreadable.isEmpty()) prompts.message(traced.unreadable.join('\n'), MessageIcon::Exclamation);
    if (oneFile && !traced.name.isEmpty())
        importOntoWorkingFrame(traced.onto, traced.report, traced.name, traced.skipped);
    else if (!traced.frames.empty())
        importAsFrames(traced.frames, traced.full, traced.skipped);
}

void Editor::importOntoWorkingFrame(const WorkingFrame& traced, const ImportReport& r, const QString& name,
                                    int skipped) {
    edit(Edit::FrameChanged, [&] {
        frame.visit([&](auto& into) {  // only points were added after the frame's own
            const auto& from = traced.record<typename std::decay_t<decltype(into)>::Point>();
            std::copy(from.points.data() + into.pointCount, from.points.data() + from.pointCount,
                      into.points.data() + into.pointCount);
            into.pointCount = from.pointCount;
        });
        win.statusNote = r.fit   ? SvgImportedNote.arg(name).arg(r.outlines).arg(r.added).arg(skipped)
                         : r.cut ? FrameFullNote
                                 : SvgFrameFullNote.arg(r.outlinesIn).arg(r.outlines);
    });
}

void Editor::importAsFrames(const std::vector<SlotBytes>& frames, bool full, int skipped) {
    const int count = int(frames.size());
    if (!readyToMoveFrames(count)) return;
    const int at = seq.currentFrame;
    bool added = false;
    frameStep(StepImportFrames, at + 1, 0, [&] {
        const MoveResult moved = replaceFrames(
            buffer, at + 1, 0, count, [&](int i) { return std::optional(frames[size_t(i)]); }, seq.totalFrames);
        added = framesMoved(moved, seq.totalFrames + count, at);
        return added ? count : -1;
    });
    if (!added) return;
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
