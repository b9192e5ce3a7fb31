// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/NoteLabel.h"

#include <QPainter>

namespace quorvel {

NoteLabel::NoteLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // never widens the window
}

void NoteLabel::setNote(const QString& text) {
    note_ = text;
    setText(text);
    setToolTip(text);
    update();
}

QString NoteLabel::shownText() const {
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width();
    if (metrics.horizontalAdvance(note_) <= width) return note_;
    // A note's last sentence is what to do about it: it stays whole where it fits, and what
    // comes before gives way (a long file name, mostly).
    const qsizetype last = note_.lastIndexOf(QStringLiteral(". "));
    if (last > 0) {
        const QString head = note_.left(last + 2), tail = note_.mid(last + 2);
        const int tailWidth = metrics.horizontalAdvance(tail);
        if (tailWidth <= width * 4 / 5) return metrics.elidedText(head, Qt::ElideMiddle, width - tailWidth) + tail;
    }
    return metrics.elidedText(note_, Qt::ElideMiddle, width);
}

QSize NoteLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void NoteLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(contentsRect(), int(alignment() | Qt::TextSingleLine), shownText());
}

}  // namespace quorvel
