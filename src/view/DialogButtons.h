// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "OK" and "Cancel" under a dialog, named as the dialogs' own buttons are.
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace quorvel {

inline QDialogButtonBox* okCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("CmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CmdCancel");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace quorvel
