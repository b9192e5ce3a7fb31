// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sequence as a whole: how many frames, which one is being edited, what changed, and the
// range of frames selected in the strip.
#include <cstdint>

namespace quorvel {

struct Sequence {
    int32_t totalFrames = 0;
    int32_t currentFrame = 0;  // 0: no frame chosen since New File
    bool framechanged = false;
    bool fileChanged = false;
    bool editEnabled = false;
    int32_t selFrameStart = 1, selFrameLen = 1;

    // A left click chooses one frame; any other extends the selected range to it.
    void selectFrames(int32_t chosen, bool leftButton) {
        if (leftButton) {
            selFrameStart = chosen;
            selFrameLen = 1;
        } else if (chosen < selFrameStart) {
            selFrameLen = selFrameStart - chosen + 1;
            selFrameStart = chosen;
        } else {
            selFrameLen = chosen - selFrameStart + 1;
        }
    }
    bool isSelected(int32_t frame) const { return selFrameStart <= frame && frame < selFrameStart + selFrameLen; }
};

}  // namespace quorvel
