// SPDX-License-Identifier: GPL-3.0-or-later
// The source folders depend one way: a folder includes its own headers and those of the folders
// below it, never a peer's or a higher one's; and only the shell defines the editor's members.
// The text tool and the vector import sit above the tools, whose point access they use.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(Layers, FoldersIncludeOnlyDownwardsAndOnlyTheShellDefinesTheEditor) {
    const QMap<QString, int> rank{{"model", 0},   {"view", 1},     {"ilda", 2}, {"tools", 2}, {"framelist", 2},
                                  {"playback", 2}, {"options", 2}, {"laser", 2}, {"text", 3}, {"vector", 3}, {"shell", 4}, {"app", 5}};
    const QRegularExpression include(R"(^#include "(\w+)/)"), editorMember(R"(\bEditor::\w+\()");
    QDirIterator files(QStringLiteral(QUORVEL_SOURCE_DIR "/src"), {"*.h", "*.cpp"}, QDir::Files,
                       QDirIterator::Subdirectories);
    int checked = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString folder = path.section('/', -2, -2);
        ASSERT_TRUE(rank.contains(folder)) << "a folder without a place in the layers: " << folder.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
            const auto m = include.match(line);
            if (m.hasMatch()) {
                const QString to = m.captured(1);
                EXPECT_TRUE(to == folder || rank.value(to, 99) < rank[folder])
                    << path.toStdString() << " includes " << line.toStdString();
                ++checked;
            }
            if (folder != "shell") {
                EXPECT_FALSE(editorMember.match(line).hasMatch()) << path.toStdString();
            }
        }
    }
    EXPECT_GT(checked, 50);
}
