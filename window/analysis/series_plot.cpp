// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/series_plot.h"

#include "analysis/report.h"
#include "window/plotting/plot_frame.h"
#include "window/reports/report_files.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

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

// Crosses are numbered while so few that their numbers can stand apart.
constexpr std::size_t mostNumberedCrosses = 30;

void drawValues(QPainter& painter, const PlotFrame& frame, const Analysis& analysis) {
    const std::vector<int>& removed = analysis.chosen().removed;
    const std::unordered_set<int> out(removed.begin(), removed.end());
    const QFontMetricsF metrics(painter.font());
    const double radius = std::max(2.0, metrics.height() / 5);
    // A long series puts many dots on one spot: each spot is drawn once, to half a pixel, so
    // that a page of 100,000 values stays small and quick.
    std::unordered_set<std::uint64_t> drawn;
    const auto firstAt = [&drawn](QPointF point, bool cross) {
        const auto x = static_cast<std::uint64_t>(std::llround(point.x() * 2)) & 0x7FFFFFFF;
        const auto y = static_cast<std::uint64_t>(std::llround(point.y() * 2)) & 0x7FFFFFFF;
        return drawn.insert((x << 32) | (y << 1) | (cross ? 1 : 0)).second;
    };
    // Dots as points of a round pen: in a PDF a point is a few bytes, a circle many.
    QPolygonF dots;
    for (const Reading& reading : analysis.readings) {
        const QPointF point = frame.at(reading.position, reading.value);
        if (!out.contains(reading.position) && firstAt(point, false)) {
            dots.append(point);
        }
    }
    painter.setPen(QPen(QColor(keptColour), 2 * radius, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoints(dots);
    painter.setPen(QPen(QColor(removedColour), 2));
    const double arm = radius * 1.6;
    for (const Reading& reading : analysis.readings) {
        const QPointF point = frame.at(reading.position, reading.value);
        if (!out.contains(reading.position) || !firstAt(point, true)) {
            continue;
        }
        painter.drawLine(point + QPointF(-arm, -arm), point + QPointF(arm, arm));
        painter.drawLine(point + QPointF(-arm, arm), point + QPointF(arm, -arm));
        if (removed.size() <= mostNumberedCrosses) {
            painter.drawText(point + QPointF(arm + 2, -arm), QString::number(reading.position));
        }
    }
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
    // Small enough to stand under the table in a window beside the main one on a small screen.
    setMinimumSize(240, 150);
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
