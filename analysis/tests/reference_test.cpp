// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"
#include "analysis/critical_values.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tavrello {
namespace {

// One row of a reference table, by column name.
using Row = std::map<std::string, std::string>;

std::vector<Row> readTable(const std::string& name) {
    std::ifstream file(std::string(TAVRELLO_REFERENCE_DIR) + "/" + name);
    std::vector<std::string> header;
    std::vector<Row> rows;
    for (std::string line; std::getline(file, line);) {
        std::vector<std::string> cells;
        // The added tab ends the last cell, even an empty one.
        std::istringstream stream(line + '\t');
        for (std::string cell; std::getline(stream, cell, '\t');) {
            cells.push_back(cell);
        }
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size(); ++i) {
            row[header[i]] = i < cells.size() ? cells[i] : "";
        }
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

double number(const std::string& text) {
    return std::stod(text);
}

// Within half a unit of the published value's last decimal (and the rounding of the 8-decimal
// columns); for Grubbs, of the interval from the exact value's lower bound to the closed form.
void expectPublishedAgrees(const Row& row, double low, double high, const std::string& where) {
    const std::string& published = row.at("published");
    const std::size_t point = published.find('.');
    const std::size_t decimals = point == std::string::npos ? 0 : published.size() - point - 1;
    const double halfUnit = 0.5 * std::pow(10.0, -static_cast<double>(decimals));
    const double distance = std::max({low - number(published), number(published) - high, 0.0});
    EXPECT_LE(distance, halfUnit + 1e-8) << where << " published " << published;
}

// The two-sided tail (1 - P)/2 of a probability as the tables write it: "0.95" or
// "erf(2/sqrt2)", the fraction within 2 σ of a normal law.
double tailOf(const std::string& probability) {
    if (probability.starts_with("erf(")) {
        return std::erfc(number(probability.substr(4, 1)) / std::sqrt(2.0)) / 2;
    }
    return (1 - number(probability)) / 2;
}

TEST(CriticalValues, AgreeWithTheClosedFormsAndThePublishedTables) {
    const auto check = [](const std::string& table, auto critical) {
        for (const Row& row : readTable(table)) {
            const double ours = critical(row);
            const std::string where = table + " n=" + row.at("n");
            EXPECT_NEAR(ours, number(row.at("computed_8dp")), 1e-6) << where;
            if (row.at("verdict") == "ok") {
                const bool grubbs = row.contains("exact_low_8dp");
                expectPublishedAgrees(row, grubbs ? number(row.at("exact_low_8dp")) : ours, ours,
                                      where);
            }
        }
    };
    check("grubbs.tsv", [](const Row& row) {
        return grubbsCritical(std::stoul(row.at("n")), number(row.at("alpha")));
    });
    check("romanovsky.tsv", [](const Row& row) {
        return romanovskyCritical(std::stoul(row.at("n")), number(row.at("alpha")));
    });
    check("chauvenet.tsv",
          [](const Row& row) { return chauvenetCritical(std::stoul(row.at("n"))); });

    for (const Row& row : readTable("t_factors.tsv")) {
        const std::string where = "t nu=" + row.at("nu") + " P=" + row.at("P");
        const DegreesOfFreedom nu =
            row.at("nu") == "inf" ? DegreesOfFreedom() : std::stoll(row.at("nu"));
        EXPECT_NEAR(upperQuantile(nu, tailOf(row.at("P"))), number(row.at("computed_8dp")), 1e-6)
            << where;
        const std::string& sourceP = row.at("source_P");
        if (sourceP.empty()) {
            continue;
        }
        const double atSource = upperQuantile(nu, tailOf(sourceP));
        EXPECT_NEAR(atSource, number(row.at("computed_at_source_P_8dp")), 1e-6) << where;
        if (row.at("verdict") == "ok") {
            expectPublishedAgrees(row, atSource, atSource, where);
        }
        // Where the source's P is one of ours (not a rounded label of it), the coverage factor
        // is the same number.
        for (const Confidence level :
             {Confidence::Sigma1, Confidence::P95, Confidence::P99, Confidence::Sigma3}) {
            if (std::abs(confidenceTail(level) - tailOf(sourceP)) < 1e-15) {
                EXPECT_NEAR(coverageFactor(level, nu), atSource, 1e-9) << where;
            }
        }
    }
    EXPECT_EQ(coverageFactor(Confidence::Sigma1, std::nullopt), 1.0);
    EXPECT_EQ(coverageFactor(Confidence::Sigma3, std::nullopt), 3.0);
}

std::map<std::string, std::vector<double>> exampleSeries() {
    std::map<std::string, std::vector<double>> series;
    for (const Row& row : readTable("example_series.tsv")) {
        std::istringstream data(row.at("data"));
        for (std::string value; std::getline(data, value, ',');) {
            series[row.at("example_id")].push_back(number(value));
        }
    }
    return series;
}

TEST(WorkedExamples, GiveThePublishedRoundsOneByOne) {
    const std::map<std::string, std::vector<double>> series = exampleSeries();
    const std::map<std::string, Criterion> criteria = {{"Grubbs", Criterion::Grubbs},
                                                       {"Romanovsky", Criterion::Romanovsky},
                                                       {"Chauvenet", Criterion::Chauvenet}};
    for (const Row& row : readTable("examples.tsv")) {
        const std::string where = row.at("example_id") + " " + row.at("criterion") + " " +
                                  row.at("alpha") + " round " + row.at("round");
        const std::vector<double>& values = series.at(row.at("example_id"));
        std::vector<Reading> readings;
        for (std::size_t i = 0; i < values.size(); ++i) {
            readings.push_back({static_cast<int>(i + 1), values[i]});
        }
        Settings settings;
        settings.alpha = row.at("alpha").empty() ? 0.05 : number(row.at("alpha"));
        const Analysis analysis = analyse(readings, settings);
        const CriterionOutcome& outcome = analysis.outcome(criteria.at(row.at("criterion")));
        const std::size_t round = std::stoul(row.at("round"));
        ASSERT_GE(outcome.rounds.size(), round) << where;
        const Round& ours = outcome.rounds[round - 1];
        EXPECT_EQ(ours.n, std::stoul(row.at("n"))) << where;
        EXPECT_NEAR(ours.critical, number(row.at("critical_computed")), 1e-6) << where;
        EXPECT_NEAR(ours.statistic, number(row.at("statistic")), 1e-6) << where;
        EXPECT_EQ(ours.removed, row.at("verdict") == "outlier") << where;
        // Romanovsky's rows give x̄' and s' of the other values; ours are of all n.
        if (row.at("criterion") != "Romanovsky") {
            EXPECT_NEAR(ours.mean, number(row.at("mean")), 1e-6) << where;
            EXPECT_NEAR(ours.s, number(row.at("s")), 1e-6) << where;
        }
        if (!row.at("note").starts_with("tie")) {
            EXPECT_EQ(ours.value, number(row.at("suspect"))) << where;
            continue;
        }
        // Two values equally far from the mean: the lower position is tested, as far as the
        // published one.
        const auto published = std::find(values.begin(), values.end(), number(row.at("suspect")));
        EXPECT_LT(ours.position, published - values.begin() + 1) << where;
        EXPECT_NEAR(std::abs(ours.value - ours.mean), std::abs(*published - ours.mean), 1e-12)
            << where;
    }
}

} // namespace
} // namespace tavrello
