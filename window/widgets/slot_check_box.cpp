// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widgets/slot_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace tavrello {

SlotCheckBox::SlotCheckBox(QWidget* parent) : QCheckBox(parent) {}

void SlotCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int side = std::min(width(), height());
    option.rect = QRect(0, (height() - side) / 2, side, side);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, option);
}

bool SlotCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace tavrello
