// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/appearance.h"

#include "window/fonts/interface_font.h"

#include <QApplication>
#include <QStyle>
#include <QToolTip>

namespace tavrello {

QColor colourOf(Ink ink) {
    const QPalette palette = QApplication::palette();
    switch (ink) {
    case Ink::ButtonText:
        return palette.color(QPalette::ButtonText);
    case Ink::Black:
        return QColor(0, 0, 0);
    case Ink::Red:
        return QColor(255, 0, 0);
    case Ink::ShadowText:
        return palette.color(QPalette::Dark);
    }
    Q_UNREACHABLE();
}

QColor colourOf(Ground ground) {
    const QPalette palette = QApplication::palette();
    switch (ground) {
    case Ground::ButtonFace:
        // The window surface, so that filled labels blend with the frames they sit on.
        return palette.color(QPalette::Window);
    case Ground::ResultBackground:
        return palette.color(QPalette::Base);
    case Ground::LightPanel:
        return palette.color(QPalette::Midlight);
    }
    Q_UNREACHABLE();
}

QFont fontOf(Face face) {
    QFont font;
    // AR PL SungtiL GB, and the interface face cut from it, have the same cell widths as SimSun
    // (12 pixels a Chinese character, 6 a Latin one), so the layout's self-sized captions come
    // out at their intended size. The interface face comes first: a family that is not
    // installed costs a lookup at every start.
    font.setFamilies({interfaceFamily, "宋体", "SimSun", "NSimSun", "AR PL SungtiL GB",
                      "Noto Serif CJK SC", "Noto Sans CJK SC"});
    // 9 point at 96 dpi, fixed in pixels so that text and twip geometry scale together.
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    font.setUnderline(face == Face::Underlined);
    return font;
}

QFont analysisFont() {
    QFont font = fontOf(Face::Plain);
    // The window's cut face holds only the main window's characters; the full faces come first.
    font.setFamilies({"DejaVu Sans", "Segoe UI", "Noto Sans", "AR PL SungtiL GB", "宋体", "SimSun",
                      "Noto Sans CJK SC", "Noto Serif CJK SC", interfaceFamily});
    return font;
}

void useWindowFont() {
    QApplication::setFont(fontOf(Face::Plain));
}

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
