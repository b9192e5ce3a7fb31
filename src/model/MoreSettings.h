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

struct MoreSettings {
    int projectorKpps = ProjectorKppsRange.initial;  // the projector's scan speed, thousands of points a second
    QStringList recentFiles;                         // latest first, at most RecentFilesCap
    int cornerDwell = CornerDwellRange.initial;      // points a projector is held at each corner
    bool operator==(const MoreSettings&) const = default;
};

// The list with `path` in front, once, and no longer than the cap.
QStringList withRecentFile(QStringList list, const QString& path);

MoreSettings loadMoreSettings(const QString& path);
bool saveMoreSettings(const QString& path, const MoreSettings& s);

}  // namespace quorvel
