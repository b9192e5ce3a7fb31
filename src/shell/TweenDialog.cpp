// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TweenDialog.h"

#include "view/DialogButtons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace quorvel {

TweenDialog::TweenDialog(int a, int b, int total, QWidget* parent) : QDialog(parent) {
    setObjectName("Tween");
    setWindowTitle(tr("Tween"));
    auto* form = new QFormLayout(this);
    keyB_ = new QSpinBox(this);
    keyB_->setObjectName("SpinKeyB");
    keyB_->setRange(a + 1, total);
    keyB_->setValue(b);
    form->addRow(tr("From frame %1 to frame:").arg(a), keyB_);
    replace_ = new QRadioButton(this);
    replace_->setObjectName("OptReplace");
    insert_ = new QRadioButton(tr("Insert new frames after frame %1:").arg(a), this);
    insert_->setObjectName("OptInsert");
    const auto sayReplace = [this, a] {
        replace_->setText(tr("Replace the %1 frames between").arg(keyB_->value() - a - 1));
    };
    sayReplace();
    connect(keyB_, &QSpinBox::valueChanged, this, sayReplace);
    // With no frame between the keys there is nothing to replace: new frames go in.
    (b - a > 1 ? replace_ : insert_)->setChecked(true);
    count_ = new QSpinBox(this);
    count_->setObjectName("SpinCount");
    count_->setRange(1, 500);
    count_->setValue(10);
    auto* insertRow = new QHBoxLayout;
    insertRow->addWidget(insert_);
    insertRow->addWidget(count_);
    form->addRow(replace_);
    form->addRow(insertRow);
    easing_ = new QComboBox(this);
    easing_->setObjectName("CboEasing");
    easing_->addItems({tr("Linear"), tr("Ease in"), tr("Ease out"), tr("Ease in and out")});
    form->addRow(tr("Easing:"), easing_);
    form->addRow(okCancelButtons(this));
}

Editor::TweenChoice TweenDialog::chosen() const {
    return {keyB_->value(), insert_->isChecked(), count_->value(), Easing(easing_->currentIndex())};
}

}  // namespace quorvel
