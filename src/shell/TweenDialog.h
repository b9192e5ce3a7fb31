// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Tween": the frames between the working frame (key A) and a later one (key B).
#include "shell/Editor.h"

#include <QDialog>

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace quorvel {

class TweenDialog : public QDialog {
    Q_OBJECT
public:
    // Key A is frame `a` of `total`; key B is first offered at `b`.
    TweenDialog(int a, int b, int total, QWidget* parent = nullptr);
    Editor::TweenChoice chosen() const;

private:
    QSpinBox *keyB_, *count_;
    QRadioButton *replace_, *insert_;
    QComboBox* easing_;
};

}  // namespace quorvel
