// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tavrello {

namespace {

[[noreturn]] void reject(AnalysisError::Problem problem, const std::string& message) {
    throw AnalysisError(problem, message);
}

void checkSettings(const Settings& settings) {
    if (settings.alpha != 0.05 && settings.alpha != 0.01) {
        reject(AnalysisError::Problem::BadSetting, "alpha must be 0.05 or 0.01");
    }
    if (settings.digits != 1 && settings.digits != 2) {
        reject(AnalysisError::Problem::BadSetting, "U is given to 1 or 2 significant digits");
    }
    if (settings.instrumentError &&
        !(*settings.instrumentError >= 0 && *settings.instrumentError <= largestMagnitude)) {
        reject(AnalysisError::Problem::BadSetting,
               "the instrument's allowance must be a finite value >= 0");
    }
}

std::vector<Reading> checkedSeries(std::span<const Reading> series) {
    if (series.size() < 2) {
        reject(AnalysisError::Problem::TooFewValues, "a series needs at least 2 values");
    }
    std::vector<Reading> readings(series.begin(), series.end());
    std::sort(readings.begin(), readings.end(),
              [](const Reading& a, const Reading& b) { return a.position < b.position; });
    for (std::size_t index = 0; index < readings.size(); ++index) {
        const Reading& reading = readings[index];
        const std::string where = "value at position " + std::to_string(reading.position);
        if (reading.position < 1 ||
            (index > 0 && readings[index - 1].position == reading.position)) {
            reject(AnalysisError::Problem::BadPosition,
                   "positions must be distinct and start from 1: " + where);
        }
        if (!std::isfinite(reading.value)) {
            reject(AnalysisError::Problem::ValueNotFinite, where + " is not a finite number");
        }
        if (!isAnalysableValue(reading.value)) {
            reject(AnalysisError::Problem::ValueOutOfRange, where + " is beyond 1e±100");
        }
    }
    return readings;
}

std::vector<double> valuesOf(const std::vector<Reading>& readings) {
    std::vector<double> values;
    values.reserve(readings.size());
    for (const Reading& reading : readings) {
        values.push_back(reading.value);
    }
    return values;
}

} // namespace

const CriterionOutcome& Analysis::outcome(Criterion criterion) const {
    return criteria[static_cast<std::size_t>(criterion)];
}

Analysis analyse(std::span<const Reading> series, const Settings& settings) {
    checkSettings(settings);
    Analysis analysis;
    analysis.settings = settings;
    analysis.readings = checkedSeries(series);
    const std::vector<double> values = valuesOf(analysis.readings);
    const Summary summary = summarise(values);
    analysis.n = summary.n;
    analysis.mean = summary.mean;
    analysis.s = summary.s;
    analysis.sMean = summary.sMean;
    analysis.residuals = residuals(values, summary.mean);

    const OrderedSeries ordered(analysis.readings);
    for (const Criterion criterion : allCriteria) {
        analysis.criteria[static_cast<std::size_t>(criterion)] =
            applyCriterion(ordered, criterion, settings.alpha);
    }
    const std::vector<double> kept = valuesOf(analysis.chosen().kept);
    analysis.systematic = checkSystematic(kept);
    analysis.result =
        uncertaintyResult(kept, settings.instrumentError, settings.confidence, settings.digits);
    return analysis;
}

} // namespace tavrello
