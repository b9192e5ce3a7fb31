// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status bar's note: it takes the width the read-outs leave, shortens a long text in the
// middle so both its start and its end stay readable (a last sentence, the advice, whole), and
// shows the whole text as a tool tip.
#include <QLabel>

namespace quorvel {

class NoteLabel final : public QLabel {
    Q_OBJECT
public:
    explicit NoteLabel(QWidget* parent = nullptr);
    void setNote(const QString& text);
    const QString& note() const { return note_; }
    // The text as painted at the label's width now.
    QString shownText() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString note_;
};

}  // namespace quorvel
