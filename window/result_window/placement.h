// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QSize>

namespace tavrello {

// The main window on the screen, frame included, and its columns: the input boxes a result
// window follows, and the formula pictures it may cover when there is no other room.
struct MainWindowPlace {
    QRect frame;
    QRect inputColumn;
    QRect formulaColumn;
};

// Between a result window and the main window.
inline constexpr int windowGap = 8;

// The frame rectangle of a result window that wants `wanted` and needs at least `least` (frames
// included), within the screen's available area: beside the main window, right before left, at
// the wanted width where a side has it, else at the width the roomier side has; failing that over
// the formula column only, left of the input column; failing that, at the screen's left edge.
// As tall as wanted or as the area, level with the main window where it fits.
QRect placeBeside(const QRect& available, const MainWindowPlace& main, QSize wanted, QSize least);

} // namespace tavrello
