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

std::vector<Reading> checkedSeries(std::span<const Reading> series) {
    if (series.size() < 2) {
        reject(AnalysisError::Problem::TooFewValues,
               "至少需要 2 个数据，只有 " + std::to_string(series.size()) + " 个。");
    }
    std::vector<Reading> readings(series.begin(), series.end());
    std::sort(readings.begin(), readings.end(),
              [](const Reading& a, const Reading& b) { return a.position < b.position; });
    for (std::size_t index = 0; index < readings.size(); ++index) {
        const Reading& reading = readings[index];
        const std::string where = "第 " + std::to_string(reading.position) + " 个数据";
        if (reading.position < 1 ||
            (index > 0 && readings[index - 1].position == reading.position)) {
            reject(AnalysisError::Problem::BadPosition,
                   "数据的序号应从 1 起且互不相同：" + where + "的序号重复或小于 1。");
        }
        if (!std::isfinite(reading.value)) {
            reject(AnalysisError::Problem::ValueNotFinite, where + "不是有限的数。");
        }
        if (!isAnalysableValue(reading.value)) {
            reject(AnalysisError::Problem::ValueOutOfRange,
                   where + "超出了分析的范围（绝对值 1e-100 到 1e100）。");
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
        uncertaintyResult(kept, settings.instrumentError, settings.confidence,
                          {symbolFromText(settings.symbol), unitFromText(settings.unit),
                           settings.digits, settings.coverage, settings.rounding});
    return analysis;
}

} // namespace tavrello
