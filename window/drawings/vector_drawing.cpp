// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/drawings/vector_drawing.h"

#include <QPainterPath>
#include <QPixmap>

namespace tavrello {

namespace {

QPainterPath pathOf(std::span<const PathStep> steps) {
    QPainterPath path;
    // Glyph outlines and SVG shapes both fill by the non-zero rule.
    path.setFillRule(Qt::WindingFill);
    for (const PathStep& step : steps) {
        switch (step.step) {
        case Step::Move:
            path.moveTo(step.x1, step.y1);
            break;
        case Step::Line:
            path.lineTo(step.x1, step.y1);
            break;
        case Step::Quad:
            path.quadTo(step.x1, step.y1, step.x2, step.y2);
            break;
        case Step::Close:
            path.closeSubpath();
            break;
        }
    }
    return path;
}

// The pen SVG draws with by default: butt ends and mitred corners.
QPen penOf(const Shape& shape) {
    QPen pen(QColor::fromRgba(shape.colour), shape.strokeWidth, Qt::SolidLine, Qt::FlatCap,
             Qt::MiterJoin);
    pen.setMiterLimit(4);
    return pen;
}

} // namespace

void paintDrawing(QPainter& painter, const Drawing& drawing) {
    for (const Shape& shape : drawing.shapes) {
        const QPainterPath path = pathOf(shape.path);
        if (shape.strokeWidth == 0) {
            painter.fillPath(path, QColor::fromRgba(shape.colour));
        } else {
            painter.strokePath(path, penOf(shape));
        }
    }
}

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
