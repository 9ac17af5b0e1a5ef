// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fitting/fit_plot.h"

#include "fitting/fit_report.h"
#include "window/plotting/plot_frame.h"
#include "window/reports/report_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_set>

namespace tavrello {

namespace {

using fitting::Fit;

constexpr QRgb pointColour = qRgb(0x20, 0x20, 0x20);
constexpr QRgb barColour = qRgb(0x60, 0x60, 0x60);
constexpr QRgb lineColour = qRgb(0x1F, 0x5F, 0xB8);
constexpr QRgb zeroColour = qRgb(0x55, 0x55, 0x55);
constexpr QRgb flaggedColour = qRgb(0xC0, 0x10, 0x10);
// Of the figure's height, for the points and the line; the residuals take the rest.
constexpr double upperShare = 0.62;
// Flagged points are numbered while so few that their numbers can stand apart.
constexpr std::size_t mostNumbered = 30;

double uAt(const Fit& fit, std::size_t i) {
    return fit.uY.empty() ? 0 : fit.uY[i];
}

AxisExtent xExtent(const Fit& fit) {
    const auto [low, high] = std::ranges::minmax(fit.X);
    return {low, high, {.margin = 0.05, .mostTicks = 7, .whole = false}};
}

// The points with their bars, and the line at both ends of the points.
AxisExtent yExtent(const Fit& fit) {
    const auto [left, right] = std::ranges::minmax(fit.X);
    double low = std::min(fit.a + fit.b * left, fit.a + fit.b * right);
    double high = std::max(fit.a + fit.b * left, fit.a + fit.b * right);
    for (std::size_t i = 0; i < fit.n; ++i) {
        low = std::min(low, fit.Y[i] - uAt(fit, i));
        high = std::max(high, fit.Y[i] + uAt(fit, i));
    }
    return {low, high, {.margin = 0.05, .mostTicks = 6, .whole = false}};
}

// Around 0, so that points above and below the line show as such.
AxisExtent residualExtent(const Fit& fit) {
    double most = 0;
    for (std::size_t i = 0; i < fit.n; ++i) {
        most = std::max(most, std::abs(fit.residuals[i]) + uAt(fit, i));
    }
    return {-most, most, {.margin = 0.1, .mostTicks = 5, .whole = false}};
}

QString named(const std::string& name, const std::string& unit) {
    return fromUtf8(fitting::quantityHeader({name, unit}));
}

std::string yUnit(const Fit& fit) {
    return fitting::transformedUnit(fit.settings.yTransform, fit.y.unit);
}

// Up the left edge of the panel, centred on its area.
void nameUpwards(QPainter& painter, const QRectF& figure, const QRectF& area, const QString& name) {
    const QFontMetricsF metrics(painter.font());
    const QString shown = metrics.elidedText(name, Qt::ElideRight, area.height());
    painter.save();
    painter.translate(figure.left() + metrics.ascent(), area.center().y());
    painter.rotate(-90);
    painter.drawText(QPointF(-metrics.horizontalAdvance(shown) / 2, 0), shown);
    painter.restore();
}

// Marks each point once per spot, to half a pixel: a large data set puts many on one spot.
class Spots {
  public:
    bool first(QPointF point) {
        const auto x = static_cast<std::uint64_t>(std::llround(point.x() * 2)) & 0x7FFFFFFF;
        const auto y = static_cast<std::uint64_t>(std::llround(point.y() * 2)) & 0x7FFFFFFF;
        return taken_.insert((x << 32) | y).second;
    }

