// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/plotting/plot_frame.h"

#include "window/reports/report_files.h"

#include <algorithm>
#include <functional>

namespace tavrello {

namespace {

double widestLabel(const QFontMetricsF& metrics, const Axis& axis) {
    double widest = 0;
    for (const std::string& label : axis.labels) {
        widest = std::max(widest, metrics.horizontalAdvance(fromUtf8(label)));
    }
    return widest;
}

// Fewer ticks, down to two, until neighbours lie `needed` points apart along `length`.
Axis fittedAxis(const AxisExtent& extent, double length,
                const std::function<double(const Axis&)>& needed) {
    AxisOptions options = extent.options;
    for (;;) {
        const Axis axis = axisFor(extent.low, extent.high, options);
        const double apart = length * (axis.ticks[1] - axis.ticks[0]) / (axis.high - axis.low);
        const double room = needed(axis);
        if (apart >= room || options.mostTicks <= 2) {
            return axis;
        }
        options.mostTicks = std::min(options.mostTicks - 1, static_cast<int>(length / room) + 1);
    }
}

double tickLength(const QFontMetricsF& metrics) {
    return metrics.height() / 3;
}

} // namespace

PlotFrame::PlotFrame(const QRectF& figure, const QFontMetricsF& metrics, const AxisExtent& x,
                     const AxisExtent& y, const FrameRoom& room)
    : metrics_(metrics), xLabels_(room.xLabels) {
    const double line = metrics.height();
    const double bottom =
        room.xLabels ? tickLength(metrics) + (1 + room.linesBelow) * line + 2 : line / 2;
    const auto ySpacing = [line](const Axis&) { return 1.5 * line; };
    // A shared part of the y labels takes a line above the area, and that line some ticks.
    for (const double top : {line / 2, 1.5 * line}) {
        y_ = fittedAxis(y, figure.height() - top - bottom, ySpacing);
        area_ = figure.adjusted(0, top, 0, -bottom);
        if (y_.shared.empty()) {
            break;
        }
    }
    area_.adjust(room.left + widestLabel(metrics, y_) + tickLength(metrics) + 4, 0, -room.right, 0);
    x_ = fittedAxis(x, area_.width(), [&metrics](const Axis& axis) {
        return widestLabel(metrics, axis) + 2 * metrics.averageCharWidth();
    });
}

double PlotFrame::xOf(double x) const {
    return area_.left() + (x - x_.low) / (x_.high - x_.low) * area_.width();
}

double PlotFrame::yOf(double y) const {
    return area_.bottom() - (y - y_.low) / (y_.high - y_.low) * area_.height();
}

double PlotFrame::belowLabels() const {
    return area_.bottom() + tickLength(metrics_) + metrics_.height();
}

void PlotFrame::drawAxes(QPainter& painter) const {
    const double length = tickLength(metrics_);
    const double middle = metrics_.ascent() / 2 - 1;
    painter.drawRect(area_);
    // Where a short area has no room for every label, a label that would touch the last one
    // drawn gives way; its tick stays.
    double lastLabel = area_.bottom() + 2 * metrics_.height();
    for (std::size_t i = 0; i < y_.ticks.size(); ++i) {
        const double at = yOf(y_.ticks[i]);
        const QString text = fromUtf8(y_.labels[i]);
        painter.drawLine(QPointF(area_.left() - length, at), QPointF(area_.left(), at));
        if (lastLabel - at < metrics_.height()) {
            continue;
        }
        lastLabel = at;
        painter.drawText(
            QPointF(area_.left() - length - 2 - metrics_.horizontalAdvance(text), at + middle),
            text);
    }
    painter.drawText(QPointF(area_.left(), area_.top() - metrics_.descent() - 2),
                     fromUtf8(y_.shared));
    for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
        const double at = xOf(x_.ticks[i]);
        const QString text = fromUtf8(x_.labels[i]);
        painter.drawLine(QPointF(at, area_.bottom()), QPointF(at, area_.bottom() + length));
        if (!xLabels_) {
            continue;
        }
        painter.drawText(QPointF(at - metrics_.horizontalAdvance(text) / 2,
                                 area_.bottom() + length + metrics_.ascent()),
                         text);
    }
    if (!xLabels_) {
        return;
    }
    const QString xShared = fromUtf8(x_.shared);
    painter.drawText(QPointF(area_.right() - metrics_.horizontalAdvance(xShared),
                             belowLabels() + metrics_.ascent()),
                     xShared);
}

} // namespace tavrello
