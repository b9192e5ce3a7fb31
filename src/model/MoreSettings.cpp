// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MoreSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace quorvel {

namespace {
constexpr char ProjectorKey[] = "projector/kpps";
constexpr char RecentKey[] = "files/recent";
constexpr char DwellKey[] = "projector/cornerDwell";
constexpr char PlayRateKey[] = "playback/fps";
constexpr char OnionBeforeKey[] = "onion/before";
constexpr char OnionAfterKey[] = "onion/after";
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
    // A number outside its span, or no number, leaves the default.
    const auto number = [&](const char* key, SettingSpan span, int& to) {
        bool ok;  // set by toInt either way
        const int v = ini.value(key).toInt(&ok);
        if (ok && span.holds(v)) to = v;
    };
    number(ProjectorKey, ProjectorKppsRange, s.projectorKpps);
    number(DwellKey, CornerDwellRange, s.cornerDwell);
    number(PlayRateKey, PlayRateRange, s.playRate);
    number(OnionBeforeKey, OnionBeforeRange, s.onionBefore);
    number(OnionAfterKey, OnionAfterRange, s.onionAfter);
    LaserSettings& l = s.laser;
    l.address = ini.value("laser/address").toString();
    l.unitId = ini.value("laser/unitId").toString();
    l.name = ini.value("laser/name").toString();
    number("laser/kpps", ProjectorKppsRange, l.kpps);
    number("laser/sizeX", AreaSizeRange, l.area.sizeX);
    number("laser/sizeY", AreaSizeRange, l.area.sizeY);
    number("laser/offsetX", AreaOffsetRange, l.area.offsetX);
    number("laser/offsetY", AreaOffsetRange, l.area.offsetY);
    l.area.flipX = ini.value("laser/flipX").toBool();
    l.area.flipY = ini.value("laser/flipY").toBool();
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
    if (s.playRate)
        ini.setValue(PlayRateKey, s.playRate);
    else
        ini.remove(PlayRateKey);
    ini.setValue(OnionBeforeKey, s.onionBefore);
    ini.setValue(OnionAfterKey, s.onionAfter);
    const LaserSettings& l = s.laser;
    const std::pair<const char*, QVariant> laser[] = {{"laser/address", l.address},
                                                      {"laser/unitId", l.unitId},
                                                      {"laser/name", l.name},
                                                      {"laser/kpps", l.kpps},
                                                      {"laser/sizeX", l.area.sizeX},
                                                      {"laser/sizeY", l.area.sizeY},
                                                      {"laser/offsetX", l.area.offsetX},
                                                      {"laser/offsetY", l.area.offsetY},
                                                      {"laser/flipX", l.area.flipX},
                                                      {"laser/flipY", l.area.flipY}};
    for (const auto& [key, value] : laser) ini.setValue(key, value);
    ini.setValue(RecentKey, s.recentFiles);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace quorvel
