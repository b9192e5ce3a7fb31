// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Palette.h"
#include "model/Text.h"

#include "model/RegularFile.h"

#include <QFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quorvel {

int paletteComponent(const char* field, int width) {
    std::string_view f(field, size_t(width));
    f.remove_prefix(std::min(f.find_first_not_of(" \t"), f.size()));
    if (f.starts_with('+')) f.remove_prefix(1);  // the reader below takes a minus only
    double value = 0;                            // kept when no number starts the field
    std::from_chars(f.data(), f.data() + f.size(), value, std::chars_format::fixed);
    if (!std::isfinite(value)) value = 0;  // "inf" and "nan" are words here, not numbers
    return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, 255.0));  // halves to even
}

int paletteEntries(uint8_t choice) { return choice == PangolinPalette ? 64 : 256; }

Palette decodePalette(const QByteArray& bytes, uint8_t choice, int& entriesRead) {
    const int entries = paletteEntries(choice);
    Palette p;
    entriesRead = 0;
    for (int i = 0; i < entries; ++i) {
        const qsizetype at = qsizetype(i) * PaletteLineBytes;
        if (at + 27 > bytes.size()) break;  // the rest stays black
        const char* line = bytes.constData() + at;
        p.red[i] = static_cast<uint8_t>(paletteComponent(line + 8, 3));
        p.green[i] = static_cast<uint8_t>(paletteComponent(line + 16, 3));
        p.blue[i] = static_cast<uint8_t>(paletteComponent(line + 24, 3));
        entriesRead = i + 1;
    }
    if (choice == PangolinPalette)
        for (int i = 64; i < 256; ++i) p.red[i] = 255, p.green[i] = 32, p.blue[i] = 32;
    for (int i = 0; i < 256; ++i) p.color[i] = rgb(p.red[i], p.green[i], p.blue[i]);
    return p;
}

QString paletteFileName(uint8_t choice) {
    return choice == PangolinPalette ? QStringLiteral("pangolin.dat") : QStringLiteral("ilda.dat");
}

Palette loadPalette(const QString& programFolder, uint8_t choice, QString* note) {
    const int entries = paletteEntries(choice);
    const QString name = paletteFileName(choice);
    // Only the lines the palette uses are read, whatever the file's size.
    const FileBytes file = readRegularFile(programFolder + '/' + name, qint64(entries) * PaletteLineBytes);
    int entriesRead = 0;
    const Palette p = decodePalette(file.bytes.value_or(QByteArray()), choice, entriesRead);
    if (note && !file.bytes)
        *note =
            Text(QT_TRANSLATE_NOOP("Texts", "The palette file %1 could not be read (%2): its colours show as black."))
                .arg(name, file.error);
    else if (note && entriesRead < entries)
        *note = Text(QT_TRANSLATE_NOOP("Texts",
                                       "The palette file %1 holds only %2 of its %3 colours: the rest show as black."))
                    .arg(name)
                    .arg(entriesRead)
                    .arg(entries);
    return p;
}

}  // namespace quorvel
