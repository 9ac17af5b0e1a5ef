// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"
#include "analysis/gross_errors.h"
#include "analysis/settings.h"
#include "analysis/statistics.h"
#include "analysis/systematic_checks.h"
#include "analysis/uncertainty.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace tavrello {

struct Analysis {
    Settings settings;
    // The series in position order, and its statistics over all values.
    std::vector<Reading> readings;
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
    double sMean = 0;
    std::vector<double> residuals;
    // Each criterion over the whole series, in the order of allCriteria.
    std::array<CriterionOutcome, 4> criteria;
    // Over the values the chosen criterion keeps, in position order.
    SystematicChecks systematic;
    UncertaintyResult result;

    const CriterionOutcome& outcome(Criterion criterion) const;
    const CriterionOutcome& chosen() const { return outcome(settings.criterion); }
};

// Everything about a series of at least two finite values (see isAnalysableValue) with
// distinct positions from 1. Throws AnalysisError for anything else, and for settings outside
// their ranges.
Analysis analyse(std::span<const Reading> series, const Settings& settings = {});

} // namespace tavrello
