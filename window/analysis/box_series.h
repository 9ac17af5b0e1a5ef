// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/statistics.h"
#include "engine/calculation.h"
#include "window/form_controls.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavrello {

// The series of the boxes in use, 1 to n with n from the count selector, as the analysis reads
// it; or, when it cannot be read, what is missing, in words that name the boxes.
struct BoxSeries {
    // With the boxes' texts as typed, trimmed.
    std::vector<Reading> readings;
    // Empty when the series can be analysed.
    QString problem;
};

BoxSeries readBoxSeries(const FormControls& controls, const CalculationState& state);

} // namespace tavrello
