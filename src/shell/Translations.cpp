// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quorvel {

bool installTranslations(QCoreApplication& app) {
    auto* qtWords = new QTranslator(&app);
    if (qtWords->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtWords);
    auto* ourWords = new QTranslator(&app);
    if (!ourWords->load(QLocale(), QStringLiteral("quorvel"), QStringLiteral("_"), QStringLiteral(":/translations")))
        return false;
    return QCoreApplication::installTranslator(ourWords);
}

}  // namespace quorvel
