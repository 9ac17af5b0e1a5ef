// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>

namespace tavrello {

// Whether text is drawn light on a dark window, as under a dark desktop theme.
bool isDark(const QPalette& palette);

// The layout's fixed black and red captions are meant for a light button face. Under a dark
// desktop the whole program, its message boxes and tooltips included, takes Qt's standard
// light palette; under a light one it follows the desktop. Before any window exists.
void keepPaletteLight();

} // namespace tavrello
