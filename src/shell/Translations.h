// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's language for every text: Qt's own words (standard buttons, file dialogs) from Qt's
// translations, the program's from those built into it. A language with neither stays English.
class QCoreApplication;

namespace quorvel {

// Returns whether the program's own words are translated for the user's language.
bool installTranslations(QCoreApplication& app);

}  // namespace quorvel
