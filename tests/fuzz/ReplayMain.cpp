// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over every file in the folders given: the committed corpus, replayed by
// `make test`, so whatever the fuzzers once found stays found.
#include "FuzzTarget.h"

#include <QDirIterator>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;  // an empty corpus means the folder was not found
}
