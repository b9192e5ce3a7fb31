// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "View Options": grid step, point size (with a sample of the marker), playback rate and palette.
#include "options/ViewOptions.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QSpinBox;
class QLabel;
class QSlider;

namespace quorvel {

class ViewOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ViewOptionsDialog(const ViewOptions& current, QWidget* parent = nullptr);
    // What the controls say; a palette list with nothing chosen keeps the palette it had.
    ViewOptions chosen() const;

private:
    void redrawPoint();

    ViewOptions current_;
    QSlider* grid_ = nullptr;
    QSlider* pointSize_ = nullptr;
    QSlider* fps_ = nullptr;
    QLabel* fpsLabel_ = nullptr;
    QLabel* sample_ = nullptr;
    QComboBox* palette_ = nullptr;
    QSpinBox* kpps_ = nullptr;
    QSpinBox* dwell_ = nullptr;
    QSpinBox *onionBefore_ = nullptr, *onionAfter_ = nullptr;
    QImage sampleImage_{40, 20, QImage::Format_RGB32};
};

}  // namespace quorvel
