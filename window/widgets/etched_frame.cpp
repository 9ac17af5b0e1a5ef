// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widgets/etched_frame.h"

#include <QPainter>

namespace tavrello {

namespace {

constexpr int captionIndent = 8;
constexpr int captionGap = 2;

} // namespace

EtchedFrame::EtchedFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int edge = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect etched(0, edge, width() - 2, height() - edge - 2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(etched);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(etched.translated(1, 1));
    if (title().isEmpty()) {
        return;
    }
    const QRect caption(captionIndent, 0, metrics.horizontalAdvance(title()) + 2 * captionGap,
                        metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

} // namespace tavrello
