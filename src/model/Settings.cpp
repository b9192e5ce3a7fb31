// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Settings.h"

#include "model/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

namespace quorvel {

namespace {
int16_t le16(const uint8_t* b) { return static_cast<int16_t>(b[0] | (b[1] << 8)); }
void putLe16(uint8_t* b, int16_t v) {
    b[0] = static_cast<uint8_t>(v & 0xFF);
    b[1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
uint8_t inRangeOr(uint8_t v, SettingRange range, uint8_t fallback) { return range.holds(v) ? v : fallback; }
}  // namespace

std::array<uint8_t, SettingsFileBytes> encodeSettings(const Settings& s) {
    std::array<uint8_t, SettingsFileBytes> b{};
    putLe16(&b[0], s.pointSpace);
    putLe16(&b[2], s.blankSpace);
    putLe16(&b[4], s.beamMode ? -1 : 0);
    putLe16(&b[6], s.objectSelectMode ? -1 : 0);
    b[8] = s.gridStep;
    b[9] = s.pointSize;
    b[10] = s.playFps;
    b[11] = s.paletteChoice;
    return b;
}

Settings decodeSettings(const std::array<uint8_t, SettingsFileBytes>& b) {
    const Settings initial;
    Settings s;
    s.pointSpace = static_cast<int16_t>(std::clamp<int>(le16(&b[0]), PointSpaceRange.lo, PointSpaceRange.hi));
    const int16_t blank = le16(&b[2]);
    // A blank spacing below 1 would never advance along a travel line.
    s.blankSpace = blank >= 1 ? blank : initial.blankSpace;
    s.beamMode = le16(&b[4]) != 0;
    s.objectSelectMode = le16(&b[6]) != 0;
    s.gridStep = inRangeOr(b[8], GridStepRange, initial.gridStep);
    s.pointSize = inRangeOr(b[9], PointSizeRange, initial.pointSize);
    s.playFps = inRangeOr(b[10], PlayFpsRange, initial.playFps);
    s.paletteChoice = inRangeOr(b[11], PaletteChoiceRange, initial.paletteChoice);
    return s;
}

Settings settingsFromBytes(const QByteArray& bytes) {
    if (bytes.size() < SettingsFileBytes) return Settings{};
    std::array<uint8_t, SettingsFileBytes> fixed{};
    std::memcpy(fixed.data(), bytes.constData(), SettingsFileBytes);
    return decodeSettings(fixed);
}

Settings loadConfig(const QString& path) {
    // Only the settings' own bytes are read, whatever the file's size.
    const FileBytes file = readRegularFile(path, SettingsFileBytes);
    return file.bytes ? settingsFromBytes(*file.bytes) : Settings{};
}

bool saveConfig(const QString& path, const Settings& s) {
    if (QFileInfo info(path); info.exists() && !info.isFile()) return false;  // only a file of settings is written
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return false;  // no truncation: extra bytes stay
    const auto bytes = encodeSettings(s);
    return file.write(reinterpret_cast<const char*>(bytes.data()), SettingsFileBytes) == SettingsFileBytes;
}

}  // namespace quorvel
