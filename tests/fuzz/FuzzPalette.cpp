// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the start of a palette file, for either palette: no read past the bytes, and
// the colour of every index is the entry's components.
#include "FuzzTarget.h"
#include "model/Palette.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so a read past its end is a read past the allocation.
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (uint8_t choice : {PangolinPalette, IldaPalette}) {
        int entries = -1;
        const Palette p = decodePalette(bytes, choice, entries);
        FUZZ_CHECK(entries >= 0 && entries <= (choice == PangolinPalette ? 64 : 256));
        FUZZ_CHECK(int64_t(entries) * PaletteLineBytes <= int64_t(size) + PaletteLineBytes - 27);
        for (int i = 0; i < 256; ++i) FUZZ_CHECK(p.color[i] == rgb(p.red[i], p.green[i], p.blue[i]));
    }
    return 0;
}
