// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/series_plot.h"

#include "analysis/report.h"
#include "window/reports/report_files.h"

#include <QLocale>
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
constexpr int wantedTicks = 6;

struct Range {
    double low;
    double high;
};

// 1, 2 or 5 times a power of ten, close to a sixth of the span.
double niceStep(double span) {
    const double rough = span / wantedTicks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10 * power;
}

std::vector<double> ticksOf(Range range, double step) {
    std::vector<double> ticks;
    for (double tick = std::ceil(range.low / step) * step; tick <= range.high + step * 1e-9;
         tick += step) {
        // A tick that should be 0 may come out as a rounding residue such as 1e-17.
        ticks.push_back(std::abs(tick) < step * 1e-9 ? 0 : tick);
    }
    return ticks;
}

QString tickText(double value, double step) {
    if (std::abs(value) >= 1e7 || step < 1e-6) {
        return QLocale::c().toString(value, 'g', 6);
    }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    return QLocale::c().toString(value, 'f', decimals);
}

// The values and the lines of the kept values, with a margin, never empty.
Range valueRange(const Analysis& analysis) {
    const UncertaintyResult& kept = analysis.result;
    double low = kept.mean - 3 * kept.s;
    double high = kept.mean + 3 * kept.s;
    for (const Reading& reading : analysis.readings) {
        low = std::min(low, reading.value);
        high = std::max(high, reading.value);
    }
    if (high == low) {
        const double half = low == 0 ? 1 : std::abs(low) * 0.1;
        return {low - half, high + half};
    }
    const double margin = (high - low) * 0.05;
    return {low - margin, high + margin};
}

Range positionRange(const Analysis& analysis) {
    const auto [first, last] = std::ranges::minmax(analysis.readings, {}, &Reading::position);
    return {first.position - 0.5, last.position + 0.5};
}

class PlotFrame {
  public:
    PlotFrame(const QRectF& area, Range x, Range y) : area_(area), x_(x), y_(y) {}

    QPointF at(double x, double y) const {
        return {area_.left() + (x - x_.low) / (x_.high - x_.low) * area_.width(),
                area_.bottom() - (y - y_.low) / (y_.high - y_.low) * area_.height()};
    }
    double xOf(double x) const { return at(x, y_.low).x(); }
    double yOf(double y) const { return at(x_.low, y).y(); }
    const QRectF& area() const { return area_; }

  private:
    QRectF area_;
    Range x_;
    Range y_;
};

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

constexpr const char* lineNames[] = {"x̄ + 3s", "x̄ + s", "x̄", "x̄ − s", "x̄ − 3s"};

// Right of the plot, each beside its line, where no value can hide it.
void nameLines(QPainter& painter, const PlotFrame& frame, const UncertaintyResult& kept) {
    const QFontMetricsF metrics(painter.font());
    const double values[] = {kept.mean + 3 * kept.s, kept.mean + kept.s, kept.mean,
                             kept.mean - kept.s, kept.mean - 3 * kept.s};
    painter.setPen(QColor(limitColour));
    for (std::size_t line = 0; line < std::size(lineNames); ++line) {
        painter.drawText(QPointF(frame.area().right() + metrics.averageCharWidth() / 2,
                                 frame.yOf(values[line]) + metrics.ascent() / 2 - 1),
                         QString(lineNames[line]));
    }
}

void drawAxes(QPainter& painter, const PlotFrame& frame, Range x, Range y, bool everyPosition) {
    const QRectF& area = frame.area();
    const QFontMetricsF metrics(painter.font());
    const double tickLength = metrics.height() / 3;
    painter.setPen(QPen(QColor(keptColour), 1));
    painter.drawRect(area);
    const double yStep = niceStep(y.high - y.low);
    for (const double tick : ticksOf(y, yStep)) {
        const double at = frame.yOf(tick);
        painter.drawLine(QPointF(area.left() - tickLength, at), QPointF(area.left(), at));
        const QString text = tickText(tick, yStep);
        painter.drawText(QPointF(area.left() - tickLength - 2 - metrics.horizontalAdvance(text),
                                 at + metrics.ascent() / 2 - 1),
                         text);
    }
    const double xStep = everyPosition ? 1 : std::max(1.0, niceStep(x.high - x.low));
    for (const double tick : ticksOf(x, xStep)) {
        const double at = frame.xOf(tick);
        painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.bottom() + tickLength));
        const QString text = QString::number(static_cast<long long>(std::llround(tick)));
        painter.drawText(QPointF(at - metrics.horizontalAdvance(text) / 2,
                                 area.bottom() + tickLength + metrics.ascent()),
                         text);
    }
    const QString caption = "输入框序号";
    painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(caption) / 2,
                             area.bottom() + tickLength + metrics.height() + metrics.ascent()),
                     caption);
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
    const Range x = positionRange(analysis);
    const Range y = valueRange(analysis);
    const double yStep = niceStep(y.high - y.low);
    double labelWidth = 0;
    for (const double tick : ticksOf(y, yStep)) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(tickText(tick, yStep)));
    }
    double nameWidth = 0;
    for (const char* name : lineNames) {
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(name));
    }
    const double tickLength = metrics.height() / 3;
    const QRectF plot = area.adjusted(labelWidth + tickLength + 4, metrics.height() / 2,
                                      -(nameWidth + metrics.averageCharWidth()),
                                      -(tickLength + 2 * metrics.height() + 2));
    const PlotFrame frame(plot, x, y);
    painter.fillRect(plot, Qt::white);
    painter.setClipRect(plot);
    drawLimits(painter, frame, analysis.result);
    drawValues(painter, frame, analysis);
    painter.setClipping(false);
    nameLines(painter, frame, analysis.result);
    const bool everyPosition = x.high - x.low <= 26;
    drawAxes(painter, frame, x, y, everyPosition);
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
