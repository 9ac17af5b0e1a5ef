// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/series_plot.h"

#include "analysis/report.h"
#include "window/plotting/plot_frame.h"
#include "window/reports/report_files.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace tavrello {

namespace {

constexpr QRgb bandColour = qRgba(0x3B, 0x7D, 0xD8, 48);
constexpr QRgb meanColour = qRgb(0x1F, 0x5F, 0xB8);
constexpr QRgb limitColour = qRgb(0x55, 0x55, 0x55);
constexpr QRgb keptColour = qRgb(0x20, 0x20, 0x20);
constexpr QRgb removedColour = qRgb(0xC0, 0x10, 0x10);

// The values and the lines of the kept values.
AxisExtent valueExtent(const Analysis& analysis) {
    const UncertaintyResult& kept = analysis.result;
    double low = kept.mean - 3 * kept.s;
    double high = kept.mean + 3 * kept.s;
    for (const Reading& reading : analysis.readings) {
        low = std::min(low, reading.value);
        high = std::max(high, reading.value);
    }
    return {low, high, {.margin = 0.05, .mostTicks = 7, .whole = false}};
}

// Every box numbered where the labels have room.
AxisExtent positionExtent(const Analysis& analysis) {
    const auto [first, last] = std::ranges::minmax(analysis.readings, {}, &Reading::position);
    return {
        first.position - 0.5, last.position + 0.5, {.margin = 0, .mostTicks = 26, .whole = true}};
}

void drawLimits(QPainter& painter, const PlotFrame& frame, const UncertaintyResult& kept) {
    const QRectF& area = frame.area();
    const double bandTop = frame.yOf(kept.mean + kept.s);
    const double bandBottom = frame.yOf(kept.mean - kept.s);
    painter.fillRect(QRectF(area.left(), bandTop, area.width(), bandBottom - bandTop),
                     QColor::fromRgba(bandColour));
    painter.setPen(QPen(QColor(limitColour), 1, Qt::DashLine));
    for (const double limit : {kept.mean - 3 * kept.s, kept.mean + 3 * kept.s}) {
        const double y = frame.yOf(limit);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    painter.setPen(QPen(QColor(meanColour), 1.5));
    const double mean = frame.yOf(kept.mean);
    painter.drawLine(QPointF(area.left(), mean), QPointF(area.right(), mean));
}

struct NamedLine {
    const char* name;
    // Of s.
    int multiple;
};

// The more telling first: where lines lie closer than a line of text, the later names give way.
constexpr NamedLine namedLines[] = {
    {"x̄", 0}, {"x̄ + s", 1}, {"x̄ − s", -1}, {"x̄ + 3s", 3}, {"x̄ − 3s", -3}};

// Right of the plot, each beside its line, where no value can hide it.
void nameLines(QPainter& painter, const PlotFrame& frame, const UncertaintyResult& kept) {
    const QFontMetricsF metrics(painter.font());
    std::vector<double> taken;
    painter.setPen(QColor(limitColour));
    for (const NamedLine& line : namedLines) {
        const double y = frame.yOf(kept.mean + line.multiple * kept.s);
        if (std::ranges::any_of(taken,
                                [&](double at) { return std::abs(at - y) < metrics.height(); })) {
            continue;
        }
        taken.push_back(y);
        painter.drawText(QPointF(frame.area().right() + metrics.averageCharWidth() / 2,
                                 y + metrics.ascent() / 2 - 1),
                         QString(line.name));
    }
}

void drawValues(QPainter& painter, const PlotFrame& frame, const Analysis& analysis) {
    const std::vector<int>& removed = analysis.chosen().removed;
    const QFontMetricsF metrics(painter.font());
    const double radius = std::max(2.0, metrics.height() / 5);
    for (const Reading& reading : analysis.readings) {
        const QPointF point = frame.at(reading.position, reading.value);
        if (std::ranges::find(removed, reading.position) == removed.end()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(keptColour));
            painter.drawEllipse(point, radius, radius);
            continue;
        }
        const double arm = radius * 1.6;
        painter.setPen(QPen(QColor(removedColour), 2));
        painter.drawLine(point + QPointF(-arm, -arm), point + QPointF(arm, arm));
        painter.drawLine(point + QPointF(-arm, arm), point + QPointF(arm, -arm));
        painter.drawText(point + QPointF(arm + 2, -arm), QString::number(reading.position));
    }
    painter.setBrush(Qt::NoBrush);
}

} // namespace

void paintSeriesPlot(QPainter& painter, const QRectF& area, const Analysis& analysis) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    double nameWidth = 0;
    for (const NamedLine& line : namedLines) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(line.name));
    }
    const PlotFrame frame(area, metrics, positionExtent(analysis), valueExtent(analysis),
                          {.right = nameWidth + metrics.averageCharWidth(), .linesBelow = 1});
    const QRectF& plot = frame.area();
    painter.fillRect(plot, Qt::white);
    painter.setClipRect(plot);
    drawLimits(painter, frame, analysis.result);
    drawValues(painter, frame, analysis);
    painter.setClipping(false);
    nameLines(painter, frame, analysis.result);
    painter.setPen(QPen(QColor(keptColour), 1));
    frame.drawAxes(painter);
    const QString caption = "输入框序号";
    painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(caption) / 2,
                             frame.belowLabels() + metrics.ascent()),
                     caption);
    painter.restore();
}

SeriesPlot::SeriesPlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName("测量数据图");
    setMinimumSize(360, 240);
}

void SeriesPlot::showAnalysis(const std::optional<Analysis>& analysis) {
    analysis_ = analysis;
    setAccessibleDescription(analysis ? fromUtf8(plotDescription(*analysis)) : QString());
    update();
}

void SeriesPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (analysis_) {
        paintSeriesPlot(painter, QRectF(rect()), *analysis_);
    }
}

} // namespace tavrello
