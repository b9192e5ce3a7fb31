// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

namespace quorvel {
// The compiler's build date ("Dec  6 2026") as a person writes it ("6 December 2026").
QString buildDate(const char* isoDate);

// The program title, the build date and a short credit text, with one button that closes it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
}  // namespace quorvel
