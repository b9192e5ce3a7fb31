#include "shell/QtPrompts.h"

#include "shell/Editor.h"
#include "view/WidgetSizes.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
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

// A box as wide as its caption needs: window managers cut a caption that does not fit, and a
// short message makes a narrow box. The caption bar's buttons take room of their own too.
QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons) {
    const NormalCursor normal;
    QMessageBox box(icon, AppTitle, text, buttons, parent);
    const int width = box.fontMetrics().horizontalAdvance(AppTitle) + sizes::CaptionButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                      grid->columnCount());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
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
    switch (ask(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;  // Escape and the title bar's close too
    }
}

Answer QtPrompts::askYesNo(const QString& text) {
    return ask(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

void QtPrompts::message(const QString& text, MessageIcon icon) {
    // In the order of MessageIcon.
    constexpr QMessageBox::Icon qtIcons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                             QMessageBox::Critical};
    ask(parent_, qtIcons[int(icon)], text, QMessageBox::Ok);
}

QString QtPrompts::openFileName(const QString& filter) {
    const NormalCursor normal;
    return QFileDialog::getOpenFileName(parent_, QString(), QString(), qtFilter(filter));
}

QStringList QtPrompts::openFileNames(const QString& filter) {
    const NormalCursor normal;
    return QFileDialog::getOpenFileNames(parent_, QString(), QString(), qtFilter(filter));
}

QString QtPrompts::saveFileName(const QString& filter) {
    // The name is used as entered: no extension is added. The editor asks before replacing a file.
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
