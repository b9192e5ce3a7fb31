#pragma once
#include <QDialog>

namespace quorvel {
// The program title, the build date and a short credit text, with one button that closes it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
}  // namespace quorvel
