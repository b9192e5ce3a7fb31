#include "shell/QtPrompts.h"

#include "shell/Editor.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quorvel {

namespace {
// A dialog over a long command shows the normal cursor; the wait cursor comes back after it.
class NormalCursor {
public:
    NormalCursor() {
        while (QApplication::overrideCursor()) {
            QApplication::restoreOverrideCursor();
            ++lifted_;
        }
    }
    ~NormalCursor() {
        for (int i = 0; i < lifted_; ++i) QApplication::setOverrideCursor(Qt::WaitCursor);
    }

private:
    int lifted_ = 0;
};
}  // namespace

QString QtPrompts::qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    if (parts.size() != 2) return filter;
    QStringList patterns = parts[1].split(';');
    for (const QString& p : parts[1].split(';'))
        if (!patterns.contains(p.toUpper())) patterns << p.toUpper();
    return QStringLiteral("%1 (%2)").arg(parts[0], patterns.join(' '));
}

Answer QtPrompts::askYesNoCancel(const QString& text) {
    const NormalCursor normal;
    const auto r =
        QMessageBox::question(parent_, AppTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return r == QMessageBox::Yes ? Answer::Yes : r == QMessageBox::No ? Answer::No : Answer::Cancel;
}

void QtPrompts::message(const QString& text, MessageIcon icon) {
    const QMessageBox::Icon qtIcon = icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                     : icon == MessageIcon::Critical  ? QMessageBox::Critical
                                     : icon == MessageIcon::None      ? QMessageBox::NoIcon
                                                                      : QMessageBox::Information;
    const NormalCursor normal;
    QMessageBox box(qtIcon, AppTitle, text, QMessageBox::Ok, parent_);
    box.exec();
}

QString QtPrompts::openFileName(const QString& filter) {
    const NormalCursor normal;
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), qtFilter(filter));
}

QString QtPrompts::saveFileName(const QString& filter) {
    // The name is used as entered: no extension is added, and no question about replacing it.
    const NormalCursor normal;
    return QFileDialog::getSaveFileName(parent_, QString(), QString(), qtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtPrompts::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace quorvel
