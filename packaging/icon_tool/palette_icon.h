// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace tavrello::packaging {

// An icon file (.ico) with the image as its one entry, stored as an 8-bit palette bitmap with a
// transparency mask: the look older Windows shells and the program file's resources expect.
// Pixels less than half opaque become transparent. Empty when the image has more than 256
// colours or is larger than 256 pixels a side, which the format cannot hold.
std::optional<QByteArray> paletteIconFile(const QImage& image);

} // namespace tavrello::packaging
