// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>

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

} // namespace tavrello
