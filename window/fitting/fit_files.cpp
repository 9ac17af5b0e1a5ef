// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fitting/fit_files.h"

#include "fitting/fit_report.h"
#include "window/fitting/fit_plot.h"

namespace tavrello {

namespace {

// Taller than the series plot's: the residuals stand under the points.
constexpr QSize plotPictureSize(640, 480);

FigurePainter plotOf(const fitting::Fit& fit) {
    return [&fit](QPainter& painter, const QRectF& area) { paintFitPlot(painter, area, fit); };
}

} // namespace

void copyFitReport(const fitting::Fit& fit) {
    copyReport(fitting::fitReport(fit));
}

QString writeFitPdf(const fitting::Fit& fit, const QString& file, const QFont& font) {
    return writeReportPdf(fitting::fitReport(fit), plotOf(fit), file, font);
}

QString writeFitPng(const fitting::Fit& fit, const QString& file, const QFont& font) {
    return writeFigurePng(plotOf(fit), plotPictureSize, file, font);
}

} // namespace tavrello
