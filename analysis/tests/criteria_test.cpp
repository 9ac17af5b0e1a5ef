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
#include <string>
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

// Ten readings near 10 and 10.60, then what an instrument sends on overload.
std::vector<Reading> withOverload(double overload) {
    std::vector<Reading> readings =
        numbered({10.01, 10.02, 10.03, 10.02, 10.01, 10.03, 10.02, 10.01, 10.02, 10.60, overload});
    return readings;
}

// Every round's n, mean, s and statistic as a fresh two-pass computation over the values it kept
// gives them, however far a removed value lay from the rest: the running sums must never hand
// on a spread they have lost.
TEST(Criteria, RoundStatisticsMatchAFreshComputation) {
    std::vector<std::pair<std::string, std::vector<Reading>>> series = {
        {"heavy-tailed", heavyTailed(3000)}};
    for (const double overload : {7e26, 3e30, 5e34, 9.9e37, 2e38, 1e60}) {
        series.push_back({"overload " + std::to_string(overload), withOverload(overload)});
    }
    // A few huge values among the others, for Romanovsky's x̄′ and s′ without each.
    std::vector<Reading> fewHuge = withOverload(3e60);
    fewHuge.push_back({12, -2e59});
    fewHuge.push_back({13, 5e58});
    series.push_back({"a few huge", fewHuge});
    for (const auto& [name, readings] : series) {
        const Analysis analysis = analyse(readings);
        for (const CriterionOutcome& outcome : analysis.criteria) {
            const std::string where = name + " " + std::string(criterionKey(outcome.criterion));
            std::set<int> removed;
            for (const Round& round : outcome.rounds) {
                std::vector<double> kept;
                std::vector<double> others;
                for (const Reading& reading : readings) {
                    if (!removed.contains(reading.position)) {
                        kept.push_back(reading.value);
                        if (reading.position != round.position) {
                            others.push_back(reading.value);
                        }
                    }
                }
                const Summary fresh = summarise(kept);
                ASSERT_EQ(round.n, fresh.n) << where;
                EXPECT_NEAR(round.mean, fresh.mean, 1e-12 * (std::abs(fresh.mean) + fresh.s))
                    << where;
                EXPECT_NEAR(round.s, fresh.s, 1e-12 * fresh.s) << where;
                const Summary other = summarise(others);
                const double statistic = outcome.criterion == Criterion::Romanovsky
                                             ? std::abs(round.value - other.mean) / other.s
                                             : std::abs(round.value - fresh.mean) / fresh.s;
                if (std::isfinite(statistic)) {
                    EXPECT_NEAR(round.statistic, statistic, 1e-11 * statistic) << where;
                }
                removed.insert(round.position);
            }
        }
    }
    // After the overload, round 2 finds 10.60 and the result stands on the nine others.
    const Analysis overloaded = analyse(withOverload(9.9e37));
    EXPECT_EQ(overloaded.chosen().removed, std::vector<int>({11, 10}));
    EXPECT_TRUE(
        overloaded.result.text.starts_with("x = (10.0189 ± 0.0060), P = 95 %, k = 2.31, ν = 8"))
        << overloaded.result.text;
    EXPECT_GT(analyse(heavyTailed(3000)).chosen().removed.size(), 10u);
}

// A caveat where a criterion goes beyond its tables, or removes more than a tenth.
TEST(Criteria, WarnWhereTheirVerdictsNeedCare) {
    using W = CriterionWarning;
    const auto spread = [](std::size_t count) {
        std::vector<double> values;
        for (std::size_t i = 0; i < count; ++i) {
            values.push_back(static_cast<double>(i % 7));
        }
        return numbered(values);
    };
    const std::tuple<std::vector<Reading>, Criterion, std::vector<W>> rows[] = {
        {spread(10), Criterion::Pauta, {W::CannotRemove}},
        {spread(11), Criterion::Pauta, {}},
        {spread(30), Criterion::Romanovsky, {}},
        {spread(31), Criterion::Romanovsky, {W::BeyondTables}},
        {spread(100), Criterion::Grubbs, {}},
        {spread(101), Criterion::Grubbs, {W::BeyondTables}},
        {spread(1001), Criterion::Chauvenet, {W::BeyondTables}},
        {numbered({5, 5, 5, 5, 5, 5, 5, 5, 5, 9}), Criterion::Grubbs, {}},
        {numbered({5, 5, 5, 5, 5, 5, 5, 5, 9}), Criterion::Grubbs, {W::RemovesMuch}},
    };
    for (const auto& [series, criterion, warnings] : rows) {
        EXPECT_EQ(analyse(series).outcome(criterion).warnings, warnings)
            << series.size() << " " << criterionKey(criterion);
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

    // The allowance as typed, read by the one function the window and the command line share.
    const std::pair<const char*, const char*> allowances[] = {
        {"abc", "仪器允差 Δ_仪“abc”不是一个数。"},
        {"-0.1", "仪器允差 Δ_仪“-0.1”不能为负。"},
        {"1e-200",
         "仪器允差 Δ_仪“1e-200”超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间的数。"},
        {"1e400", "仪器允差 Δ_仪“1e400”超出了范围"},
    };
    for (const auto& [text, message] : allowances) {
        try {
            allowanceFromText(text);
            ADD_FAILURE() << text << ": accepted";
        } catch (const AnalysisError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(message)) << error.what();
        }
    }
    EXPECT_EQ(allowanceFromText(" 0.02 "), 0.02);
    EXPECT_EQ(allowanceFromText(" "), std::nullopt);
}

} // namespace
} // namespace tavrello
