// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"
#include "window/reports/report_files.h"

#include <QFont>
#include <QString>

namespace tavrello {

// The analysis's report and plot as the window and the command line write them: the report of
// the analysis core with the series plot as its figure.

void copyAnalysisReport(const Analysis& analysis);

// The report on A4 (see writeReportPdf); the error in words, empty when the file was written.
QString writeAnalysisPdf(const Analysis& analysis, const QString& file, const QFont& font);

// The plot as a PNG picture drawn at twice its size.
QString writeAnalysisPng(const Analysis& analysis, const QString& file, const QFont& font);

} // namespace tavrello
