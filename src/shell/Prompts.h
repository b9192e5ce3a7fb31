#pragma once
// Questions, messages and file choices the core asks of the user. The window shows real
// dialogs; tests script the answers.
#include <QString>
#include <QStringList>

namespace quorvel {

enum class Answer { Yes, No, Cancel };
enum class MessageIcon { None, Information, Exclamation, Critical };

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
};

}  // namespace quorvel
