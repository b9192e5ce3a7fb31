// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Between Qt's text and the system's bytes (file names, the system's reasons), which the
// file-reading and file-writing code keeps as they are.
#include <QFile>
#include <QString>
#include <string>

namespace quorvel {

inline std::string toSystem(const QString& text) { return QFile::encodeName(text).toStdString(); }
inline QString fromSystem(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), qsizetype(bytes.size()));
}

}  // namespace quorvel
