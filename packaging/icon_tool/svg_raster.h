// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace tavrello::packaging {

// The drawing of an SVG file on a transparent square of the given side; a null image when the
// file is missing or is not SVG.
QImage renderSvg(const QString& path, int side);

} // namespace tavrello::packaging
