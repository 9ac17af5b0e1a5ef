// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/plotting/axis_ticks.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tavrello {

// The data's extent along one axis and how its ticks are chosen; mostTicks is a wish, lowered
// where the labels need more room.
struct AxisExtent {
    double low = 0;
    double high = 1;
    AxisOptions options;
};

// What a figure keeps beside its plotting area beyond the axes' labels.
struct FrameRoom {
    // Right of the area, in points: names of lines, say.
    double right = 0;
    // Lines of text below the x axis's labels: a caption, say.
    int linesBelow = 0;
    // Left of the y axis's labels, in points: a name written upwards, or what lines the area up
    // with that of another plot.
    double left = 0;
    // Without them the x axis keeps its ticks, and shares its labels with a plot under it.
    bool xLabels = true;
};

// A plotting area in a figure with both axes fitted to it: ticks no closer than their labels
// need, room for the labels and for what they share. Maps data to points and draws the frame
// with its ticks and labels, in the font of the metrics and the painter's pen.
class PlotFrame {
  public:
    PlotFrame(const QRectF& figure, const QFontMetricsF& metrics, const AxisExtent& x,
              const AxisExtent& y, const FrameRoom& room = {});

    QPointF at(double x, double y) const { return {xOf(x), yOf(y)}; }
    double xOf(double x) const;
    double yOf(double y) const;
    const QRectF& area() const { return area_; }
    const Axis& xAxis() const { return x_; }
    const Axis& yAxis() const { return y_; }
    // The top of the first line below the x axis's labels.
    double belowLabels() const;

    void drawAxes(QPainter& painter) const;

  private:
    QFontMetricsF metrics_;
    bool xLabels_;
    QRectF area_;
    Axis x_;
    Axis y_;
};

} // namespace tavrello
