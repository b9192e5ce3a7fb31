// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "model/MoreSettings.h"
#include "model/ProgramPaths.h"
#include "shell/Editor.h"
#include "model/Palette.h"
#include "model/Settings.h"

#include <sys/stat.h>
#include <QFile>
#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::test;

TEST(SettingsFile, TwelveBytesInFileOrderAndFieldsOutsideTheirControlsFallBack) {
    Settings s;
    s.pointSpace = 7, s.blankSpace = 12, s.beamMode = true, s.gridStep = 20, s.pointSize = 2, s.playFps = 10;
    const std::array<uint8_t, 12> bytes{0x07, 0x00, 0x0C, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x14, 0x02, 0x0A, 0x01};
    EXPECT_EQ(encodeSettings(s), bytes);
    EXPECT_EQ(decodeSettings(bytes), s);
    const auto with = [](auto change) { Settings v; change(v); return v; };
    struct Case { std::array<uint8_t, 12> bytes; Settings expected; };
    const Case cases[] = {
        // The point spacing is limited as its slider limits it; a blank spacing is kept.
        {{40, 0, 40, 0, 0, 0, 0, 0, 10, 1, 1, 1}, with([](Settings& v) { v.pointSpace = 20, v.blankSpace = 40; })},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, with([](Settings& v) { v.pointSpace = 3, v.paletteChoice = 0; })},
        {{5, 0, 1, 0, 0, 0, 0, 0, 10, 1, 1, 1}, with([](Settings& v) { v.blankSpace = 1; })},
        {{5, 0, 10, 0, 0, 0, 0, 0, 71, 4, 26, 2}, Settings{}},
        {{5, 0, 10, 0, 1, 0, 0xFF, 0xFF, 70, 3, 25, 0}, with([](Settings& v) {
             v.beamMode = v.objectSelectMode = true, v.gridStep = 70, v.pointSize = 3, v.playFps = 25, v.paletteChoice = 0;
         })},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeSettings(c.bytes), c.expected);
}

TEST(SettingsFile, AShortFileGivesInitialValuesAndSavingKeepsExtraBytes) {
    ProgramFolder folder(false);
    const QString path = folder.file("config.dat");
    writeFile(path, QByteArray("\x07\x00\x0C", 3));
    EXPECT_EQ(loadConfig(path), Settings{});
    writeFile(path, QByteArray(12, '\0') + QByteArray("TAIL"));
    Settings s;
    s.pointSpace = 9;
    ASSERT_TRUE(saveConfig(path, s));
    EXPECT_FALSE(saveConfig(folder.file("gone/config.dat"), s));  // a folder that is not there takes none
    EXPECT_EQ(readFile(path).mid(10), QByteArray("\x01\x01TAIL", 6));
    EXPECT_EQ(loadConfig(path), s);
}

TEST(PaletteFile, ReadsFieldsByPositionAndSurvivesShortFiles) {
    ProgramFolder folder;
    // Line 0 reads "9.9", "7.5" (halves go to even) and "300"; line 1 stops in the middle of green.
    writeFile(folder.file("ilda.dat"), QByteArray("label   " "9.9" "  g: " "7.5" "  b: " "300" "\r\n"
                                                   "label   " "200" "  g: " "5"));
    QString note;
    const Palette p = loadPalette(folder.path(), IldaPalette, &note);
    EXPECT_EQ(note, "The palette file ilda.dat holds only 1 of its 256 colours: the rest show as black.");
    EXPECT_EQ(std::tuple(p.color[0], p.color[1], p.color[255]), std::tuple(rgb(10, 8, 255), rgb(0, 0, 0), rgb(0, 0, 0)));
    EXPECT_EQ(std::tuple(paletteComponent(".55", 3), paletteComponent("12.501", 6), paletteComponent("1234", 3), paletteComponent("2.59", 3), paletteComponent("1 5", 3), paletteComponent("inf", 3) + paletteComponent("nan", 3)), std::tuple(1, 13, 123, 2, 1, 0));  // every decimal counts, 0 too; none past the field; no words
    QByteArray lines;
    for (int i = 0; i < 64; ++i) lines += "colour  +" + QByteArray::number(i).rightJustified(2, '0') + "  g:   0  b:   0\r\n";
    lines.chop(2);  // the last line without its line end still counts
    writeFile(folder.file("pangolin.dat"), lines);
    note.clear();
    EXPECT_EQ(loadPalette(folder.path(), PangolinPalette, &note).red[63], 63);  // the last entry, a signed field
    EXPECT_TRUE(note.isEmpty());  // 64 lines are the whole of Pangolin's palette
    QFile::remove(folder.file("pangolin.dat"));
    const Palette missing = loadPalette(folder.path(), PangolinPalette, &note);
    EXPECT_TRUE(note.startsWith("The palette file pangolin.dat could not be read")) << note.toStdString();
    EXPECT_EQ(std::pair(missing.color[0], missing.color[64]), std::pair(rgb(0, 0, 0), rgb(255, 32, 32)));
}

