// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas font's glyph outlines, as the text tool reads them: one character's native quadratic
// outline at the font's pixel size for 96 dots per inch, transformed by a Mat2, written into a
// byte buffer of contour records (a 16-byte polygon header, then line and quadratic-spline
// curve records), the layout the glyph walk reads. Fonts are found through fontconfig and read
// with FreeType.
#include "text/FixedMaths.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quorvel {

// Record types of the outline buffer.
constexpr uint16_t PrimLine = 1, PrimQSpline = 2, PrimCSpline = 3;
constexpr uint32_t PolygonType = 24;

struct FontChoice {
    QString family = QStringLiteral("Times New Roman");
    double pointSize = 8.25;
    bool bold = false, italic = false, underline = false, strikeOut = false;
};

class GlyphFont {
public:
    explicit GlyphFont(const FontChoice& choice);
    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    bool isValid() const;
    const FontChoice& choice() const { return choice_; }
    QString resolvedFamily() const { return resolvedFamily_; }  // what fontconfig found for it
    int pixelSize() const;

    // Whether the font draws this Unicode character at all.
    bool has(char32_t c) const;
    // The outline of a Unicode character: empty for one without (a blank), nothing when the
    // font cannot give it.
    std::optional<std::vector<uint8_t>> outline(char32_t c, const Mat2& m) const;

private:
    struct Face;
    FontChoice choice_;
    QString resolvedFamily_;
    std::unique_ptr<Face> face_;
};

}  // namespace quorvel
