// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/analysis_report.h"

#include "analysis/report.h"
#include "window/analysis/series_plot.h"

namespace tavrello {

namespace {

constexpr QSize plotPictureSize(640, 400);

FigurePainter plotOf(const Analysis& analysis) {
    return [&analysis](QPainter& painter, const QRectF& area) {
        paintSeriesPlot(painter, area, analysis);
    };
}

} // namespace

void copyAnalysisReport(const Analysis& analysis) {
    copyReport(analysisReport(analysis));
}

QString writeAnalysisPdf(const Analysis& analysis, const QString& file, const QFont& font) {
    return writeReportPdf(analysisReport(analysis), plotOf(analysis), file, font);
}

QString writeAnalysisPng(const Analysis& analysis, const QString& file, const QFont& font) {
    return writeFigurePng(plotOf(analysis), plotPictureSize, file, font);
}

} // namespace tavrello
