// SPDX-License-Identifier: GPL-3.0-or-later
#include "IldaBuilder.h"
#include "TestSupport.h"

namespace quorvel::test {

IldaBuilder& IldaBuilder::section(int format, int count, int totalFrames, const char* name,
                                  std::array<uint8_t, 3> reserved, int recordsWritten) {
    FrameHeader h{};
    h.setSignature("ILDA");
    std::copy(reserved.begin(), reserved.end(), h.reserved);
    h.formatCode = static_cast<uint8_t>(format);
    h.setFrameName(name);
    h.setCompanyName("tests");
    h.setPointCount(count);
    h.setFrameNumber(77);
    h.setTotalFrames(totalFrames);
    h.scannerHead = 3;
    bytes_.append(reinterpret_cast<const char*>(&h), sizeof h);
    const int size = recordSize(format);
    const int records = recordsWritten < 0 ? count : recordsWritten;
    for (int i = 0; i < records; ++i) {
        QByteArray r(size, '\0');
        if (size < 6) {  // palette colours, or a code without records of its own
            bytes_ += r;
            continue;
        }
        r[0] = char(i >> 8), r[1] = char(i & 0xFF), r[3] = char(format);
        {
            const int statusAt = format == 0 ? 6 : format == 4 ? 6 : 4;
            r[statusAt] = char(i == count - 1 ? 128 : 0);
            r[size - 1] = char(i % 251);  // colour index or red
        }
        bytes_ += r;
    }
    return *this;
}

QString IldaBuilder::save(const QString& path) const {
    writeFile(path, bytes_);
    return path;
}

// The point count of every frame of an ILDA file, up to its closing header.
std::vector<int> frameCounts(const QByteArray& file) {
    std::vector<int> counts;
    for (int64_t at = 0; at + 32 <= file.size();) {
        const FrameHeader h = headerAt(file, at);
        if (h.pointCount() == 0 && at + 32 == file.size()) break;
        counts.push_back(h.pointCount());
        at += 32 + int64_t(h.pointCount()) * (h.formatCode == 0 ? 8 : h.formatCode == 1 ? 6 : 8);
    }
    return counts;
}

}  // namespace quorvel::test
