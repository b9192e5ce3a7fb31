// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LaserDialog.h"
#include "view/WidgetSizes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quorvel {

namespace {
QSpinBox* spin(QWidget* parent, const char* name, SettingSpan span, int value, const char* unit = "") {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(span.lo, span.hi);
    s->setValue(value);
    s->setSuffix(QString::fromUtf8(unit));
    return s;
}
QCheckBox* check(QWidget* parent, const char* name, const char* caption, bool on) {
    auto* c = new QCheckBox(LaserDialog::tr(caption), parent);
    c->setObjectName(name);
    c->setChecked(on);
    return c;
}
}  // namespace

LaserDialog::LaserDialog(const LaserSettings& current, bool testPattern, QWidget* parent)
    : QDialog(parent), current_(current) {
    setObjectName("LaserOutput");
    setWindowTitle(tr("Laser Output"));
    auto* form = new QFormLayout(this);

    projector_ = new QComboBox(this);
    projector_->setObjectName("CmbProjector");
    projector_->setEditable(true);
    projector_->setMinimumContentsLength(sizes::ProjectorCharacters);
    projector_->lineEdit()->setPlaceholderText(tr("address[:port]"));
    projector_->setEditText(current.address);
    auto* findButton = new QPushButton(tr("Find"), this);
    findButton->setObjectName("CmdFind");
    findButton->setToolTip(tr("Ask every projector on the local network to answer"));
    auto* row = new QHBoxLayout;
    row->addWidget(projector_, 1);
    row->addWidget(findButton);
    form->addRow(tr("Projector"), row);
    connect(findButton, &QPushButton::clicked, this, [this] {
        if (!find) return;
        found_ = find();
        projector_->clear();
        for (const idn::FoundUnit& f : found_) {
            projector_->addItem(QStringLiteral("%1 (%2)").arg(f.unit.name, f.address.toString()));
            // The unit chosen before, wherever its address is now.
            if (QString::fromLatin1(f.unit.unitId.toHex()) == current_.unitId)
                projector_->setCurrentIndex(projector_->count() - 1);
        }
        note_->setText(found_.empty() ? tr("No projector answered.") : QString());
    });

    const OutputArea& a = current.area;
    kpps_ = spin(this, "SpinLaserKpps", ProjectorKppsRange, current.kpps, " kpps");
    form->addRow(tr("Rate"), kpps_);
    sizeX_ = spin(this, "SpinSizeX", AreaSizeRange, a.sizeX, " %");
    sizeY_ = spin(this, "SpinSizeY", AreaSizeRange, a.sizeY, " %");
    offsetX_ = spin(this, "SpinOffsetX", AreaOffsetRange, a.offsetX);
    offsetY_ = spin(this, "SpinOffsetY", AreaOffsetRange, a.offsetY);
    flipX_ = check(this, "ChkFlipX", QT_TR_NOOP("Flip X"), a.flipX);
    flipY_ = check(this, "ChkFlipY", QT_TR_NOOP("Flip Y"), a.flipY);
    const auto pair = [&](const char* caption, QWidget* x, QWidget* y) {
        auto* r = new QHBoxLayout;
        r->addWidget(x);
        r->addWidget(y);
        form->addRow(tr(caption), r);
    };
    pair(QT_TR_NOOP("Size (X, Y)"), sizeX_, sizeY_);
    pair(QT_TR_NOOP("Offset (X, Y)"), offsetX_, offsetY_);
    pair(QT_TR_NOOP("Mirror"), flipX_, flipY_);
    pattern_ = check(this, "ChkTestPattern", QT_TR_NOOP("Test pattern instead of the frame"), testPattern);
    form->addRow(QString(), pattern_);

    arm_ = new QPushButton(this);
    arm_->setObjectName("CmdArm");
    note_ = new QLabel(this);
    note_->setObjectName("LblLaserNote");
    note_->setWordWrap(true);
    form->addRow(arm_);
    form->addRow(note_);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    form->addRow(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);

    connect(arm_, &QPushButton::clicked, this, [this] {
        if (armed && armed()) {
            if (disarm) disarm();
            showArmed();
        } else if (arm) {
            showArmed(arm(chosen(), pattern_->isChecked()));
        }
    });
    const auto update = [this] {
        if (changed && armed && armed()) changed(chosen(), pattern_->isChecked());
    };
    for (QSpinBox* s : {kpps_, sizeX_, sizeY_, offsetX_, offsetY_}) connect(s, &QSpinBox::valueChanged, this, update);
    for (QCheckBox* c : {flipX_, flipY_, pattern_}) connect(c, &QCheckBox::toggled, this, update);
    showArmed();
}

void LaserDialog::showArmed(const QString& note) {
    const bool on = armed && armed();
    arm_->setText(on ? tr("Disarm") : tr("Arm"));
    arm_->setStyleSheet(on ? QStringLiteral("background: #d04000; color: white; font-weight: bold") : QString());
    if (!note.isEmpty() || on) note_->setText(note);
}

LaserSettings LaserDialog::chosen() const {
    LaserSettings s = current_;
    const int index = projector_->currentIndex();
    const bool foundOne =
        index >= 0 && index < int(found_.size()) && projector_->currentText() == projector_->itemText(index);
    if (foundOne) {
        const idn::FoundUnit& f = found_[size_t(index)];
        s.address = f.address.toString();
        s.unitId = QString::fromLatin1(f.unit.unitId.toHex());
        s.name = f.unit.name;
    } else if (projector_->currentText().trimmed() != current_.address) {
        s.address = projector_->currentText().trimmed();
        s.unitId.clear();
        s.name = s.address;
    }
    s.kpps = kpps_->value();
    s.area = {sizeX_->value(),   sizeY_->value(),     offsetX_->value(),
              offsetY_->value(), flipX_->isChecked(), flipY_->isChecked()};
    return s;
}

bool LaserDialog::testPattern() const { return pattern_->isChecked(); }

}  // namespace quorvel
