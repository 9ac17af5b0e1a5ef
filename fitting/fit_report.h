// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"
#include "report/document.h"

#include <optional>
#include <string>

namespace tavrello::fitting {

// The fit in Chinese words, as a textbook's worked solution: the window, the command line and
// the clipboard all write out this one document. Values are written as typed; other numbers have
// six significant digits.

// 序号, x and y as typed, u(y) where given, x and y as fitted where transformed, the fitted
// value, v_i and the standardised residual; flagged points emphasised.
report::Table dataTable(const Fit& fit);

// The successive differences as the textbook lays them out: i, the two partners, δ_i.
std::optional<report::Table> differencesTable(const Fit& fit);

// The calculation, a step a line, with the numbers put in.
std::string workedSteps(const Fit& fit);

// What the plot shows, in words, for a screen reader.
std::string plotDescription(const Fit& fit);

// The settings, the tables, the figure, the steps, the caveats and the result lines.
report::Document fitReport(const Fit& fit);

} // namespace tavrello::fitting
