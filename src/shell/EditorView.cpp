// SPDX-License-Identifier: GPL-3.0-or-later
// Playback, the view options and the frame's names.
#include "shell/Editor.h"
#include "view/ScaledSurface.h"
#include "view/SlotDrawing.h"

namespace quorvel {

void Editor::play(const std::function<void()>& waitForEvents, const std::function<void(int frame)>& shown) {
    canvas.resetBackdrop();  // frames are drawn on the bare canvas
    SlotFile file(buffer.path(), SlotAccess::Read);
    std::vector<uint8_t> scratch(PointAreaSize);
    PathStyle style;
    style.markers = false;
    style.scale = canvas.viewPort().scale();
    // Looping plays the frames selected in the strip, or all when one is selected.
    const bool range = playback.loop && seq.selFrameLen > 1;
    const int first = range ? seq.selFrameStart : 1;
    const int last = range ? std::min(seq.selFrameStart + seq.selFrameLen - 1, seq.totalFrames) : seq.totalFrames;
    playback.run(
        first, last,
        [&](int frame) {
            ImageSurface surface = canvas.bareSurface();
            drawFrameFromSlot(file, frame, palette, style, surface, scratch);
            shown(frame);
        },
        waitForEvents);
}

void Editor::previewText() {
    if (text.isBlank()) return;  // the last preview stays until OK or Cancel
    canvas.restoreSnapshot();
    ImageSurface surface = canvas.surface();
    ScaledSurface zoomed(surface, canvas.grid());
    text.preview(zoomed, ink().rgb);
}

void Editor::convertText() {
    if (!seq.editEnabled) return;
    // One undo step for the whole text; a text of blanks changes nothing but still takes it.
    edit(text.isBlank() ? 0 : Edit::FrameChanged, [&] {
        LineStart from = tools.gesture.from;
        const double normal = canvas.grid().divisor / double(NormalDivisor);
        from.x *= normal, from.y *= normal;
        if (!text.convert(frame, from, {settings.pointSpace, settings.blankSpace}, ink(), [] {}))
            win.statusNote = FrameFullNote;
        else if (!text.missing().isEmpty())
            win.statusNote = MissingCharactersNote.arg(text.missing());
    });
}

void Editor::cancelText() { canvas.restoreSnapshot(); }

ViewOptions Editor::viewOptions() const {
    return {settings.gridStep,  settings.pointSize, uint8_t(playRate()), settings.paletteChoice,
            more.projectorKpps, more.cornerDwell,   more.onionBefore,    more.onionAfter};
}

void Editor::setViewOptions(const ViewOptions& options) {
    settings.gridStep = options.gridStep;
    settings.pointSize = options.pointSize;
    // The rate is kept in quorvel.ini, up to 60; config.dat keeps what its own range holds.
    more.playRate = options.playFps;
    settings.playFps = uint8_t(std::min<int>(options.playFps, PlayFpsRange.hi));
    settings.paletteChoice = options.paletteChoice;
    more.projectorKpps = options.projectorKpps;
    more.cornerDwell = options.cornerDwell;
    const bool onion = more.onionBefore != options.onionBefore || more.onionAfter != options.onionAfter;
    more.onionBefore = options.onionBefore, more.onionAfter = options.onionAfter;
    // The colour selector shows the palette and its drawing colour goes back to 1; a colour
    // picked in the colour dialog stays, as no palette holds it.
    const std::optional<Rgb> picked = pickedColor;
    reloadPalette();
    pickedColor = picked;
    if (onion && showPreviousFrame) showUnderlay();
}

namespace {
QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }
}  // namespace

FrameInfo Editor::frameInfo() const {
    FrameInfo info{frame.format, seq.currentFrame, seq.totalFrames, {}, {}};
    frame.visit([&](const auto& r) {
        info.name = latin1(r.header.frameNameText());
        info.company = latin1(r.header.companyNameText());
    });
    return info;
}

void Editor::setFrameNames(const QString& name, const QString& company) {
    if (!seq.editEnabled) return;
    // Names are no edit of the points: no undo step, but the frame must be written back.
    edit(Edit::KeepsUndo | Edit::FrameChanged, [&] {
        frame.visit([&](auto& r) {
            r.header.setFrameName(name.toLatin1().toStdString());
            r.header.setCompanyName(company.toLatin1().toStdString());
        });
    });
}

}  // namespace quorvel
