// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Transform": move, scale, rotate and mirror the selected points or the whole frame.
#include "tools/Transform.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace quorvel {

class TransformDialog : public QDialog {
    Q_OBJECT
public:
    // Opens with `last`, the transform chosen the time before: repeating a step is one click.
    explicit TransformDialog(const Transform& last, QWidget* parent = nullptr);
    Transform chosen() const;

private:
    QDoubleSpinBox* number(const char* name, double low, double high, double value, int decimals);
    QDoubleSpinBox *moveX_, *moveY_, *scaleX_, *scaleY_, *degrees_;
    QCheckBox *proportional_, *mirrorX_, *mirrorY_;
    QComboBox* about_;
};

}  // namespace quorvel
