// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the program's own small files (settings, palettes) without ever waiting: a FIFO, a
// device or a folder under their names is read as a file that is not there. Writing one whole,
// through a SafeFile.
#include "model/SafeFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quorvel {

// Up to `maxBytes` from the start of `path`, or the system's reason why it cannot be read.
struct FileBytes {
    std::optional<QByteArray> bytes;
    QString error;
};
FileBytes readRegularFile(const QString& path, qint64 maxBytes);

// Why `path` is no regular file ("NAME is not a regular file."), found without waiting and
// without following a link when `linksToo`; empty when it is one, or not there (`missingToo`
// false) so that opening it says why.
QString notRegularFile(const QString& path, bool linksToo = false);

// The program's own files are never opened through a link nor wait on a pipe: something else
// under the name of one (a link, a FIFO, a socket, a device) is removed, which touches nothing it
// points to. Returns what was removed, for a message; empty when nothing was.
QString removeImpostor(const QString& path);

// `bytes` as the whole of `path`.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace quorvel
