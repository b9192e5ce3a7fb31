// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Create text": the text, its font and its rotation; every change previews on the canvas.
#include "text/TextSession.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

namespace quorvel {

class TextDialog : public QDialog {
    Q_OBJECT
public:
    TextDialog(TextSession& session, std::function<void()> preview, QWidget* parent = nullptr);

    // The font dialog; tests replace it. Returns false when cancelled.
    std::function<bool(FontChoice&)> chooseFont;

private:
    void showFont();
    // The preview on the canvas, and under the text what the font cannot draw of it.
    void preview();

    TextSession& session_;
    std::function<void()> preview_;
    QLabel* fontName_ = nullptr;
    QLabel* fontSize_ = nullptr;
    QToolButton* fontButton_ = nullptr;
    QScrollBar* rotation_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLabel* missing_ = nullptr;
};

}  // namespace quorvel
