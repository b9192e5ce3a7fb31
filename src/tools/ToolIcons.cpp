// SPDX-License-Identifier: GPL-3.0-or-later
// The tool buttons under the canvas: their order, hints and icons, in one table.
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "tools/ToolTable.h"

namespace quorvel {

namespace {
const QColor accent(0, 150, 210), red(210, 40, 40);
void drawDot(QPainter& p, QPointF c, qreal r = 2.2) { p.drawEllipse(c, r, r); }

// An arrow: the pointer only reads positions.
void paintPointer(QPainter& p, const QColor& ink) {
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({{6, 3}, {6, 19}, {10, 15}, {13, 21}, {15, 20}, {12, 14}, {18, 14}}));
}
void paintPoint(QPainter& p, const QColor&) {
    p.setBrush(accent);
    drawDot(p, {12, 12}, 4);
}
void paintLine(QPainter& p, const QColor&) {
    p.drawLine(QPointF(4, 19), QPointF(20, 5));
    p.setBrush(accent);
    for (qreal t : {0.0, 0.33, 0.66, 1.0}) drawDot(p, {4 + 16 * t, 19 - 14 * t}, 1.6);
}
void paintCircle(QPainter& p, const QColor&) { p.drawEllipse(QPointF(12, 12), 8, 8); }
void paintSelect(QPainter& p, const QColor& ink) {
    p.setPen(QPen(ink, 1.3, Qt::DashLine));
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setBrush(accent);
    p.setPen(Qt::NoPen);
    drawDot(p, {12, 12}, 3);
}
void paintMove(QPainter& p, const QColor& ink) {
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({{12, 2}, {9, 6}, {15, 6}}));
    p.drawPolygon(QPolygonF({{12, 22}, {9, 18}, {15, 18}}));
    p.drawPolygon(QPolygonF({{2, 12}, {6, 9}, {6, 15}}));
    p.drawPolygon(QPolygonF({{22, 12}, {18, 9}, {18, 15}}));
}
void paintInsert(QPainter& p, const QColor&) {
    p.drawLine(QPointF(3, 17), QPointF(21, 17));
    p.setPen(QPen(accent, 2));
    p.drawLine(QPointF(12, 4), QPointF(12, 13));
    p.drawLine(QPointF(8, 9), QPointF(16, 9));
}
void paintRecolor(QPainter& p, const QColor&) {
    QLinearGradient g(3, 0, 21, 0);
    g.setColorAt(0, Qt::red), g.setColorAt(0.5, Qt::green), g.setColorAt(1, Qt::blue);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3, 8, 18, 9), 3, 3);
}
void paintDelete(QPainter& p, const QColor&) {
    p.setPen(QPen(red, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
}
void paintText(QPainter& p, const QColor&) {
    QFont f = p.font();
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("T"));
}
void paintRectangle(QPainter& p, const QColor&) { p.drawRect(QRectF(4, 6, 16, 12)); }
// A box with corner handles and a turning arrow off its top right corner.
void paintTransform(QPainter& p, const QColor& ink) {
    p.drawRect(QRectF(4, 8, 12, 12));
    p.setBrush(ink);
    for (const QPointF c : {QPointF(4, 8), QPointF(16, 8), QPointF(16, 20), QPointF(4, 20)})
        p.drawRect(QRectF(c - QPointF(1.5, 1.5), QSizeF(3, 3)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 1, 10, 10), 0, 150 * 16);
    p.drawLine(QPointF(22, 6), QPointF(20, 3.5));
    p.drawLine(QPointF(22, 6), QPointF(23.5, 3.5));
}
}  // namespace

const std::array<ToolInfo, 12>& toolButtons() {
    static const std::array<ToolInfo, 12> table{{
        {NoTool, QT_TRANSLATE_NOOP("Tools", "Pointer: the canvas takes no clicks"), paintPointer},
        {PointTool,
         QT_TRANSLATE_NOOP("Tools", "Point: click to add a point, or drag with Pen mode; the right button blanks"),
         paintPoint},
        {LineTool, QT_TRANSLATE_NOOP("Tools", "Line: drag; it runs from the last point to where you release"),
         paintLine},
        {CircleTool, QT_TRANSLATE_NOOP("Tools", "Circle: press at the centre, release at a corner of its box"),
         paintCircle},
        {RectangleTool, QT_TRANSLATE_NOOP("Tools", "Rectangle: press at one corner, release at the other"),
         paintRectangle},
        {TextTool, QT_TRANSLATE_NOOP("Tools", "Create Text: press where the text starts, then type it"), paintText},
        {SelectTool, QT_TRANSLATE_NOOP("Tools", "Select: click a point, then another; a right click clears"),
         paintSelect},
        {MoveTool, QT_TRANSLATE_NOOP("Tools", "Move: drag a point, or the selection by any of its points"), paintMove},
        {TransformTool,
         QT_TRANSLATE_NOOP("Tools",
                           "Transform: drag inside the box to move, a corner to scale, just outside a corner "
                           "to turn; Shift keeps proportions and turns by 15 degrees"),
         paintTransform},
        {InsertTool, QT_TRANSLATE_NOOP("Tools", "Insert: press near a segment, release where the new point goes"),
         paintInsert},
        {RecolorTool, QT_TRANSLATE_NOOP("Tools", "Recolor: click or drag over points to give them the colour"),
         paintRecolor},
        {DeleteTool, QT_TRANSLATE_NOOP("Tools", "Delete: click a point, or one of the selection to delete it all"),
         paintDelete},
    }};
    return table;
}

QIcon toolIcon(const ToolInfo& tool, const QColor& ink) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    tool.paintIcon(p, ink);
    return QIcon(pm);
}

}  // namespace quorvel
