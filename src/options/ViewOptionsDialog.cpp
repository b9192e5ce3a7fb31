// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ViewOptionsDialog.h"

#include "model/MoreSettings.h"
#include "model/Settings.h"
#include "view/DialogButtons.h"
#include "view/ImageSurface.h"
#include "view/WidgetSizes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace quorvel {

namespace {
QSlider* slider(QWidget* parent, const char* name, SettingRange range, int step, int page, int value) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setRange(range.lo, range.hi);
    s->setSingleStep(step);
    s->setPageStep(page);
    s->setTickInterval(step);
    s->setTickPosition(QSlider::TicksBelow);
    s->setValue(value);
    return s;
}
QSpinBox* spinBox(QWidget* parent, const char* name, SettingSpan span, const char* unit, int value, const char* tip) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(span.lo, span.hi);
    s->setSuffix(ViewOptionsDialog::tr(unit));
    s->setValue(value);
    s->setToolTip(ViewOptionsDialog::tr(tip));
    return s;
}
}  // namespace

ViewOptionsDialog::ViewOptionsDialog(const ViewOptions& current, QWidget* parent) : QDialog(parent), current_(current) {
    setObjectName("ViewOptions");
    setWindowTitle(tr("View Options"));
    setMinimumWidth(sizes::ViewOptionsWidth);
    auto* form = new QFormLayout(this);
    grid_ = slider(this, "Slider1", GridStepRange, 10, 10, current.gridStep);
    form->addRow(tr("Grid step"), grid_);

    pointSize_ = slider(this, "Slider2", PointSizeRange, 1, 1, current.pointSize);
    sample_ = new QLabel(this);
    sample_->setObjectName("Picture1");
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(pointSize_);
    sizeRow->addWidget(sample_);
    form->addRow(tr("Point size"), sizeRow);
    connect(pointSize_, &QSlider::valueChanged, this, [this] { redrawPoint(); });

    fps_ = slider(this, "Slider3", {PlayRateRange.lo, PlayRateRange.hi}, 1, 5, current.playFps);
    fpsLabel_ = new QLabel(QString::number(current.playFps), this);
    fpsLabel_->setObjectName("LblPlayFPS");
    fpsLabel_->setMinimumWidth(sizes::FpsReadout);
    auto* fpsRow = new QHBoxLayout;
    fpsRow->addWidget(fps_);
    fpsRow->addWidget(fpsLabel_);
    form->addRow(tr("Play FPS"), fpsRow);
    connect(fps_, &QSlider::valueChanged, fpsLabel_, qOverload<int>(&QLabel::setNum));

    kpps_ = spinBox(this, "SpinProjectorSpeed", ProjectorKppsRange, " kpps", current.projectorKpps,
                    QT_TR_NOOP("How many thousand points a second the projector draws"));
    form->addRow(tr("Projector speed"), kpps_);
    dwell_ = spinBox(this, "SpinCornerDwell", CornerDwellRange, QT_TR_NOOP(" points"), current.cornerDwell,
                     QT_TR_NOOP("How long Optimise for Projector and SVG import hold the beam at a corner"));
    form->addRow(tr("Corner dwell"), dwell_);
    onionBefore_ = spinBox(this, "SpinOnionBefore", OnionBeforeRange, "", current.onionBefore,
                           QT_TR_NOOP("How many frames before the working one Show Previous Frame lays under it"));
    onionAfter_ = spinBox(this, "SpinOnionAfter", OnionAfterRange, "", current.onionAfter,
                          QT_TR_NOOP("How many frames after it, in another tint"));
    auto* onion = new QHBoxLayout;
    onion->addWidget(onionBefore_);
    onion->addWidget(new QLabel(tr("before, "), this));
    onion->addWidget(onionAfter_);
    onion->addWidget(new QLabel(tr("after"), this));
    form->addRow(tr("Onion skin frames"), onion);

    palette_ = new QComboBox(this);
    palette_->setObjectName("Combo1");
    palette_->addItems({QStringLiteral("Pangolin"), QStringLiteral("ILDA")});  // names, never translated
    palette_->setCurrentIndex(current.paletteChoice);
    form->addRow(tr("Palette"), palette_);

    auto* buttons = okCancelButtons(this);
    form->addRow(buttons);
    redrawPoint();
}

void ViewOptionsDialog::redrawPoint() {
    ImageSurface s(sampleImage_, nullptr, rgb(255, 255, 255));
    drawPointSample(s, sampleImage_.width(), sampleImage_.height(), pointSize_->value());
    sample_->setPixmap(QPixmap::fromImage(sampleImage_));
}

ViewOptions ViewOptionsDialog::chosen() const {
    const int palette = palette_->currentIndex();
    return {uint8_t(grid_->value()), uint8_t(pointSize_->value()),
            uint8_t(fps_->value()),  palette < 0 ? current_.paletteChoice : uint8_t(palette),
            kpps_->value(),          dwell_->value(),
            onionBefore_->value(),   onionAfter_->value()};
}

}  // namespace quorvel
