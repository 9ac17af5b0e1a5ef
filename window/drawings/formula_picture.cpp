// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/drawings/formula_picture.h"

#include <QPainter>

namespace tavrello {

FormulaPicture::FormulaPicture(const Drawing& drawing, QWidget* parent)
    : QWidget(parent), drawing_(drawing) {}

QSize FormulaPicture::sizeHint() const {
    return drawing_.size();
}

const QPixmap& FormulaPicture::rendered() {
    const qreal ratio = devicePixelRatioF();
    if (pixmap_.isNull() || pixmap_.devicePixelRatio() != ratio) {
        pixmap_ = QPixmap(drawing_.size() * ratio);
        pixmap_.setDevicePixelRatio(ratio);
        pixmap_.fill(Qt::transparent);
        QPainter painter(&pixmap_);
        painter.setRenderHint(QPainter::Antialiasing);
        paintDrawing(painter, drawing_);
    }
    return pixmap_;
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, rendered());
}

} // namespace tavrello
