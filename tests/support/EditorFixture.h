// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh editor on a program folder of its own, with scripted dialogs.
#include "TestSupport.h"
#include "shell/Editor.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace quorvel::test {

struct EditorFixture : ::testing::Test {
    ProgramFolder folder;
    ScriptedPrompts prompts;
    Editor editor{folder.path(), prompts};

    // New File with whatever changed dropped: each case of a table starts from nothing.
    void startOver() {
        if (editor.seq.fileChanged) prompts.answers = {Answer::No};
        editor.newFile();
    }
    void open(const QString& path) {
        prompts.fileNames = {path};
        editor.open();
    }
    // Save As to `path`, letting it replace a file there when asked.
    WriteResult saveAs(const QString& path) {
        prompts.fileNames = {path};
        if (QFileInfo(path).exists() && !QFileInfo(path).isDir()) prompts.answers.push_front(Answer::Yes);
        return editor.saveAs();
    }
    FrameHeader slotHeader(int frame) const { return editor.buffer.readHeader(frame).value_or(FrameHeader{}); }
    QByteArray slotPoints(int frame, int bytes) const {
        QByteArray b(bytes, '\0');
        editor.buffer.readPoints(frame, b.data(), bytes);
        return b;
    }
};

}  // namespace quorvel::test
