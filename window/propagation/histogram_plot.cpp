// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/histogram_plot.h"

#include "window/plotting/plot_frame.h"
#include "window/reports/report_files.h"

#include <algorithm>

namespace tavrello {

namespace {

constexpr QRgb barColour = qRgb(0x9C, 0xC3, 0xEE);
constexpr QRgb barEdgeColour = qRgb(0x3B, 0x7D, 0xD8);
constexpr QRgb curveColour = qRgb(0xC0, 0x10, 0x10);
constexpr QRgb intervalColour = qRgb(0x20, 0x20, 0x20);

// How each kind of mark is drawn, for the plot and its legend alike.
struct Mark {
    const char* name;
    QPen pen;
    QBrush brush;
};

std::vector<Mark> marks() {
    return {{"蒙特卡洛法", QPen(QColor(barEdgeColour), 0.5), QBrush(QColor(barColour))},
            {"不确定度传播律", QPen(QColor(curveColour), 1.5), Qt::NoBrush},
            {"最短包含区间", QPen(QColor(intervalColour), 1, Qt::DashLine), Qt::NoBrush}};
}

double highestCount(const propagation::Histogram& histogram) {
    double highest = 1;
    for (const std::uint64_t count : histogram.counts) {
        highest = std::max(highest, static_cast<double>(count));
    }
    for (const double expected : histogram.curve) {
        highest = std::max(highest, expected);
    }
    return highest;
}

void drawBars(QPainter& painter, const PlotFrame& frame, const propagation::Histogram& histogram,
              const Mark& mark) {
    painter.setPen(mark.pen);
    painter.setBrush(mark.brush);
    for (std::size_t bin = 0; bin < histogram.counts.size(); ++bin) {
        const QPointF top =
            frame.at(histogram.edges[bin], static_cast<double>(histogram.counts[bin]));
        const QPointF bottom = frame.at(histogram.edges[bin + 1], 0);
        painter.drawRect(QRectF(top, bottom));
    }
}

void drawCurve(QPainter& painter, const PlotFrame& frame, const propagation::Histogram& histogram,
               const Mark& mark) {
    QPolygonF curve;
    for (std::size_t bin = 0; bin < histogram.curve.size(); ++bin) {
        const double centre = (histogram.edges[bin] + histogram.edges[bin + 1]) / 2;
        curve.append(frame.at(centre, histogram.curve[bin]));
    }
    painter.setPen(mark.pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(curve);
}

void drawInterval(QPainter& painter, const PlotFrame& frame,
                  const propagation::MonteCarloResult& monteCarlo, const Mark& mark) {
    painter.setPen(mark.pen);
    for (const double end : monteCarlo.shortest) {
        const double x = frame.xOf(end);
        painter.drawLine(QPointF(x, frame.area().top()), QPointF(x, frame.area().bottom()));
    }
}

double legendHeight(const QFontMetricsF& metrics, std::size_t entries) {
    return metrics.height() * (static_cast<double>(entries) + 1.0 / 3);
}

// Top right, inside the area, on a white ground, above the bars.
void drawLegend(QPainter& painter, const PlotFrame& frame, const std::vector<Mark>& shown) {
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    const double swatch = 1.5 * line;
    double widest = 0;
    for (const Mark& mark : shown) {
        widest = std::max(widest, metrics.horizontalAdvance(QString(mark.name)));
    }
    const double pad = line / 3;
    const QRectF box(frame.area().right() - widest - swatch - 4 * pad, frame.area().top(),
                     widest + swatch + 3 * pad, legendHeight(metrics, shown.size()));
    painter.setPen(QPen(QColor(intervalColour), 0.5));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    for (std::size_t at = 0; at < shown.size(); ++at) {
        const Mark& mark = shown[at];
        const double middle = box.top() + pad / 2 + line * (static_cast<double>(at) + 0.5);
        painter.setPen(mark.pen);
        painter.setBrush(mark.brush);
        const QRectF sample(box.left() + pad, middle - line / 4, swatch, line / 2);
        if (mark.brush.style() == Qt::NoBrush) {
            painter.drawLine(QPointF(sample.left(), middle), QPointF(sample.right(), middle));
        } else {
            painter.drawRect(sample);
        }
        painter.setPen(QColor(intervalColour));
        painter.drawText(QPointF(sample.right() + pad, middle + metrics.ascent() / 2 - 1),
                         QString(mark.name));
    }
}

QString captionOf(const HistogramData& data) {
    QString caption = fromUtf8(data.symbol) + " 的值";
    if (!data.unit.empty()) {
        caption += "（" + fromUtf8(data.unit) + "）";
    }
    return caption + "；纵轴为每组的次数";
}

} // namespace

void paintHistogram(QPainter& painter, const QRectF& area, const HistogramData& data) {
    const propagation::Histogram& histogram = data.monteCarlo.histogram;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    std::vector<Mark> shown = marks();
    if (histogram.curve.empty()) {
        shown.erase(shown.begin() + 1);
    }
    // Headroom for the legend, so that it hides no bar, where the area leaves any.
    const auto frameUpTo = [&](double high) {
        return PlotFrame(
            area, metrics, {histogram.edges.front(), histogram.edges.back(), {.margin = 0}},
            {0, high, {.margin = 0}}, {.right = metrics.averageCharWidth(), .linesBelow = 1});
    };
    const double highest = highestCount(histogram) * 1.05;
    const double covered =
        legendHeight(metrics, shown.size()) / std::max(1.0, frameUpTo(highest).area().height());
    const PlotFrame frame = frameUpTo(covered < 0.6 ? highest / (1 - covered) : highest);
    painter.fillRect(frame.area(), Qt::white);
    painter.setClipRect(frame.area());
    const std::vector<Mark> all = marks();
    drawBars(painter, frame, histogram, all[0]);
    drawCurve(painter, frame, histogram, all[1]);
    drawInterval(painter, frame, data.monteCarlo, all[2]);
    painter.setClipping(false);
    drawLegend(painter, frame, shown);
    painter.setPen(QPen(QColor(intervalColour), 1));
    painter.setBrush(Qt::NoBrush);
    frame.drawAxes(painter);
    const QString caption = captionOf(data);
    painter.drawText(QPointF(frame.area().center().x() - metrics.horizontalAdvance(caption) / 2,
                             frame.belowLabels() + metrics.ascent()),
                     caption);
    painter.restore();
}

HistogramPlot::HistogramPlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName("直方图");
    setMinimumSize(240, 100);
}

void HistogramPlot::showDraws(HistogramData data, const QString& description) {
    data_ = std::move(data);
    why_.clear();
    setAccessibleDescription(description);
    update();
}

void HistogramPlot::showNone(const QString& why) {
    data_.reset();
    why_ = why;
    setAccessibleDescription(why);
    update();
}

void HistogramPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (data_) {
        paintHistogram(painter, QRectF(rect()), *data_);
        return;
    }
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, why_);
}

} // namespace tavrello
