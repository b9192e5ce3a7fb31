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

}  // namespace quorvel::test
