// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text tool: typed text in the canvas font, rotated, previewed as outlines on the canvas and
// turned into laser points, one closed path per glyph contour, each reached by a blanked move.
// Outline units become canvas pixels divided by 40: with the glyph transform's 256, text comes
// out 6.4 times the font's pixel size. Glyphs are set edge to edge; a space is 10 pixels. Text is
// Unicode: a character the font lacks is skipped, and a glyph wholly off the canvas is not laid
// out (the pen still moves past it).
#include "model/Text.h"
#include "model/WorkingFrame.h"
#include "text/GlyphFont.h"
#include "text/GlyphWalk.h"
#include "tools/PointEdits.h"
#include "view/Surface.h"

#include <functional>
#include <memory>

namespace quorvel {

inline constexpr Text MissingCharactersNote{QT_TRANSLATE_NOOP("Texts", "Not in this font, so left out: %1")};

class TextSession {
public:
    TextSession();

    // Starts a dialog: the text empty, no rotation, the pen at the pressed pixel (y upward).
    void begin(int32_t centerx, int32_t centery);
    void setFont(const FontChoice& choice);
    const GlyphFont& font() const;
    void setText(const QString& text) { text_ = text; }
    const QString& text() const { return text_; }
    void setAngle(float degrees) { angle_ = degrees; }
    float angle() const { return angle_; }
    bool isBlank() const { return text_.trimmed().isEmpty(); }

    // The contours of one character at the current angle; false (with `error`) when it has none.
    bool glyph(char32_t c, std::vector<Contour>& contours, GlyphError& error) const;
    // The characters of the text the font lacks, each once, as the last walk found them.
    const QString& missing() const { return missing_; }
    // The outlines and a cursor after them on `s`, in `color`; ends quietly at a character
    // without an outline, with no cursor.
    void preview(Surface& s, Rgb color) const;
    // The text as points at the end of the working frame. `from` is where lines start;
    // `betweenGlyphs` runs after each glyph. False when the frame could take no more points.
    bool convert(WorkingFrame& wf, LineStart& from, ShapeSpacing spacing, const Ink& ink,
                 const std::function<void()>& betweenGlyphs) const;

private:
    struct Pen {
        int32_t x = 0, baselineY = 0;
    };
    Pen startPen() const { return {centerx_, 512 - centery_}; }
    // Walks the text: a space moves the pen 10 pixels, every other character's contours go to
    // `perContour` with a mapping of their points to the canvas, unless the whole glyph falls
    // off it. False at a character whose outline cannot be read, where the walk ends.
    template <class PerContour> bool layOut(PerContour&& perContour, const std::function<void()>& betweenGlyphs) const;
    mutable Pen cursor_;  // where the last walk left the pen
    mutable QString missing_;
    FontChoice choice_;
    mutable std::unique_ptr<GlyphFont> font_;  // made when first needed
    QString text_;
    float angle_ = 0;
    float curveStep_ = 1.0f;
    int32_t centerx_ = 0, centery_ = 0;
};

}  // namespace quorvel
