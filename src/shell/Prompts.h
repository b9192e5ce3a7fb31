// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Questions, messages and file choices the core asks of the user. The window shows real
// dialogs; tests script the answers.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace quorvel {

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { None, Information, Exclamation, Critical };

// Work done away from the window: how far it got, and whether the user asked it to stop, which
// it looks at between its steps.
struct WorkProgress {
    std::atomic<int> done{0}, total{0};
    std::atomic<bool> cancelled{false};
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer askYesNoCancel(const QString& text) = 0;
    // A question without a way back: Yes or No (anything but Yes counts as No).
    virtual Answer askYesNo(const QString& text) { return askYesNoCancel(text); }
    virtual void message(const QString& text, MessageIcon icon) = 0;
    // An empty result means the user cancelled. Filters are "Description *.EXT|*.ext".
    virtual QString openFileName(const QString& filter) = 0;
    virtual QString saveFileName(const QString& filter) = 0;
    // Any number of files at once; empty when cancelled.
    virtual QStringList openFileNames(const QString& filter) {
        const QString one = openFileName(filter);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // The wait cursor over the main window while a long command runs.
    virtual void setBusy(bool) {}
    // Runs `work`, which touches nothing the window uses, while the window keeps painting; a
    // wait past a moment shows `caption` with its progress and Cancel. False when the user
    // cancelled: what `work` made is then to be thrown away. Here it simply runs.
    virtual bool whileWorking(const QString& caption, const std::function<void(WorkProgress&)>& work) {
        (void)caption;
        WorkProgress progress;
        work(progress);
        return true;
    }
};

}  // namespace quorvel
