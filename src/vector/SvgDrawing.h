// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An SVG file read as the outlines it draws: Qt SVG parses the file and works out the geometry
// of every element; a recording paint device keeps each outline with the transform it was
// drawn under. Text, pictures and gradient paint have no laser outline and are only counted;
// clip paths are applied here.
#include "model/Coordinates.h"

#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <optional>
#include <vector>

namespace quorvel {

struct DrawnOutline {
    QPainterPath path;         // in the drawing's own units, before `transform`
    QTransform transform;      // into the drawing's user space (viewBox units)
    std::optional<Rgb> color;  // its stroke, else its fill; none when it has neither
    bool filled = false;       // painted inside: a clip keeps its visible area, not pieces of its line
};

struct SvgDrawing {
    bool ok = false;
    QString error;  // why it could not be read, when not ok
    QRectF area;    // what is fitted into the canvas: the viewBox, else what is drawn
    std::vector<DrawnOutline> outlines;
    int skipped = 0;  // text runs, pictures, gradient-painted and unclippable elements left out
};

// Larger drawings are not what a frame of 20000 points can show.
constexpr qint64 MaxSvgBytes = qint64(256) << 20;
// A compressed drawing opens to at most this: a few hundred kilobytes of zeros can inflate to
// gigabytes.
constexpr qint64 MaxInflatedBytes = qint64(64) << 20;

// A frame holds 20000 points and every outline takes at least two of them, so no more than
// 10000 outlines ever come in; reading a drawing of millions of elements would cost gigabytes
// and minutes for nothing. Elements past the first MaxSvgElements are left out and counted as
// skipped; a drawing that nests elements deeper than MaxSvgDepth is refused.
constexpr int MaxSvgElements = 100000;
constexpr int MaxSvgDepth = 128;

SvgDrawing readSvg(const QByteArray& bytes);
// The file's bytes read as above; a file that cannot be read says so in `error`.
SvgDrawing readSvgFile(const QString& path);

}  // namespace quorvel
