// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"
#include "window/propagation/histogram_plot.h"

#include <QFont>
#include <QString>
#include <optional>

namespace tavrello {

// The indirect measurement's report and histogram as the window and the command line write
// them: the core's report with the histogram as its figure, and the task as a file.

// The histogram's data, where the Monte Carlo method has run.
std::optional<HistogramData> histogramOf(const propagation::Propagation& propagation);

void copyPropagationReport(const propagation::Propagation& propagation);

// The report on A4 (see writeReportPdf); the error in words, empty when the file was written.
QString writePropagationPdf(const propagation::Propagation& propagation, const QString& file,
                            const QFont& font);

// The histogram as a PNG picture drawn at twice its size; refused without draws.
QString writePropagationPng(const propagation::Propagation& propagation, const QString& file,
                            const QFont& font);

// The task as a UTF-8 text file, whole or not at all; the error in words, empty when written.
QString writeTaskFile(const propagation::Task& task, const QString& file);

} // namespace tavrello
