// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A lenient walk over an ILDA file that the editor's Open would load only in part: it takes
// every frame section it finds in order, whatever the headers say about the number of frames,
// steps over palette and colour-table sections, and stops at a closing header, at bytes that
// are no header, or at the end of the file. The frames it finds are copied by the ordinary
// copy pass, so what it writes out is what Open then reads whole.
#include "ilda/IldaReader.h"

namespace quorvel {

struct RepairScan {
    FrameScan scan;          // the frames found, for copyFrames
    int skipped = 0;         // palette (format 2) and colour-table (format 3) sections
    int64_t points = 0;      // in all the frames found
    int64_t stoppedAt = 0;   // 0-based byte offset where the walk ended
    std::string stopReason;  // why it ended there, in plain words
};

RepairScan scanLeniently(const std::string& path);

}  // namespace quorvel
