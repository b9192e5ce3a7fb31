// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The eight settings that survive from one run to the next in config.dat (12 bytes).
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace quorvel {

// What each setting's control allows; the settings file and the window share them.
struct SettingRange {
    int lo, hi;
    constexpr bool holds(int v) const { return v >= lo && v <= hi; }
};
constexpr SettingRange PointSpaceRange{3, 20};
constexpr SettingRange BlankSpaceRange{10, 30};  // on the slider; a stored value is kept
constexpr SettingRange GridStepRange{10, 70};
constexpr SettingRange PointSizeRange{1, 3};
constexpr SettingRange PlayFpsRange{1, 25};
constexpr SettingRange PaletteChoiceRange{0, 1};

struct Settings {
    int16_t pointSpace = 5;
    int16_t blankSpace = 10;
    bool beamMode = false;
    bool objectSelectMode = false;
    uint8_t gridStep = 10;
    uint8_t pointSize = 1;
    uint8_t playFps = 1;
    uint8_t paletteChoice = 1;

    bool operator==(const Settings&) const = default;
};

constexpr int SettingsFileBytes = 12;

std::array<uint8_t, SettingsFileBytes> encodeSettings(const Settings& s);
// Fields outside what their controls allow fall back to the controls' initial values;
// the point spacing is limited to its slider's range the way the slider limits it.
Settings decodeSettings(const std::array<uint8_t, SettingsFileBytes>& bytes);

// A missing or short file gives the initial values; only its first 12 bytes are read.
Settings loadConfig(const QString& path);
// The same from bytes already read.
Settings settingsFromBytes(const QByteArray& bytes);
// Writes the first 12 bytes; anything behind them in the file stays as it was.
bool saveConfig(const QString& path, const Settings& s);

}  // namespace quorvel
