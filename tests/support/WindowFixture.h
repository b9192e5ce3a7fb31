// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window on a fresh program folder, with scripted dialogs.
#include "TestSupport.h"
#include "shell/Editor.h"
#include "shell/MainWindow.h"

#include <QLabel>
#include <QMenu>

namespace quorvel::test {

struct WindowFixture {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};
    MainWindow window{editor};
    int quits = 0;

    QStringList menuShown;  // the items of every menu the window popped up, in turn
    WindowFixture() {
        window.quit = [this] { ++quits; };
        window.popUp = [this](QMenu& menu) {
            for (QAction* a : menu.actions()) menuShown << a->text();
        };
    }
    QLabel* label(const QString& name) { return window.findChild<QLabel*>(name); }
    QString text(const QString& name) { return label(name)->text(); }
    QWidget* widget(const QString& name) { return window.findChild<QWidget*>(name); }
    QWidget* thumb(int i) { return widget(QStringLiteral("PicFrames%1").arg(i)); }
};

}  // namespace quorvel::test
