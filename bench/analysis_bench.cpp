// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The statistics core on its own, no window: the whole analysis (four criteria, the systematic
// checks, the result and its line) of 20 values, many times, and of 100,000 values, normal and
// heavy-tailed (Cauchy, where every criterion removes thousands of values); and the two reports
// of the 100,000 normal values. Prints a Markdown table: median and 90th percentile, and how
// many values each criterion removed.
#include "analysis/analysis.h"
#include "analysis/json_report.h"
#include "analysis/report.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

using namespace tavrello;

namespace {

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

template <typename Work> std::vector<double> timed(int runs, Work work) {
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return seconds;
}

template <typename Distribution> std::vector<Reading> series(std::size_t count, Distribution draw) {
    std::mt19937_64 generator(20260101);
    std::vector<Reading> readings;
    for (std::size_t i = 0; i < count; ++i) {
        readings.push_back({static_cast<int>(i + 1), 10 + draw(generator)});
    }
    return readings;
}

std::string removedCounts(const Analysis& analysis) {
    std::string counts;
    for (const CriterionOutcome& outcome : analysis.criteria) {
        counts += (counts.empty() ? "" : ", ") + std::string(criterionKey(outcome.criterion)) +
                  " " + std::to_string(outcome.removed.size());
    }
    return counts;
}

void row(const char* what, const std::vector<double>& seconds, double unit, const char* unitName,
         const std::string& removed) {
    std::printf("| %s | %zu | %.3f %s | %.3f %s | %s |\n", what, seconds.size(),
                percentile(seconds, 0.5) / unit, unitName, percentile(seconds, 0.9) / unit,
                unitName, removed.c_str());
}

} // namespace

int main() {
    std::printf("| work | runs | median | 90th percentile | values removed |\n");
    std::printf("|---|---:|---:|---:|---|\n");

    std::normal_distribution<double> normal(0, 0.1);
    const std::vector<Reading> twenty = series(20, normal);
    const Analysis small = analyse(twenty);
    timed(200, [&] { analyse(twenty); });
    row("analysis, 20 normal values", timed(5000, [&] { analyse(twenty); }), 1e-6, "µs",
        removedCounts(small));

    const std::vector<Reading> large = series(100000, normal);
    const Analysis normalAnalysis = analyse(large);
    row("analysis, 100,000 normal values", timed(7, [&] { analyse(large); }), 1e-3, "ms",
        removedCounts(normalAnalysis));

    std::uniform_real_distribution<double> uniform(0, 1);
    const std::vector<Reading> cauchy = series(100000, [&uniform](std::mt19937_64& generator) {
        return 0.1 * std::tan(std::numbers::pi * (uniform(generator) - 0.5));
    });
    const Analysis cauchyAnalysis = analyse(cauchy);
    row("analysis, 100,000 Cauchy values", timed(7, [&] { analyse(cauchy); }), 1e-3, "ms",
        removedCounts(cauchyAnalysis));

    row("JSON report, 100,000 normal values", timed(7, [&] { jsonReport(normalAnalysis); }), 1e-3,
        "ms", "");
    row("text report, 100,000 normal values", timed(7, [&] { textReport(normalAnalysis); }), 1e-3,
        "ms", "");
    return 0;
}
