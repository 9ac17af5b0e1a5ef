// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "light_palette.h"

#include <QApplication>
#include <QStyle>
#include <QToolTip>

namespace tavrello {

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

void keepPaletteLight() {
    if (!isDark(QApplication::palette())) {
        return;
    }
    // Qt's own light scheme, on the classic grey button face. A style's override may follow
    // the desktop and be dark itself, as Fusion's does under a dark GTK theme.
    const QPalette light = QApplication::style()->QStyle::standardPalette();
    QApplication::setPalette(light);
    QToolTip::setPalette(light);
}

} // namespace tavrello
