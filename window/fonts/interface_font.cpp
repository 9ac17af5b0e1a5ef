// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fonts/interface_font.h"

#include <QCoreApplication>
#include <QFontDatabase>

#ifdef TAVRELLO_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tavrello {

QString installedInterfaceFontFile() {
#ifdef TAVRELLO_INTERFACE_FONT_FROM_PROGRAM
    return QCoreApplication::applicationDirPath() + "/" + TAVRELLO_INTERFACE_FONT_FROM_PROGRAM;
#else
    return {};
#endif
}

bool addInterfaceFont(const QString& fontFile) {
    const bool read = !fontFile.isEmpty() && QFontDatabase::addApplicationFont(fontFile) >= 0;
    if (!read && !fontFile.isEmpty()) {
        qWarning("cannot read the interface font %s; the system's Song faces stand in",
                 qPrintable(fontFile));
    }
    return read;
}

FontConfigurationPreload::FontConfigurationPreload() {
#ifdef TAVRELLO_FONTCONFIG
    // A failure is not ours to report: Qt reads the configuration again and says what is wrong.
    reader_ = std::jthread([] { FcInit(); });
#endif
}

void FontConfigurationPreload::waitUntilRead() {
    if (reader_.joinable()) {
        reader_.join();
    }
}

} // namespace tavrello
