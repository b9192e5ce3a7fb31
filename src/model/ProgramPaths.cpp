// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProgramPaths.h"

#include "model/Palette.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

namespace {
constexpr char AppFolder[] = "quorvel";

bool holdsPalettes(const QString& folder) {
    return QFileInfo(folder + '/' + paletteFileName(IldaPalette)).isFile() &&
           QFileInfo(folder + '/' + paletteFileName(PangolinPalette)).isFile();
}

// The installed data: share/quorvel beside the executable's bin/ (any prefix), else wherever
// the system data folders hold it.
QString installedData(const QString& executableFolder) {
    const QString besideBin = QDir::cleanPath(executableFolder + QStringLiteral("/../share/") + AppFolder);
    if (holdsPalettes(besideBin)) return besideBin;
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                 QString(AppFolder) + '/' + paletteFileName(IldaPalette));
    return found.isEmpty() ? besideBin : QFileInfo(found).path();
}

QString userFolder(QStandardPaths::StandardLocation where) {
    return QStandardPaths::writableLocation(where) + '/' + AppFolder;
}
}  // namespace

QString ProgramPaths::configToRead() const {
    return QFileInfo::exists(configFile()) || settingsTemplate.isEmpty() ? configFile() : settingsTemplate;
}

QString ProgramPaths::paletteFolder(uint8_t choice) const {
    for (const QString& folder : paletteFolders)
        if (QFileInfo::exists(folder + '/' + paletteFileName(choice))) return folder;
    return paletteFolders.value(0);
}

ProgramPaths ProgramPaths::portable(const QString& folder) { return {folder, {}, folder, {folder}}; }

ProgramPaths programPaths(const QString& executableFolder) {
    if (QFileInfo(executableFolder).isWritable() && holdsPalettes(executableFolder))
        return ProgramPaths::portable(executableFolder);
    const QString data = installedData(executableFolder);
    const QString userData = userFolder(QStandardPaths::GenericDataLocation);
    return {userFolder(QStandardPaths::GenericConfigLocation),
            data + QStringLiteral("/config.dat"),
            userData,
            {userData, data}};
}

}  // namespace quorvel
