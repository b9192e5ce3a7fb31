// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/QtPrompts.h"

#include "shell/Editor.h"
#include "view/WidgetSizes.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

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

namespace {
// The caption, a bar of the work's progress and Cancel. Cancel asks the work to stop and waits
// for it: the dialog closes once it has, never before, so nothing runs on behind the window.
class WorkDialog final : public QDialog {
public:
    WorkDialog(const QString& caption, WorkProgress& progress, QWidget* parent) : QDialog(parent), progress_(progress) {
        setWindowTitle(MainTitle);
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        label_ = new QLabel(caption);
        bar_ = new QProgressBar;
        bar_->setMinimumWidth(320);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
        cancel_ = buttons->button(QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::rejected, this, &WorkDialog::reject);
        layout->addWidget(label_);
        layout->addWidget(bar_);
        layout->addWidget(buttons);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &WorkDialog::showProgress);
        timer->start(100);
        showProgress();
    }
    void reject() override {  // Cancel, Escape and the close button alike
        progress_.cancelled = true;
        cancel_->setEnabled(false);
        label_->setText(CancellingWork);
    }

private:
    void showProgress() {
        // One step of unknown length has no fraction to show: the bar just moves.
        const int total = progress_.total;
        bar_->setRange(0, total > 1 ? total : 0);
        if (total > 1) bar_->setValue(progress_.done);
    }
    WorkProgress& progress_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};
}  // namespace

bool QtPrompts::whileWorking(const QString& caption, const std::function<void(WorkProgress&)>& work) {
    WorkProgress progress;
    const std::unique_ptr<QThread> thread(QThread::create([&] { work(progress); }));
    thread->start();
    // Most work is done in a blink, sooner than a dialog could be read: it only comes up for a
    // wait one would notice, and the window stands still for 0.15 s at most.
    if (thread->wait(QDeadlineTimer(150))) return true;
    const NormalCursor normal;
    WorkDialog dialog(caption, progress, parent_);
    QObject::connect(thread.get(), &QThread::finished, &dialog, &QDialog::accept);
    if (!thread->isFinished()) dialog.exec();
    thread->wait();
    return !progress.cancelled;
}

void QtPrompts::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace quorvel
