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
    return fontMetrics().elidedText(note_, Qt::ElideMiddle, contentsRect().width());
}

QSize NoteLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void NoteLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(contentsRect(), int(alignment() | Qt::TextSingleLine), shownText());
}

}  // namespace quorvel
