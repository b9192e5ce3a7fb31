// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy per program folder: copies in other folders do not exclude each other, and
// the lock of a copy that crashed is taken over.
#include "model/RegularFile.h"
#include "model/Text.h"
#include "shell/Prompts.h"

#include <QLockFile>

namespace quorvel {

inline constexpr Text AlreadyLoaded{QT_TRANSLATE_NOOP("Texts", "The program is already loaded!")};
inline constexpr Text NoLockNote{QT_TRANSLATE_NOOP(
    "Texts", "The lock file could not be created here: a second copy started in this folder would not be refused.")};

enum class FolderClaim { Ours, HeldByAnother, NoLock };

// Only a lock held by a running copy refuses; a folder that takes no lock file still runs.
// Something else under the lock's name (a link, a pipe: Qt would read it first, a pipe for ever)
// is removed, and what it was goes into `removed` for the user to be told.
inline FolderClaim claimProgramFolder(QLockFile& lock, QString* removed = nullptr) {
    const QString impostor = removeImpostor(lock.fileName());
    if (removed) *removed = impostor;
    lock.setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock.tryLock(0)) return FolderClaim::Ours;
    return lock.error() == QLockFile::LockFailedError ? FolderClaim::HeldByAnother : FolderClaim::NoLock;
}

}  // namespace quorvel
