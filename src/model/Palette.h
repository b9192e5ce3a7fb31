// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colour table that turns a palette index into a drawing colour.
#include "model/PaletteTable.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace quorvel {

constexpr int PaletteLineBytes = 29;

// The file that holds the palette: pangolin.dat or ilda.dat.
QString paletteFileName(uint8_t choice);

// How many colours the palette has: 64 for Pangolin's, 256 for ILDA's.
int paletteEntries(uint8_t choice);

// Reads the file that `choice` names in `programFolder`. Entries the file cannot supply
// (missing or short file) stay black; Pangolin's indices 64..255 get its fill colour. When
// the file could not be read, or not wholly, `note` (if given) says so in the user's words.
Palette loadPalette(const QString& programFolder, uint8_t choice, QString* note = nullptr);

// The same from bytes already read: the first lines of the palette file. `entriesRead` is the
// number of whole lines there were, at most the palette's size (64 for Pangolin's, 256).
Palette decodePalette(const QByteArray& bytes, uint8_t choice, int& entriesRead);

// The leading decimal value of a short text field, rounded and limited to 0..255.
int paletteComponent(const char* field, int width);

}  // namespace quorvel
