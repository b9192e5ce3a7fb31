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
    // `frames`: how many frames the strip has selected, for "Over the selected frames".
    TransformDialog(const Transform& last, int frames, QWidget* parent = nullptr);
    Transform chosen() const;
    bool overFrames() const;

private:
    QDoubleSpinBox* number(const char* name, double low, double high, double value, int decimals);
    QDoubleSpinBox *moveX_, *moveY_, *scaleX_, *scaleY_, *degrees_;
    QCheckBox *proportional_, *mirrorX_, *mirrorY_, *overFrames_;
    QComboBox* about_;
};

}  // namespace quorvel
