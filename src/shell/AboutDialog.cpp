// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AboutDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace quorvel {

QString buildDate(const char* isoDate) {
    // The build knows "2026-12-06"; people write "6 December 2026".
    const QDate date = QDate::fromString(QString::fromLatin1(isoDate), Qt::ISODate);
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("d MMMM yyyy")) : QString::fromLatin1(isoDate);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About"));
    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Quorvel Laser Editor</b>"), this);
    title->setObjectName("AboutTitle");
    v->addWidget(title);
    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral(QUORVEL_VERSION)), this);
    version->setObjectName("AboutVersion");
    v->addWidget(version);
    // The day of the sources it was built from, so that two builds of them are the same.
    v->addWidget(new QLabel(tr("Built on %1").arg(buildDate(QUORVEL_RELEASE_DATE)), this));
    v->addWidget(new QLabel(tr("An editor for laser-show frames in ILDA files.\n"
                               "Made with Qt, FreeType and fontconfig."),
                            this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(buttons);
}

}  // namespace quorvel
