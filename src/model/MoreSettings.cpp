#include "model/MoreSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace quorvel {

namespace {
constexpr char ProjectorKey[] = "projector/kpps";
constexpr char RecentKey[] = "files/recent";
constexpr char DwellKey[] = "projector/cornerDwell";
}  // namespace

QStringList withRecentFile(QStringList list, const QString& path) {
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > RecentFilesCap) list.removeLast();
    return list;
}

MoreSettings loadMoreSettings(const QString& path) {
    MoreSettings s;
    if (!QFileInfo(path).isFile()) return s;  // nothing else is read: a FIFO must not hold start-up
    const QSettings ini(path, QSettings::IniFormat);
    bool ok = false;
    const int kpps = ini.value(ProjectorKey).toInt(&ok);
    if (ok && ProjectorKppsRange.holds(kpps)) s.projectorKpps = kpps;
    const int dwell = ini.value(DwellKey).toInt(&ok);
    if (ok && CornerDwellRange.holds(dwell)) s.cornerDwell = dwell;
    // Read back oldest first, so that a hand-edited list comes out in order, once, capped.
    const QStringList recent = ini.value(RecentKey).toStringList();
    for (auto it = recent.rbegin(); it != recent.rend(); ++it)
        if (!it->isEmpty()) s.recentFiles = withRecentFile(s.recentFiles, *it);
    return s;
}

bool saveMoreSettings(const QString& path, const MoreSettings& s) {
    if (QFileInfo info(path); info.exists() && !info.isFile()) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(ProjectorKey, s.projectorKpps);
    ini.setValue(DwellKey, s.cornerDwell);
    ini.setValue(RecentKey, s.recentFiles);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace quorvel
