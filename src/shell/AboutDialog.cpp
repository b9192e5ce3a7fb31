// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AboutDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace quorvel {

QString buildDate(const char* compilerDate) {
    // The compiler writes "Dec  6 2026"; people write "6 December 2026".
    const QString simple = QString::fromLatin1(compilerDate).simplified();
    const QDate date = QLocale::c().toDate(simple, QStringLiteral("MMM d yyyy"));
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("d MMMM yyyy")) : simple;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Quorvel Laser Editor</b>"), this);
    title->setObjectName("AboutTitle");
    v->addWidget(title);
    v->addWidget(new QLabel(QStringLiteral("Built on %1").arg(buildDate(__DATE__)), this));
    v->addWidget(new QLabel(QStringLiteral("An editor for laser-show frames in ILDA files.\n"
                                           "Made with Qt, FreeType and fontconfig."),
                            this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(buttons);
}

}  // namespace quorvel
