// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextSession.h"
#include "model/Text.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace quorvel {

namespace {
struct Scaled {
    float x, y;  // canvas pixels from the pen, y downward
};
Scaled scaled(const OutlinePoint& p) { return {float(p.x / 40), float(-p.y / 40)}; }
// A glyph's width is its rightmost scaled x, rounded.
void widen(int32_t& width, float x) { width = std::max(width, nearest(x)); }
}  // namespace

TextSession::TextSession() = default;

// Finding and loading a font costs more than everything else at start-up: it waits for the
// text tool's first use.
const GlyphFont& TextSession::font() const {
    if (!font_) font_ = std::make_unique<GlyphFont>(choice_);
    return *font_;
}

void TextSession::begin(int32_t centerx, int32_t centery) {
    centerx_ = centerx, centery_ = centery;
    text_.clear();
    angle_ = 0;
}

void TextSession::setFont(const FontChoice& choice) {
    choice_ = choice;
    font_.reset();
}

bool TextSession::glyph(char32_t c, std::vector<Contour>& contours, GlyphError& error) const {
    const auto records = font().outline(c, rotationMatrix(degToRad(angle_)));
    if (!records) {
        error = {5, Text(QT_TRANSLATE_NOOP("Texts", "The font gives no outline for this character."))};
        return false;
    }
    return walkGlyph(*records, curveStep_, contours, error);
}

template <class PerContour>
bool TextSession::layOut(PerContour&& perContour, const std::function<void()>& betweenGlyphs) const {
    Pen pen = startPen();
    std::vector<Contour> contours;
    GlyphError error;
    missing_.clear();
    for (char32_t c : text_.toUcs4()) {
        if (c == ' ') {
            pen.x += 10;
            continue;
        }
        if (!font().has(c)) {
            if (const QString s = QString::fromUcs4(&c, 1); !missing_.contains(s)) missing_ += s;
            continue;
        }
        if (!glyph(c, contours, error)) return false;
        // The glyph's width is its rightmost x from the pen; its box says whether it shows.
        int32_t width = 0;
        float left = 0, right = 0, top = 0, bottom = 0;
        bool first = true;
        for (const Contour& contour : contours)
            for (const OutlinePoint& p : contour) {
                const Scaled q = scaled(p);
                widen(width, q.x);
                if (first) left = right = q.x, top = bottom = q.y, first = false;
                left = std::min(left, q.x), right = std::max(right, q.x);
                top = std::min(top, q.y), bottom = std::max(bottom, q.y);
            }
        const auto onCanvas = [](float lo, float hi) { return nearest(hi) >= 0 && nearest(lo) <= 511; };
        const bool shows =
            onCanvas(left + pen.x, right + pen.x) && onCanvas(top + pen.baselineY, bottom + pen.baselineY);
        // Canvas pixels of the contour's points, y downward.
        const auto at = [&](const OutlinePoint& p) {
            const Scaled q = scaled(p);
            return Scaled{q.x + pen.x, q.y + pen.baselineY};
        };
        for (const Contour& contour : contours)
            if (shows && !contour.empty()) perContour(contour, at);
        pen.x += width;
        betweenGlyphs();
    }
    cursor_ = pen;
    return true;
}

void TextSession::preview(Surface& s, Rgb color) const {
    if (isBlank()) return;
    const bool whole = layOut(
        [&](const Contour& contour, const auto& at) {
            const Scaled first = at(contour.front());
            const int fx = nearest(first.x), fy = nearest(first.y);
            s.pixel(fx, fy, color);
            int px = fx, py = fy;
            for (size_t k = 1; k < contour.size(); ++k) {
                const Scaled q = at(contour[k]);
                s.line(px, py, nearest(q.x), nearest(q.y), color);
                px = nearest(q.x), py = nearest(q.y);
            }
            s.line(px, py, fx, fy, color);
        },
        [] {});
    if (!whole) return;  // no cursor after a character without an outline
    const int cursorX = cursor_.x + 3;
    s.line(cursorX, cursor_.baselineY, cursorX, cursor_.baselineY - nearest(7 * choice_.pointSize), color);
}

bool TextSession::convert(WorkingFrame& wf, LineStart& from, ShapeSpacing spacing, const Ink& ink,
                          const std::function<void()>& betweenGlyphs) const {
    from = lineStartOf(wf, from);
    if (isBlank()) return true;
    bool fit = true;
    const auto lineTo = [&](int32_t x, int32_t y, int button, bool fromLastPoint) {
        if (fromLastPoint) from = lineStartOf(wf, from);
        fit &=
            quorvel::lineTo(wf, from, x, y, button, lineSpacing(button, spacing.pointSpace, spacing.blankSpace), ink);
    };
    layOut(
        [&](const Contour& contour, const auto& at) {
            // A point pushed past the canvas is pinned to its edge and blanked.
            const auto place = [&](const OutlinePoint& p) {
                const Scaled q = at(p);
                const int32_t px = nearest(q.x), py = nearest(511 - q.y);
                const int32_t cx = std::clamp(px, 0, 511), cy = std::clamp(py, 0, 511);
                return std::tuple(cx, cy, cx == px && cy == py ? 1 : 2);
            };
            const auto [sx, sy, startButton] = place(contour.front());
            lineTo(sx, sy, 2, false);  // a blanked move to its start
            fit &= appendPoint(wf, sx, sy, startButton, ink);
            for (size_t k = 1; k < contour.size(); ++k) {
                const auto [x, y, button] = place(contour[k]);
                lineTo(x, y, button, true);
            }
            lineTo(sx, sy, startButton, true);  // closed on its start
        },
        betweenGlyphs);
    return fit;
}

}  // namespace quorvel
