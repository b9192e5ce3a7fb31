// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clip paths, which Qt SVG does not apply. An element clipped by a path is taken out of the
// drawing and drawn on its own, in a small drawing of the same root and ancestors; the shapes
// of its clip path are drawn the same way under the element's transform, and the element's
// outlines are cut to the region they enclose: a filled shape to its visible area, a stroke to
// the pieces that lie inside.
#include <QPainterPath>
#include <QString>
#include <vector>

namespace quorvel {

// One clipped element as it stands in the file: the start tags of its ancestors (the root
// first), the element whole, and the shapes of its clip path.
struct ClippedElement {
    QString ancestors;  // start tags, the root's first
    QString closers;    // their end tags, innermost first
    QString element;
    QString transform;      // the element's own transform, under which the clip path lies
    QString clipShapes;     // the clip path's children; empty when it cannot be applied
    QString clipTransform;  // the clip path's own transform
};

struct ClipScan {
    std::vector<ClippedElement> clipped;  // in file order, outermost clipped elements only
    QString shared;                       // the file's defs and style sheets, for every small drawing
};

// Most clipped elements drawn on their own; any past it are left out.
constexpr int MaxClippedElements = 500;

// Whether an element with these attributes is clipped (by an attribute or its style).
bool hasClipPath(const QString& clipAttribute, const QString& style);

// Finds the clipped elements of a drawing; empty when it has none.
ClipScan scanClips(const QString& text);

// `outline` in the drawing's user space, cut to `region`: its visible area when it is filled,
// else the pieces of its line inside the region. Empty when nothing is left.
QPainterPath clippedOutline(const QPainterPath& outline, bool filled, const QPainterPath& region);

}  // namespace quorvel
