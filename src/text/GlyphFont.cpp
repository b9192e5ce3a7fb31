// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/GlyphFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <cmath>
#include <cstring>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace quorvel {

namespace {
// A point of FreeType's 26.6 outline as a 16.16 record value.
Fixed fixedFrom26Dot6(FT_Pos v) {
    const int64_t bits = int64_t(v) * 1024;
    return {uint16_t(bits & 0xFFFF), int16_t(uint16_t((bits >> 16) & 0xFFFF))};
}

class RecordWriter {
public:
    explicit RecordWriter(std::vector<uint8_t>& out) : out_(out) {}
    void beginContour(const FT_Vector& start) {
        contourAt_ = out_.size();
        put32(0);  // cb, filled in when the contour ends
        put32(PolygonType);
        putPoint(start);
    }
    void curve(uint16_t type, const std::vector<FT_Vector>& points) {
        if (points.empty()) return;
        put16(type);
        put16(uint16_t(points.size()));
        for (const FT_Vector& p : points) putPoint(p);
    }
    void endContour() {
        const uint32_t cb = uint32_t(out_.size() - contourAt_);
        std::memcpy(out_.data() + contourAt_, &cb, 4);
    }

private:
    void put16(uint16_t v) { out_.insert(out_.end(), {uint8_t(v & 0xFF), uint8_t(v >> 8)}); }
    void put32(uint32_t v) {
        for (int i = 0; i < 4; ++i) out_.push_back(uint8_t(v >> (8 * i)));
    }
    void putPoint(const FT_Vector& p) {
        for (FT_Pos v : {p.x, p.y}) {
            const Fixed f = fixedFrom26Dot6(v);
            put16(f.fract);
            put16(uint16_t(f.value));
        }
    }
    std::vector<uint8_t>& out_;
    size_t contourAt_ = 0;
};

// One contour: from its first on-curve point, runs of on-curve points become line records and
// off-curve points with the on-curve point that ends them quadratic-spline records; a contour is
// closed by its last record, or by the walk joining its last point to its start.
void writeContour(const FT_Outline& o, int first, int last, RecordWriter& w) {
    const int n = last - first + 1;
    const auto on = [&](int i) { return FT_CURVE_TAG(o.tags[first + i]) == FT_CURVE_TAG_ON; };
    const auto cubic = [&](int i) { return FT_CURVE_TAG(o.tags[first + i]) == FT_CURVE_TAG_CUBIC; };
    const auto at = [&](int i) { return o.points[first + ((i % n) + n) % n]; };
    int s = 0;
    while (s < n && !on(s)) ++s;
    FT_Vector start;
    if (s == n) {  // no point on the curve: it starts between the last and the first
        start = {(at(-1).x + at(0).x) / 2, (at(-1).y + at(0).y) / 2};
        s = 0;
    } else {
        start = at(s);
    }
    w.beginContour(start);
    std::vector<FT_Vector> line, spline;
    bool unsupported = false;
    for (int k = 1; k <= n; ++k) {
        const int i = (s + k) % n;
        const bool closing = k == n;
        const FT_Vector p = closing ? start : at(i);
        if (closing || on(i)) {
            if (!spline.empty()) {
                w.curve(PrimLine, line), line.clear();
                spline.push_back(p);
                w.curve(unsupported ? PrimCSpline : PrimQSpline, spline), spline.clear();
            } else if (!closing) {
                line.push_back(p);
            }
        } else {
            unsupported |= cubic(i);
            spline.push_back(p);
        }
    }
    w.curve(PrimLine, line);
    w.endContour();
}
}  // namespace

struct GlyphFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Face() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

GlyphFont::GlyphFont(const FontChoice& choice) : choice_(choice), face_(std::make_unique<Face>()) {
    if (FT_Init_FreeType(&face_->library) != 0) return;
    const QByteArray family = choice.family.toUtf8();
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family.constData(), FC_WEIGHT, FcTypeInteger,
                                        choice.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, FC_SLANT, FcTypeInteger,
                                        choice.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN, nullptr);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    FcChar8* found = nullptr;
    int index = 0;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        if (FcPatternGetString(match, FC_FAMILY, 0, &found) == FcResultMatch)
            resolvedFamily_ = QString::fromUtf8(reinterpret_cast<const char*>(found));
        if (FT_New_Face(face_->library, reinterpret_cast<const char*>(file), index, &face_->face) != 0)
            face_->face = nullptr;
    }
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (face_->face) FT_Set_Pixel_Sizes(face_->face, 0, FT_UInt(pixelSize()));
}

GlyphFont::~GlyphFont() = default;

bool GlyphFont::isValid() const { return face_->face != nullptr; }

// Points at 96 dots per inch: 8.25 points are 11 pixels.
int GlyphFont::pixelSize() const { return std::max(1, int(std::nearbyint(choice_.pointSize * 96 / 72))); }

bool GlyphFont::has(char32_t c) const { return isValid() && FT_Get_Char_Index(face_->face, c) != 0; }

std::optional<std::vector<uint8_t>> GlyphFont::outline(char32_t c, const Mat2& m) const {
    if (!isValid()) return std::nullopt;
    FT_Matrix matrix{fixedBits(m.eM11), fixedBits(m.eM21), fixedBits(m.eM12), fixedBits(m.eM22)};
    FT_Set_Transform(face_->face, &matrix, nullptr);
    const FT_UInt glyph = FT_Get_Char_Index(face_->face, c);
    if (FT_Load_Glyph(face_->face, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return std::nullopt;
    const FT_GlyphSlot slot = face_->face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return std::nullopt;
    std::vector<uint8_t> out;
    RecordWriter writer(out);
    const FT_Outline& o = slot->outline;
    for (int c = 0, first = 0; c < o.n_contours; first = o.contours[c++] + 1)
        writeContour(o, first, o.contours[c], writer);
    return out;
}

}  // namespace quorvel
