// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"
#include "analysis/tests/numbered_readings.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <set>
#include <tuple>
#include <vector>

namespace tavrello {
namespace {

// 0, 0.1, ..., 0.4 repeated, with the given values put in at the given positions.
std::vector<Reading> withOutliers(std::vector<std::pair<int, double>> outliers) {
    std::vector<Reading> readings;
    for (int position = 1; position <= 20; ++position) {
        readings.push_back({position, 0.1 * (position % 5)});
    }
    for (const auto& [position, value] : outliers) {
        readings[static_cast<std::size_t>(position - 1)].value = value;
    }
    return readings;
}

TEST(Criteria, HandleEqualValuesTiesAndShortSeries) {
    constexpr double infinite = std::numeric_limits<double>::infinity();
    // The largest |v|/s five values can have: one apart from four equal ones.
    const double apart = 4 / std::sqrt(5.0);
    const std::vector<Reading> equal = numbered({7, 7, 7, 7, 7});
    const std::vector<Reading> oneApart = numbered({5, 5, 5, 5, 9});
    const std::vector<Reading> sparse = {{40, 9}, {7, 5}, {300, 5}, {12, 5}, {2, 5}};
    using C = Criterion;
    struct Row {
        const char* name;
        std::vector<Reading> series;
        Criterion criterion;
        std::vector<int> removed;
        std::size_t rounds;
        int firstPosition;
        double firstStatistic;
    };
    const Row rows[] = {
        {"all equal", equal, C::Grubbs, {}, 1, 1, 0},
        {"all equal", equal, C::Romanovsky, {}, 1, 1, 0},
        {"all equal", equal, C::Chauvenet, {}, 1, 1, 0},
        // The others all equal: s' = 0 and the value differs, then the rest are all equal.
        {"s' = 0", oneApart, C::Romanovsky, {5}, 2, 5, infinite},
        {"s' = 0", oneApart, C::Grubbs, {5}, 2, 5, apart},
        {"s' = 0", oneApart, C::Chauvenet, {5}, 2, 5, apart},
        {"n <= 10", oneApart, C::Pauta, {}, 1, 5, apart},
        {"two values", numbered({1, 2}), C::Grubbs, {}, 0, 0, 0},
        {"two values", numbered({1, 2}), C::Pauta, {}, 0, 0, 0},
        {"three values", numbered({1, 2, 10}), C::Romanovsky, {}, 0, 0, 0},
        {"three values", numbered({1, 2, 10}), C::Grubbs, {}, 1, 3, 1.1487535},
        // Equal |v| at both ends: the lower position is tested.
        {"tie", {{1, 3}, {2, 2}, {3, 1}}, C::Grubbs, {}, 1, 1, 1},
        {"tie", {{1, 1}, {2, 2}, {3, 3}}, C::Grubbs, {}, 1, 1, 1},
        // Equal values at either end go by position, whatever order the series comes in.
        {"top run", withOutliers({{12, 10}, {4, 10}}), C::Grubbs, {4, 12}, 3, 4, -1},
        {"bottom run", withOutliers({{15, -10}, {3, -10}}), C::Chauvenet, {3, 15}, 3, 3, -1},
        {"sparse positions", sparse, C::Grubbs, {40}, 2, 40, apart},
    };
    for (const Row& row : rows) {
        const std::string where =
            std::string(row.name) + " " + std::string(criterionKey(row.criterion));
        const Analysis analysis = analyse(row.series);
        const CriterionOutcome& outcome = analysis.outcome(row.criterion);
        EXPECT_EQ(outcome.removed, row.removed) << where;
        EXPECT_EQ(outcome.tooFew, row.rounds == 0) << where;
        EXPECT_EQ(outcome.kept.size() + outcome.removed.size(), row.series.size()) << where;
        ASSERT_EQ(outcome.rounds.size(), row.rounds) << where;
        if (row.rounds == 0) {
            continue;
        }
        EXPECT_EQ(outcome.rounds[0].position, row.firstPosition) << where;
        if (std::isinf(row.firstStatistic)) {
            EXPECT_EQ(outcome.rounds[0].statistic, row.firstStatistic) << where;
        } else if (row.firstStatistic >= 0) {
            EXPECT_NEAR(outcome.rounds[0].statistic, row.firstStatistic, 1e-6) << where;
        }
    }
}

// A heavy-tailed series far from 0: Cauchy values from a fixed linear congruential sequence
// and one value 10⁴ times farther out than the rest, so that the criteria remove many values
// and the mean moves far, measured in the s of what is left.
std::vector<Reading> heavyTailed(std::size_t count) {
    std::vector<Reading> readings = {{1, 1e10}};
    std::uint64_t state = 12345;
    for (std::size_t i = 1; i < count; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double uniform = (static_cast<double>(state >> 11) + 0.5) / 9007199254740992.0;
        readings.push_back(
            {static_cast<int>(i + 1), 1e6 + std::tan(std::numbers::pi * (uniform - 0.5))});
    }
    return readings;
}

TEST(Criteria, RoundStatisticsMatchAFreshComputation) {
    const std::vector<Reading> series = heavyTailed(3000);
    const Analysis analysis = analyse(series);
    for (const CriterionOutcome& outcome : analysis.criteria) {
        const std::string where(criterionKey(outcome.criterion));
        EXPECT_GT(outcome.removed.size(), 10u) << where;
        std::set<int> removed;
        for (const Round& round : outcome.rounds) {
            std::vector<double> kept;
            std::vector<double> others;
            for (const Reading& reading : series) {
                if (!removed.contains(reading.position)) {
                    kept.push_back(reading.value);
                    if (reading.position != round.position) {
                        others.push_back(reading.value);
                    }
                }
            }
            const Summary fresh = summarise(kept);
            ASSERT_EQ(round.n, fresh.n) << where;
            EXPECT_NEAR(round.mean, fresh.mean, 1e-12 * (std::abs(fresh.mean) + fresh.s)) << where;
            EXPECT_NEAR(round.s, fresh.s, 1e-12 * fresh.s) << where;
            const Summary other = summarise(others);
            const double statistic = outcome.criterion == Criterion::Romanovsky
                                         ? std::abs(round.value - other.mean) / other.s
                                         : std::abs(round.value - fresh.mean) / fresh.s;
            EXPECT_NEAR(round.statistic, statistic, 1e-11 * statistic) << where;
            removed.insert(round.position);
        }
    }
}

TEST(Analyse, RejectsWhatItCannotAnalyse) {
    using Problem = AnalysisError::Problem;
    const std::vector<Reading> fine = numbered({1, 2, 3});
    const auto settings = [](double alpha, int digits, std::optional<double> allowance) {
        Settings chosen;
        chosen.alpha = alpha;
        chosen.digits = digits;
        chosen.instrumentError = allowance;
        return chosen;
    };
    const std::tuple<const char*, std::vector<Reading>, Settings, Problem> rows[] = {
        {"one value", numbered({1}), {}, Problem::TooFewValues},
        {"NaN", numbered({1, std::nan("")}), {}, Problem::ValueNotFinite},
        {"infinite", numbered({1, HUGE_VAL}), {}, Problem::ValueNotFinite},
        {"too large", numbered({1, 2e100}), {}, Problem::ValueOutOfRange},
        {"too small", numbered({1, -1e-101}), {}, Problem::ValueOutOfRange},
        {"position 0", {{0, 1}, {1, 2}}, {}, Problem::BadPosition},
        {"same position", {{2, 1}, {1, 2}, {2, 3}}, {}, Problem::BadPosition},
        {"alpha", fine, settings(0.1, 2, {}), Problem::BadSetting},
        {"digits", fine, settings(0.05, 3, {}), Problem::BadSetting},
        {"allowance", fine, settings(0.05, 2, -1), Problem::BadSetting},
        {"allowance", fine, settings(0.05, 2, std::nan("")), Problem::BadSetting},
    };
    for (const auto& [name, series, settings, problem] : rows) {
        try {
            analyse(series, settings);
            ADD_FAILURE() << name << ": accepted";
        } catch (const AnalysisError& error) {
            EXPECT_EQ(error.problem(), problem) << name;
        }
    }
    EXPECT_NO_THROW(analyse(numbered({0, 1e-100, -1e100})));
}

} // namespace
} // namespace tavrello
