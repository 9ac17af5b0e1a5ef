// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"

#include <QPainter>
#include <QWidget>
#include <memory>

namespace tavrello {

// Draws the fit into the area, in the painter's font: the points as fitted (x and y
// transformed) with error bars ±u where u(y) is given, and the fitted line; under it the
// residuals v_i on the same x axis. Flagged points are red rings with their numbers. The axes
// carry the quantities' names and units. Drawn as vectors, for the screen, a PDF and a picture.
void paintFitPlot(QPainter& painter, const QRectF& area, const fitting::Fit& fit);

// The plot in the line-fit window; empty until there is a fit.
class FitPlot : public QWidget {
  public:
    explicit FitPlot(QWidget* parent);

    void showFit(std::shared_ptr<const fitting::Fit> fit);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::shared_ptr<const fitting::Fit> fit_;
};

} // namespace tavrello
