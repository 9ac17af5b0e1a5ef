// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_icon.h"

#include "vector_drawing.h"

#include <QPainter>
#include <QPixmap>

namespace tavrello {

QIcon calculatorIcon() {
    const Drawing& drawing = drawings::icon;
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(side) / drawing.width, qreal(side) / drawing.height);
        paintDrawing(painter, drawing);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tavrello
