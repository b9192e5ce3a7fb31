// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Frame Info": the working frame's format and place in the sequence, and its two names.
#include "shell/Editor.h"

#include <QDialog>

class QLineEdit;

namespace quorvel {

class FrameInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit FrameInfoDialog(const FrameInfo& info, QWidget* parent = nullptr);
    QString name() const;
    QString company() const;

private:
    QLineEdit* name_ = nullptr;
    QLineEdit* company_ = nullptr;
};

}  // namespace quorvel
