// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"
#include "window/reports/report_files.h"

#include <QFont>
#include <QString>

namespace tavrello {

// The fit's report and plot as the window and the command line write them: the report of the
// fitting core with the fit plot as its figure.

void copyFitReport(const fitting::Fit& fit);

// The report on A4 (see writeReportPdf); the error in words, empty when the file was written.
QString writeFitPdf(const fitting::Fit& fit, const QString& file, const QFont& font);

// The plot as a PNG picture drawn at twice its size.
QString writeFitPng(const fitting::Fit& fit, const QString& file, const QFont& font);

} // namespace tavrello
