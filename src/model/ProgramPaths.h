// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's files live. A portable copy (the build folder, a copy on a USB stick)
// keeps everything beside its executable. An installed one keeps each user's settings in the
// user's configuration folder, the frame buffer file and the lock in the user's data folder,
// and reads the palettes there when the user has copies of their own, else from the installed
// data folder (share/quorvel).
#include <QString>
#include <QStringList>
#include <cstdint>

namespace quorvel {

struct ProgramPaths {
    QString settingsFolder;      // config.dat and quorvel.ini, read and written
    QString settingsTemplate;    // the config.dat read while the user has none; empty: defaults
    QString workFolder;          // buffer/ and quorvel.lock
    QStringList paletteFolders;  // searched in this order

    QString configFile() const { return settingsFolder + QStringLiteral("/config.dat"); }
    QString moreSettingsFile() const { return settingsFolder + QStringLiteral("/quorvel.ini"); }
    QString bufferFolder() const { return workFolder + QStringLiteral("/buffer"); }
    QString bufferFile() const { return bufferFolder() + QStringLiteral("/FrameBuffer.tmp"); }
    QString unsavedMarkerFile() const { return bufferFolder() + QStringLiteral("/FrameBuffer.unsaved"); }
    QString lockFile() const { return workFolder + QStringLiteral("/quorvel.lock"); }
    // The settings file to read: the user's, or the template while the user has none.
    QString configToRead() const;
    // The first folder holding the palette's file; the first folder when none does.
    QString paletteFolder(uint8_t choice) const;

    // Everything in one folder.
    static ProgramPaths portable(const QString& folder);
};

// Portable when the executable's folder is writable and holds both palette files; otherwise
// the per-user folders of the XDG base directories, with the installed data found beside the
// executable (../share/quorvel) or in the system data folders.
ProgramPaths programPaths(const QString& executableFolder);

}  // namespace quorvel
