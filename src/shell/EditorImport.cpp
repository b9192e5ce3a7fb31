// Drawings from vector programs brought in as frames, and points made ready for a projector.
#include "shell/Editor.h"

#include <QFileInfo>
#include <algorithm>

namespace quorvel {

namespace {
// Names in the order a person numbers them: runs of digits by their value (frame9 before
// frame10), the rest by letter, case aside.
bool namedBefore(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit()) ++ei;
            while (ej < b.size() && b[ej].isDigit()) ++ej;
            QStringView x = QStringView(a).sliced(i, ei - i), y = QStringView(b).sliced(j, ej - j);
            while (x.size() > 1 && x[0] == u'0') x = x.sliced(1);
            while (y.size() > 1 && y[0] == u'0') y = y.sliced(1);
            if (x.size() != y.size()) return x.size() < y.size();
            if (const int c = x.compare(y); c != 0) return c < 0;
            i = ei, j = ej;
            continue;
        }
        const QChar x = a[i].toCaseFolded(), y = b[j].toCaseFolded();
        if (x != y) return x < y;
        ++i, ++j;
    }
    return a.size() - i < b.size() - j;
}
}  // namespace

ImportRules Editor::importRules() const { return {settings.pointSpace, settings.blankSpace, more.cornerDwell}; }

void Editor::importSvg() {
    if (!seq.editEnabled) return;
    QStringList files = prompts.openFileNames(SvgFilter);
    if (files.isEmpty()) return;
    // frame9.svg before frame10.svg: numbered drawings come in as the animation they are.
    std::stable_sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return namedBefore(QFileInfo(a).fileName(), QFileInfo(b).fileName());
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
        win.statusNote =
            r.fit ? SvgImportedNote.arg(name).arg(r.outlines).arg(r.added).arg(drawing.skipped) : FrameFullNote;
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
    if (!seq.editEnabled || frame.pointCount() == 0) return;
    if (!optimisedFits(frame, settings.pointSpace, more.cornerDwell)) {
        win.statusNote = FrameFullNote;  // nothing changed, so no undo step either
        return;
    }
    edit(Edit::FrameChanged, [&] { quorvel::optimiseForProjector(frame, settings.pointSpace, more.cornerDwell); });
}

}  // namespace quorvel
