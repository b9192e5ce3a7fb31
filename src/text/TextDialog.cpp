// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextDialog.h"

#include "view/DialogButtons.h"
#include "view/WidgetSizes.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

namespace quorvel {

namespace {
QFont qtFont(const FontChoice& c) {
    QFont f(c.family);
    f.setPointSizeF(c.pointSize);
    f.setBold(c.bold);
    f.setItalic(c.italic);
    f.setUnderline(c.underline);
    f.setStrikeOut(c.strikeOut);
    return f;
}
}  // namespace

TextDialog::TextDialog(TextSession& session, std::function<void()> drawPreview, QWidget* parent)
    : QDialog(parent), session_(session), preview_(std::move(drawPreview)) {
    setObjectName("Text");
    setWindowTitle(tr("Create text"));
    setMinimumWidth(sizes::TextDialogWidth);
    chooseFont = [this](FontChoice& choice) {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, qtFont(choice), this);
        if (ok) choice = {f.family(), f.pointSizeF(), f.bold(), f.italic(), f.underline(), f.strikeOut()};
        return ok;
    };
    auto* grid = new QGridLayout(this);
    fontName_ = new QLabel(this);
    fontName_->setObjectName("LblFontName");
    fontSize_ = new QLabel(this);
    fontSize_->setObjectName("LblFontSize");
    fontButton_ = new QToolButton(this);
    fontButton_->setObjectName("CmdFont");
    fontButton_->setToolTip(tr("Font"));
    fontButton_->setText(QStringLiteral("Aa"));  // in the chosen font
    grid->addWidget(new QLabel(tr("Font:"), this), 0, 0);
    grid->addWidget(fontName_, 0, 1);
    grid->addWidget(fontButton_, 0, 2, 2, 1);
    grid->addWidget(new QLabel(tr("Size:"), this), 1, 0);
    grid->addWidget(fontSize_, 1, 1);
    rotation_ = new QScrollBar(Qt::Horizontal, this);
    rotation_->setObjectName("HScroll1");
    rotation_->setRange(0, 36);
    rotation_->setValue(18);
    grid->addWidget(new QLabel(tr("Text rotation:"), this), 2, 0);
    grid->addWidget(rotation_, 2, 1, 1, 2);
    text_ = new QLineEdit(this);
    text_->setObjectName("Text1");
    grid->addWidget(text_, 3, 0, 1, 3);
    missing_ = new QLabel(this);
    missing_->setObjectName("LblMissing");
    missing_->setWordWrap(true);
    grid->addWidget(missing_, 4, 0, 1, 3);
    auto* buttons = okCancelButtons(this);
    grid->addWidget(buttons, 5, 0, 1, 3);

    connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) {
        session_.setText(t);
        preview();
    });
    connect(rotation_, &QScrollBar::valueChanged, this, [this](int v) {
        session_.setAngle(float((v - 18) * 6));
        preview();
    });
    connect(fontButton_, &QToolButton::clicked, this, [this] {
        // A family this machine does not have opens the dialog on the one drawn in its place.
        FontChoice choice = session_.font().choice();
        if (!QFontDatabase::hasFamily(choice.family) && !session_.font().resolvedFamily().isEmpty())
            choice.family = session_.font().resolvedFamily();
        if (!chooseFont(choice)) return;
        session_.setFont(choice);
        showFont();
        preview();
    });
    showFont();
    text_->setFocus();  // typing goes to the text, not to the font button
}

void TextDialog::preview() {
    preview_();
    const bool missing = !session_.isBlank() && !session_.missing().isEmpty();
    missing_->setText(missing ? MissingCharactersNote.arg(session_.missing()) : QString());
}

void TextDialog::showFont() {
    const FontChoice& c = session_.font().choice();
    fontName_->setText(c.family);
    fontSize_->setText(QString::number(c.pointSize));
    QFont shown = qtFont(c);
    shown.setPointSizeF(sizes::FontSamplePoints);
    fontButton_->setFont(shown);
}

}  // namespace quorvel
