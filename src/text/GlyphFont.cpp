#include "text/GlyphFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <cmath>
#include <cstring>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace quorvel {

namespace {
// Windows-1251 above 127 (0x98 has no character).
constexpr char16_t Cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

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

std::optional<std::vector<uint8_t>> GlyphFont::outline(uint8_t code, const Mat2& m) const {
    if (!isValid()) return std::nullopt;
    FT_Matrix matrix{fixedBits(m.eM11), fixedBits(m.eM21), fixedBits(m.eM12), fixedBits(m.eM22)};
    FT_Set_Transform(face_->face, &matrix, nullptr);
    const FT_UInt glyph = FT_Get_Char_Index(face_->face, unicodeOf(code));
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

uint8_t codeOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 128) return uint8_t(u);
    for (int i = 0; i < 128; ++i)
        if (Cp1251High[i] == u && u != 0xFFFD) return uint8_t(128 + i);
    return '?';
}

char32_t unicodeOf(uint8_t code) { return code < 128 ? code : Cp1251High[code - 128]; }

}  // namespace quorvel
