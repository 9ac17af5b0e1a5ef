// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace tavrello {

// The words of the analysis as the window and the reports show them, taken from the analysis
// core so that the command line says the same.
QString fromUtf8(const std::string& text);

// "第1轮剔除" in the round the criterion removes the value at the position, else "保留".
QString criterionCell(const CriterionOutcome& outcome, int position);
// The statistic and the critical value of the round that tested the value, if one did.
QString criterionCellDetail(const CriterionOutcome& outcome, int position);

// The columns of the table: 序号, x_i, v_i, v_i² and one per criterion, named short.
QStringList reportColumns();
// One row per reading, the cells as the table shows them.
QList<QStringList> reportRows(const Analysis& analysis);

// The sentences under the table: the chosen criterion's verdict, the three checks for a
// systematic error and the uncertainty budget.
QStringList reportSentences(const Analysis& analysis);

// The whole report as HTML, for a word processor.
QString reportHtml(const Analysis& analysis);

// Puts the report on the clipboard, as text and as HTML.
void copyReport(const Analysis& analysis);

// One A4 page: title, date, table, plot, checks and result. The error is in words, empty when
// the file was written.
QString writeReportPdf(const Analysis& analysis, const QString& file, const QFont& font);

// The plot as a PNG picture drawn at twice its size.
QString writePlotPng(const Analysis& analysis, const QString& file, const QFont& font);

} // namespace tavrello
