// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/platform_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tavrello {

QStringList platformTranslationFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), programFolder,
            programFolder + "/translations"};
}

PlatformTranslation::PlatformTranslation(const QStringList& folders) {
    for (const QString& folder : folders) {
        if (translator_.load("qtbase_zh_CN", folder)) {
            loaded_ = QCoreApplication::installTranslator(&translator_);
            return;
        }
    }
}

} // namespace tavrello
