// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading an ILDA file into the frame buffer file, in two passes: a walk over the headers that
// checks them and records where each frame starts, then a copy of every frame into its slot.
// File names, paths and reasons are the system's bytes: the command-line tool reads and writes
// ILDA files with the standard library alone.
#include "model/FrameSlots.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct IldaSection {
    int64_t position = 0;  // 1-based byte position of its header
    FrameHeader header{};
};

// What later steps need of the walk: where each frame starts and its header. Palette sections
// are walked, not kept, so memory follows the frames, however many palettes a file holds.
struct FrameScan {
    std::string fileName;                   // without folder
    std::vector<int64_t> fileFramePos;      // index = frame number; 1-based positions
    std::vector<FrameHeader> frameHeaders;  // frame n's header at n - 1
    int framesFound = 0;
    int declaredFrames = 0;      // TotalFrames of the first header
    bool rejected = false;       // a header failed the checks: the user is told
    bool tooManyFrames = false;  // more than the sequence can hold; the rest is left
    std::string reason;          // why the walk stopped early, in plain words

    const FrameHeader& headerOf(int frame) const { return frameHeaders[size_t(frame) - 1]; }
};

// Shown each section the walk takes, palettes included, in file order.
using SectionVisitor = std::function<void(const IldaSection&)>;

// The text shown when a file is rejected: " err totframes= 12".
std::string rejectionText(int declaredFrames);

// Both passes read a file or, for tests and fuzzing, the same bytes already in memory.
FrameScan seekFrames(const std::string& path, const SectionVisitor& visit = {});
FrameScan seekFrames(std::string_view bytes, const std::string& fileName);

struct CopyReport {
    int framesCopied = 0;      // frames 1..framesCopied are in their slots
    int converted = 0;         // 3-D true-colour frames stored as 2-D true-colour frames
    int cut = 0;               // frames of more than 20000 points, cut to their first 20000
    bool writeFailed = false;  // the frame buffer file took no more: `error` says why
    std::string error;
};

// What a slot holds for a frame that the file counts but that has nothing to copy: an empty
// frame of its own, never what an earlier sequence left there.
FrameHeader emptyFrameHeader();

CopyReport copyFrames(const std::string& path, const FrameScan& scan, FrameSink& target);
CopyReport copyFrames(std::string_view bytes, const FrameScan& scan, FrameSink& target);

struct OpenedFrames {
    FrameScan scan;
    CopyReport copied;
    // Frames found but not copied: the file changed between the passes, or the copy failed.
    bool shortened() const { return copied.framesCopied < scan.framesFound; }
};

// Both passes in one walk over the file, as Open makes them: each frame goes to its slot as
// soon as the walk has checked its header, so the file is read once.
OpenedFrames openFrames(const std::string& path, FrameSink& target);

// What Open tells the user about a file it loaded only in part, or could not read (the
// system's reason follows).
inline constexpr char TooManyFramesText[] = "Only the first 10000 frames were loaded.";
inline constexpr char FileUnreadableText[] = "The file could not be read: ";

// What Open says in the status bar about frames it changed on the way in; empty when none.
std::string conversionNotes(const CopyReport& copied);

}  // namespace quorvel
