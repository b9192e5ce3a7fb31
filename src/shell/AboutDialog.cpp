#include "shell/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quorvel {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* v = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Quorvel Laser Editor</b>"), this);
    title->setObjectName("AboutTitle");
    v->addWidget(title);
    v->addWidget(new QLabel(QStringLiteral("Built on %1").arg(QStringLiteral(__DATE__)), this));
    v->addWidget(new QLabel(QStringLiteral("An editor for laser-show frames in ILDA files.\n"
                                           "Made with Qt, FreeType and fontconfig."),
                            this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    v->addWidget(buttons);
}

}  // namespace quorvel
