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

// `bytes` as the whole of `path`.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace quorvel
