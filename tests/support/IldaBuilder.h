// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds ILDA files byte by byte for tests.
#include "model/Records.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace quorvel::test {

class IldaBuilder {
public:
    // A section with `count` records of the format's size; record i has X = i and status 0,
    // the last one status 128. `reserved` go into the three reserved bytes.
    IldaBuilder& section(int format, int count, int totalFrames, const char* name = "frame",
                         std::array<uint8_t, 3> reserved = {0, 0, 0}, int recordsWritten = -1);
    IldaBuilder& raw(const QByteArray& bytes) {
        bytes_ += bytes;
        return *this;
    }
    const QByteArray& bytes() const { return bytes_; }
    QString save(const QString& path) const;

private:
    QByteArray bytes_;
};

// The point count of every frame of an ILDA file, up to its closing header.
std::vector<int> frameCounts(const QByteArray& file);

}  // namespace quorvel::test
