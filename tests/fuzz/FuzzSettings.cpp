// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as config.dat: the values read are ones the controls can show, and they survive
// being written and read again unchanged.
#include "FuzzTarget.h"
#include "model/Settings.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Settings s = settingsFromBytes(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    FUZZ_CHECK(PointSpaceRange.holds(s.pointSpace) && s.blankSpace >= 1);
    FUZZ_CHECK(GridStepRange.holds(s.gridStep) && PointSizeRange.holds(s.pointSize));
    FUZZ_CHECK(PlayFpsRange.holds(s.playFps) && PaletteChoiceRange.holds(s.paletteChoice));
    FUZZ_CHECK(decodeSettings(encodeSettings(s)) == s);
    return 0;
}
