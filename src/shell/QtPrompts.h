// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real dialogs for the core's questions and file choices.
#include "shell/Prompts.h"

class QWidget;

namespace quorvel {

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer askYesNoCancel(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    void message(const QString& text, MessageIcon icon) override;
    QString openFileName(const QString& filter) override;
    QStringList openFileNames(const QString& filter) override;
    QString saveFileName(const QString& filter) override;
    void setBusy(bool busy) override;
    bool whileWorking(const QString& caption, const std::function<void(WorkProgress&)>& work) override;

    // "ILDA Files *.ILD|*.ild" becomes "ILDA Files *.ILD (*.ild *.ILD)": file names on this
    // system are case-sensitive, so both spellings are offered.
    static QString qtFilter(const QString& filter);

private:
    QWidget* parent_;
};

}  // namespace quorvel
