// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FrameInfoDialog.h"

#include "view/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvel {

FrameInfoDialog::FrameInfoDialog(const FrameInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName("Properties");
    setWindowTitle(tr("Frame Info"));
    auto* form = new QFormLayout(this);
    const auto label = [&](const char* name, int value) {
        auto* l = new QLabel(QString::number(value), this);
        l->setObjectName(name);
        return l;
    };
    form->addRow(tr("Frame Format:"), label("LblFrameFormat", info.format));
    const auto text = [&](const char* name, const QString& value) {
        auto* t = new QLineEdit(this);
        t->setObjectName(name);
        t->setMaxLength(8);  // the header holds eight characters
        t->setText(value);
        return t;
    };
    name_ = text("Text1", info.name);
    company_ = text("Text2", info.company);
    form->addRow(tr("Frame Name:"), name_);
    form->addRow(tr("Company:"), company_);
    auto* number = new QHBoxLayout;
    number->addWidget(label("LblNumber", info.number));
    number->addWidget(new QLabel(tr("of"), this));
    number->addWidget(label("LblTotalFrames", info.total));
    number->addStretch();
    form->addRow(tr("Number:"), number);
    auto* buttons = okCancelButtons(this);
    form->addRow(buttons);
}

QString FrameInfoDialog::name() const { return name_->text(); }
QString FrameInfoDialog::company() const { return company_->text(); }

}  // namespace quorvel
