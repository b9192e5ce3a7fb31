#include "model/MoreSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace quorvel {

namespace {
constexpr char ProjectorKey[] = "projector/kpps";
}

MoreSettings loadMoreSettings(const QString& path) {
    MoreSettings s;
    if (!QFileInfo(path).isFile()) return s;  // nothing else is read: a FIFO must not hold start-up
    const QSettings ini(path, QSettings::IniFormat);
    bool ok = false;
    const int kpps = ini.value(ProjectorKey).toInt(&ok);
    if (ok && ProjectorKppsRange.holds(kpps)) s.projectorKpps = kpps;
    return s;
}

bool saveMoreSettings(const QString& path, const MoreSettings& s) {
    if (QFileInfo info(path); info.exists() && !info.isFile()) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(ProjectorKey, s.projectorKpps);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace quorvel
