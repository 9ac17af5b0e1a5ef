// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"

#include <QPainter>
#include <QWidget>
#include <optional>

namespace tavrello {

// Draws the series by box number into the area, in the painter's font: the kept values as dots,
// the removed ones as crosses with their box numbers, and over the kept values the mean, the
// band x̄ ± s and dashed lines at x̄ ± 3s; both axes with ticks and numbers. Drawn as vectors,
// so it stays sharp on any screen, in a PDF and in a picture of any scale.
void paintSeriesPlot(QPainter& painter, const QRectF& area, const Analysis& analysis);

// The plot in the analysis window; empty until it has a series.
class SeriesPlot : public QWidget {
  public:
    explicit SeriesPlot(QWidget* parent);

    void showAnalysis(const std::optional<Analysis>& analysis);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<Analysis> analysis_;
};

} // namespace tavrello