// The settings beside config.dat: what is saved comes back, and anything missing, damaged or
// out of range gives the default, a FIFO included.
TEST(MoreSettingsFile, RoundTripsAndSurvivesDamage) {
    ProgramFolder folder;
    const QString ini = folder.file("quorvel.ini");
    const MoreSettings kept{
        55, {"/a b/1.ild", "/c,d/2.ILD"}, 7, {"127.0.0.1:7300", "0701a1b2", "Beamer", 40, {50, 60, -100, 200, true, false}}, 48};  // names with the INI format's own characters
    ASSERT_TRUE(saveMoreSettings(ini, kept));
    EXPECT_EQ(loadMoreSettings(ini), kept);
    struct Case { QByteArray bytes; int kpps, dwell = 3; };
    const Case cases[] = {
        {"[projector]\nkpps=100\ncornerDwell=20\n", 100, 20}, {"[projector]\nkpps=1\ncornerDwell=1\n", 1, 1},
        {"[projector]\nkpps=0\ncornerDwell=0\n", 30},         {"[projector]\nkpps=101\ncornerDwell=21\n", 30},
        {"[projector]\nkpps=fast\ncornerDwell=x\n", 30},      {QByteArray("\xFF\x00[[=\n", 6), 30}, {{}, 30},
    };
    int n = 0;
    for (const auto& c : cases) {  // a file of its own each: the settings reader caches by name
        const QString each = folder.file(QStringLiteral("case%1.ini").arg(++n));
        writeFile(each, c.bytes);
        const MoreSettings read = loadMoreSettings(each);
        EXPECT_EQ(std::pair(read.projectorKpps, read.cornerDwell), std::pair(c.kpps, c.dwell)) << c.bytes.toStdString();
    }
    QFile::remove(ini);
    EXPECT_EQ(loadMoreSettings(ini), MoreSettings{});
    ASSERT_EQ(::mkfifo(qPrintable(ini), 0644), 0);
    EXPECT_EQ(loadMoreSettings(ini), MoreSettings{});
    EXPECT_FALSE(saveMoreSettings(ini, kept));
}

// Recent Files stops at eight, and a hand-edited list is read latest first, each file once
// (the order of opening and saving is the editor's test).
TEST(MoreSettingsFile, RecentFilesComeLatestFirstOnceAndCapped) {
    struct Case { QStringList before; QString added; QStringList after; };
    const Case cases[] = {
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, "9", {"9", "1", "2", "3", "4", "5", "6", "7"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8"}, "8", {"8", "1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(withRecentFile(c.before, c.added), c.after) << c.added.toStdString();
    ProgramFolder folder;
    const QString ini = folder.file("quorvel.ini");
    writeFile(ini, "[files]\nrecent=a, , b, a, c, d, e, f, g, h, i\n");
    EXPECT_EQ(loadMoreSettings(ini).recentFiles, (QStringList{"a", "b", "c", "d", "e", "f", "g", "h"}));
}

namespace {
// The user's folders of the XDG base directories pointed somewhere of the test's own.
struct UserFolders {
    QTemporaryDir home;
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
    UserFolders() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    }
    ~UserFolders() {
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("XDG_DATA_HOME", oldData);
    }
};
}  // namespace

// A copy whose folder holds its palettes runs portable; an installed one keeps each user's files
// in the user's folders and reads the palettes the user has, else the installed ones.
TEST(ProgramPathsRule, PortableBesideItsDataElseEachUserInTheirOwnFolders) {
    ProgramFolder portable;
    EXPECT_EQ(programPaths(portable.path()).bufferFile(), portable.file("buffer/FrameBuffer.tmp"));

    QTemporaryDir prefix;  // bin/ beside share/quorvel, as `cmake --install` lays them out
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/quorvel");
    const QString share = prefix.filePath("share/quorvel");
    for (const char* name : {"ilda.dat", "pangolin.dat", "config.dat"}) QFile::copy(portable.file(name), share + '/' + name);
    const UserFolders ann;
    const ProgramPaths p = programPaths(prefix.filePath("bin"));
    EXPECT_EQ(p.configFile(), ann.home.filePath("config/quorvel/config.dat"));
    EXPECT_EQ(p.bufferFile(), ann.home.filePath("data/quorvel/buffer/FrameBuffer.tmp"));
    EXPECT_EQ(p.lockFile(), ann.home.filePath("data/quorvel/quorvel.lock"));
    EXPECT_EQ(p.configToRead(), share + "/config.dat");  // the template, until the user has settings
    EXPECT_EQ(p.paletteFolder(IldaPalette), share);
    {
        const UserFolders bob;  // another user: nothing shared
        EXPECT_NE(programPaths(prefix.filePath("bin")).bufferFile(), p.bufferFile());
    }

    // Started once: the user's folders are made, the settings come from the template and go to the user's file.
    writeFile(share + "/config.dat", QByteArray("\x07\x00\x0C\x00\x00\x00\x00\x00\x0A\x01\x01\x01", 12));
    {
        ScriptedPrompts prompts;
        Editor editor(p, prompts);
        EXPECT_EQ(editor.settings.pointSpace, 7);
        EXPECT_TRUE(QFileInfo::exists(p.bufferFile()));
        editor.setPointSpace(9);
        editor.shutdown();
    }
    EXPECT_EQ(loadConfig(p.configFile()).pointSpace, 9);
    EXPECT_EQ(p.configToRead(), p.configFile());
    EXPECT_EQ(readFile(share + "/config.dat").at(0), 7);  // the installed template is never written
    QDir().mkpath(ann.home.filePath("data/quorvel"));
    writeFile(ann.home.filePath("data/quorvel/ilda.dat"), "");  // a palette of the user's own comes first
    EXPECT_EQ(p.paletteFolder(IldaPalette), ann.home.filePath("data/quorvel"));
    EXPECT_EQ(p.paletteFolder(PangolinPalette), share);
}
