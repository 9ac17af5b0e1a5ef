// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace tavrello {

// Text colours of the layout. Black and red are fixed; the others follow the application
// palette, so the window takes the user's colour scheme like any other.
enum class Ink { ButtonText, Black, Red, ShadowText };

// Background colours of the layout, all taken from the application palette.
enum class Ground { ButtonFace, ResultBackground, LightPanel };

enum class Face { Plain, Underlined };

QColor colourOf(Ink ink);
QColor colourOf(Ground ground);

// The window font, 9 point Song, with fallbacks for machines without SimSun.
QFont fontOf(Face face);

// The analysis window and its reports: a sans face for Latin and Greek letters and the signs of
// the formulas, which the Song face draws a full cell wide, and a full Song or CJK face of the
// system for the Chinese.
QFont analysisFont();

// Makes the window font the application font, so that every text, tooltips and message boxes
// included, is set in it and no second face is read at start.
void useWindowFont();

// Whether text is drawn light on a dark window, as under a dark desktop theme.
bool isDark(const QPalette& palette);

// The layout's fixed black and red captions are meant for a light button face. Under a dark
// desktop the whole program, its message boxes and tooltips included, takes Qt's standard
// light palette; under a light one it follows the desktop. Before any window exists.
void keepPaletteLight();

} // namespace tavrello
