// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "svg_raster.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tavrello::packaging {

QImage renderSvg(const QString& path, int side) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace tavrello::packaging