  private:
    std::unordered_set<std::uint64_t> taken_;
};

// The points at their values (Y, or the residuals) with their bars; the flagged ones as rings.
void drawPoints(QPainter& painter, const PlotFrame& frame, const Fit& fit,
                const std::vector<double>& values) {
    const QFontMetricsF metrics(painter.font());
    const double radius = std::max(2.0, metrics.height() / 5);
    Spots spots;
    QPolygonF dots;
    std::vector<std::pair<QPointF, int>> flagged;
    painter.setPen(QPen(QColor(barColour), 1));
    for (std::size_t i = 0; i < fit.n; ++i) {
        const QPointF point = frame.at(fit.X[i], values[i]);
        const bool isFlagged = std::abs(fit.standardised[i]) > 3;
        if (isFlagged) {
            flagged.emplace_back(point, fit.points[i].position);
        }
        if (!spots.first(point)) {
            continue;
        }
        if (const double u = uAt(fit, i); u > 0) {
            const QPointF top = frame.at(fit.X[i], values[i] + u);
            const QPointF bottom = frame.at(fit.X[i], values[i] - u);
            painter.drawLine(top, bottom);
            for (const QPointF end : {top, bottom}) {
                painter.drawLine(end - QPointF(radius, 0), end + QPointF(radius, 0));
            }
        }
        if (!isFlagged) {
            dots.append(point);
        }
    }
    // Dots as points of a round pen: in a PDF a point is a few bytes, a circle many.
    painter.setPen(QPen(QColor(pointColour), 2 * radius, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoints(dots);
    painter.setPen(QPen(QColor(flaggedColour), 2));
    const QRectF& area = frame.area();
    for (const auto& [point, position] : flagged) {
        painter.drawEllipse(point, 1.8 * radius, 1.8 * radius);
        if (flagged.size() > mostNumbered) {
            continue;
        }
        // Right of the ring and above its middle, unless that leaves the area.
        const QString number = QString::number(position);
        const double width = metrics.horizontalAdvance(number);
        const double gap = 2 * radius + 2;
        QPointF at = point + QPointF(gap, -radius);
        if (at.x() + width > area.right()) {
            at.setX(point.x() - gap - width);
        }
        if (at.y() - metrics.ascent() < area.top()) {
            at.setY(point.y() + radius + metrics.ascent());
        }
        painter.drawText(at, number);
    }
}

void drawLine(QPainter& painter, const PlotFrame& frame, const Fit& fit) {
    const double left = frame.xAxis().low;
    const double right = frame.xAxis().high;
    painter.setPen(QPen(QColor(lineColour), 1.5));
    painter.drawLine(frame.at(left, fit.a + fit.b * left), frame.at(right, fit.a + fit.b * right));
}

void drawZero(QPainter& painter, const PlotFrame& frame) {
    const double zero = frame.yOf(0);
    painter.setPen(QPen(QColor(zeroColour), 1, Qt::DashLine));
    painter.drawLine(QPointF(frame.area().left(), zero), QPointF(frame.area().right(), zero));
}

// Both panels' areas start at one left edge, whichever has the wider labels, so that their x
// axes are the same.
std::pair<PlotFrame, PlotFrame> panels(const QRectF& area, const QFontMetricsF& metrics,
                                       const Fit& fit) {
    const AxisExtent x = xExtent(fit);
    FrameRoom upperRoom{.left = metrics.height() + 2, .xLabels = false};
    FrameRoom lowerRoom{.linesBelow = 1, .left = metrics.height() + 2};
    // The share is of the height left for plotting, the x axis's labels and name set aside.
    const QRectF whole = PlotFrame(area, metrics, x, residualExtent(fit), lowerRoom).area();
    const QRectF upperArea(area.left(), area.top(), area.width(),
                           whole.top() - area.top() + whole.height() * upperShare);
    const QRectF lowerArea(area.left(), upperArea.bottom(), area.width(),
                           area.height() - upperArea.height());
    const auto made = [&] {
        return std::pair{PlotFrame(upperArea, metrics, x, yExtent(fit), upperRoom),
                         PlotFrame(lowerArea, metrics, x, residualExtent(fit), lowerRoom)};
    };
    const auto [upper, lower] = made();
    const double shift = upper.area().left() - lower.area().left();
    (shift > 0 ? lowerRoom : upperRoom).left += std::abs(shift);
    return made();
}

} // namespace

void paintFitPlot(QPainter& painter, const QRectF& area, const Fit& fit) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font());
    const auto [upper, lower] = panels(area, metrics, fit);
    const auto drawPanel = [&](const PlotFrame& frame, const std::vector<double>& values,
                               const std::function<void()>& under) {
        painter.fillRect(frame.area(), Qt::white);
        painter.setClipRect(frame.area());
        under();
        drawPoints(painter, frame, fit, values);
        painter.setClipping(false);
        painter.setPen(QPen(QColor(pointColour), 1));
        frame.drawAxes(painter);
    };
    drawPanel(upper, fit.Y, [&] { drawLine(painter, upper, fit); });
    drawPanel(lower, fit.residuals, [&] { drawZero(painter, lower); });

    nameUpwards(painter, area, upper.area(), named(fit.yName(), yUnit(fit)));
    nameUpwards(painter, area, lower.area(), named("v", yUnit(fit)));
    const QString caption =
        named(fit.xName(), fitting::transformedUnit(fit.settings.xTransform, fit.x.unit));
    painter.drawText(QPointF(lower.area().center().x() - metrics.horizontalAdvance(caption) / 2,
                             lower.belowLabels() + metrics.ascent()),
                     caption);
    painter.restore();
}

FitPlot::FitPlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName("拟合图");
    // Small enough to stand under the table in a narrow window.
    setMinimumSize(240, 180);
}

void FitPlot::showFit(std::shared_ptr<const fitting::Fit> fit) {
    fit_ = std::move(fit);
    setAccessibleDescription(fit_ ? fromUtf8(fitting::plotDescription(*fit_)) : QString());
    update();
}

void FitPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (fit_) {
        paintFitPlot(painter, QRectF(rect()), *fit_);
    }
}

} // namespace tavrello
