// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clipboard that whole frames and selected points share: a record of each point format and
// the format of what was copied last, which decides what both paste commands find.
#include "model/WorkingFrame.h"

namespace quorvel {

class Clipboard {
public:
    const WorkingFrame& records() const { return records_; }
    int32_t pointCount() const { return records_.pointCount(); }

    // The working frame's live record, header and all 20000 points.
    void copyFrame(const WorkingFrame& wf);
    // The working frame becomes the clipboard's record, taking its format.
    void pasteFrame(WorkingFrame& wf) const;
    // The selected points that exist (indices below the point count); only the count, the
    // header's count bytes and the copied points change; nothing when none do.
    void copyPoints(const WorkingFrame& wf);

private:
    WorkingFrame records_;  // its selection is never used
};

}  // namespace quorvel
