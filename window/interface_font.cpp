// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "interface_font.h"

#include "appearance.h"

#include <QApplication>
#include <QFontDatabase>

namespace tavrello {

QString installedInterfaceFontFile() {
#ifdef TAVRELLO_INTERFACE_FONT_FROM_PROGRAM
    return QCoreApplication::applicationDirPath() + "/" + TAVRELLO_INTERFACE_FONT_FROM_PROGRAM;
#else
    return {};
#endif
}

bool useInterfaceFont(const QString& fontFile) {
    const bool read = !fontFile.isEmpty() && QFontDatabase::addApplicationFont(fontFile) >= 0;
    if (!read && !fontFile.isEmpty()) {
        qWarning("cannot read the interface font %s; the system's Song faces stand in",
                 qPrintable(fontFile));
    }
    QApplication::setFont(fontOf(Face::Plain));
    return read;
}

} // namespace tavrello
