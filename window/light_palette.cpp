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
    const QPalette light = QApplication::style()->standardPalette();
    QApplication::setPalette(light);
    QToolTip::setPalette(light);
}

} // namespace tavrello
