// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"

#include <QPainter>
#include <QWidget>
#include <optional>

namespace tavrello {

// What the histogram draws: the Monte Carlo draws of y and the law the GUM gives y.
struct HistogramData {
    propagation::MonteCarloResult monteCarlo;
    std::string symbol;
    std::string unit;
};

// The histogram of the draws into the area, in the painter's font: the bins as bars, the GUM's t
// (or normal) law for y as a curve over them, the shortest coverage interval as dashed lines, a
// legend and both axes. Drawn as vectors, for the window, the PDF and a picture alike.
void paintHistogram(QPainter& painter, const QRectF& area, const HistogramData& data);

// The histogram in the window; without draws, a line that says why there are none.
class HistogramPlot : public QWidget {
  public:
    explicit HistogramPlot(QWidget* parent);

    // The draws and what the plot tells a screen reader of them.
    void showDraws(HistogramData data, const QString& description);
    // No draws, and why: "正在抽样…".
    void showNone(const QString& why);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<HistogramData> data_;
    QString why_;
};

} // namespace tavrello
