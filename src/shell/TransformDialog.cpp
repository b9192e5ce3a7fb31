// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TransformDialog.h"

#include "view/DialogButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace quorvel {

QDoubleSpinBox* TransformDialog::number(const char* name, double low, double high, double value, int decimals) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

TransformDialog::TransformDialog(const Transform& last, int frames, QWidget* parent) : QDialog(parent) {
    setObjectName("Transform");
    setWindowTitle(tr("Transform"));
    auto* form = new QFormLayout(this);
    // A frame is 65535 units across: a move of more takes every point off it.
    moveX_ = number("TxtMoveX", -65535, 65535, last.moveX, 0);
    moveY_ = number("TxtMoveY", -65535, 65535, last.moveY, 0);
    scaleX_ = number("TxtScaleX", 0, 10000, last.scaleX, 2);
    scaleY_ = number("TxtScaleY", 0, 10000, last.scaleY, 2);
    degrees_ = number("TxtRotate", -360, 360, last.degrees, 2);
    proportional_ = new QCheckBox(tr("Keep proportions"), this);
    proportional_->setObjectName("ChkProportional");
    proportional_->setChecked(last.scaleX == last.scaleY);
    connect(scaleX_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (proportional_->isChecked()) scaleY_->setValue(v);
    });
    mirrorX_ = new QCheckBox(tr("Mirror horizontally"), this);
    mirrorX_->setObjectName("ChkMirrorX");
    mirrorX_->setChecked(last.mirrorX);
    mirrorY_ = new QCheckBox(tr("Mirror vertically"), this);
    mirrorY_->setObjectName("ChkMirrorY");
    mirrorY_->setChecked(last.mirrorY);
    about_ = new QComboBox(this);
    about_->setObjectName("CboAbout");
    about_->addItems({tr("The selection's centre"), tr("The frame's centre"), tr("The canvas centre")});
    about_->setCurrentIndex(int(last.about));
    form->addRow(tr("Move X (units):"), moveX_);
    form->addRow(tr("Move Y (units):"), moveY_);
    form->addRow(tr("Scale X (%):"), scaleX_);
    form->addRow(tr("Scale Y (%):"), scaleY_);
    form->addRow(QString(), proportional_);
    form->addRow(tr("Rotate (degrees):"), degrees_);
    form->addRow(QString(), mirrorX_);
    form->addRow(QString(), mirrorY_);
    form->addRow(tr("About:"), about_);
    // Frame i of n gets i/(n-1) of it: a logo turns once over the frames.
    overFrames_ = new QCheckBox(tr("Over the selected frames (%1)").arg(frames), this);
    overFrames_->setObjectName("ChkOverFrames");
    overFrames_->setEnabled(frames > 1);
    form->addRow(QString(), overFrames_);
    form->addRow(okCancelButtons(this));
}

bool TransformDialog::overFrames() const { return overFrames_->isEnabled() && overFrames_->isChecked(); }

Transform TransformDialog::chosen() const {
    Transform t;
    t.moveX = moveX_->value(), t.moveY = moveY_->value();
    t.scaleX = scaleX_->value(), t.scaleY = scaleY_->value();
    t.degrees = degrees_->value();
    t.mirrorX = mirrorX_->isChecked(), t.mirrorY = mirrorY_->isChecked();
    t.about = Pivot(about_->currentIndex());
    return t;
}

}  // namespace quorvel
