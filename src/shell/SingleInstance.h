#pragma once
// One running copy per program folder: copies in other folders do not exclude each other, and
// the lock of a copy that crashed is taken over.
#include "shell/Prompts.h"

#include <QLockFile>

namespace quorvel {

inline const QString AlreadyLoaded = QStringLiteral("The program is already loaded!");

// True when this copy may run; otherwise tells the user and returns false.
inline bool claimProgramFolder(QLockFile& lock, Prompts& prompts) {
    lock.setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock.tryLock(0)) return true;
    prompts.message(AlreadyLoaded, MessageIcon::Exclamation);
    return false;
}

}  // namespace quorvel
