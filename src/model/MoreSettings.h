// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Settings the 12 bytes of config.dat have no room for, in an INI file beside it. A missing,
// damaged or out-of-range entry gives its default; the 12-byte file is never touched for them.
#include <QString>
#include <QStringList>

namespace quorvel {

struct SettingSpan {
    int lo, hi, initial;
    bool holds(int v) const { return lo <= v && v <= hi; }
};
constexpr SettingSpan ProjectorKppsRange{1, 100, 30};
constexpr SettingSpan CornerDwellRange{1, 20, 3};
constexpr int RecentFilesCap = 8;
constexpr SettingSpan PlayRateRange{1, 60, 0};  // 0: not set, the rate config.dat keeps
constexpr SettingSpan OnionBeforeRange{1, 5, 1};
constexpr SettingSpan OnionAfterRange{0, 5, 0};

// Where a frame lands on the projector: mirrored first, then scaled, then moved. Applied to the
// laser output only, never to the file.
struct OutputArea {
    int sizeX = 100, sizeY = 100;       // percent
    int offsetX = 0, offsetY = 0;       // ILDA units
    bool flipX = false, flipY = false;  // rear projection, mirrors
    bool operator==(const OutputArea&) const = default;
};
constexpr SettingSpan AreaSizeRange{1, 100, 100};
constexpr SettingSpan AreaOffsetRange{-32768, 32767, 0};

// The projector the laser output streams to, remembered between sessions; output itself always
// starts disarmed.
struct LaserSettings {
    QString address;  // HOST or HOST:PORT as typed or found
    QString unitId;   // hex, of the unit Find chose: the same unit after an address change
    QString name;     // what the status bar calls it
    int kpps = ProjectorKppsRange.initial;
    OutputArea area;
    bool operator==(const LaserSettings&) const = default;
};

struct MoreSettings {
    int projectorKpps = ProjectorKppsRange.initial;  // the projector's scan speed, thousands of points a second
    QStringList recentFiles;                         // latest first, at most RecentFilesCap
    int cornerDwell = CornerDwellRange.initial;      // points a projector is held at each corner
    LaserSettings laser;
    int playRate = PlayRateRange.initial;  // frames a second of playback; 0: config.dat's
    int onionBefore = OnionBeforeRange.initial, onionAfter = OnionAfterRange.initial;
    bool operator==(const MoreSettings&) const = default;
};

// The list with `path` in front, once, and no longer than the cap.
QStringList withRecentFile(QStringList list, const QString& path);

MoreSettings loadMoreSettings(const QString& path);
bool saveMoreSettings(const QString& path, const MoreSettings& s);

}  // namespace quorvel
