#pragma once
// The eight settings that survive from one run to the next in config.dat (12 bytes).
#include <QString>
#include <array>
#include <cstdint>

namespace quorvel {

struct Settings {
    int16_t pointSpace = 5;   // 3..20
    int16_t blankSpace = 10;  // 10..30 on the slider, kept as stored
    bool beamMode = false;
    bool objectSelectMode = false;
    uint8_t gridStep = 10;    // 10..70
    uint8_t pointSize = 1;    // 1..3
    uint8_t playFps = 1;      // 1..25
    uint8_t paletteChoice = 1;

    bool operator==(const Settings&) const = default;
};

constexpr int SettingsFileBytes = 12;

std::array<uint8_t, SettingsFileBytes> encodeSettings(const Settings& s);
// Fields outside what their controls allow fall back to the controls' initial values;
// the point spacing is limited to its slider's range the way the slider limits it.
Settings decodeSettings(const std::array<uint8_t, SettingsFileBytes>& bytes);

// A missing or short file gives the initial values.
Settings loadConfig(const QString& path);
// Writes the first 12 bytes; anything behind them in the file stays as it was.
bool saveConfig(const QString& path, const Settings& s);

}  // namespace quorvel
