// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"
#include "analysis/number_format.h"
#include "analysis/tests/numbered_readings.h"
#include "analysis/uncertainty.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tavrello {
namespace {

TEST(ResultLine, RoundsAsWrittenAndSharesOnePowerOfTen) {
    struct Row {
        double mean, U;
        int digits;
        const char* bracket;
    };
    const Row rows[] = {
        {10.2, 0.1963243161477561, 2, "(10.20 ± 0.20)"},
        {10.2, 0.1963243161477561, 1, "(10.2 ± 0.2)"},
        // Halves as written: 1.015 and 0.155 are stored a little below, yet go up to the even
        // digit; 3.445 and 0.125 go down to it.
        {1.015, 0.155, 2, "(1.02 ± 0.16)"},
        {3.445, 0.125, 2, "(3.44 ± 0.12)"},
        // Rounding up to a new digit keeps the number of significant digits.
        {5.04951, 0.0996, 2, "(5.05 ± 0.10)"},
        {12.5, 0.96, 1, "(12 ± 1)"},
        {-0.001, 0.2, 2, "(0.00 ± 0.20)"},
        // Six zeros are still written out, seven are not, on either side of the point.
        {1.23e-5, 1.2e-7, 2, "(0.00001230 ± 0.00000012)"},
        {1.23449e-6, 1.23e-9, 2, "(1.2345 ± 0.0012)×10⁻⁶"},
        {-1.23e-5, 1.2e-8, 2, "(-1.2300 ± 0.0012)×10⁻⁵"},
        {1.234e9, 4.5e7, 2, "(1234000000 ± 45000000)"},
        {1.234e9, 4.5e8, 2, "(1.23 ± 0.45)×10⁹"},
        // A mean that rounds to 0 takes U's power of ten.
        {1.2e3, 4.5e9, 2, "(0.0 ± 4.5)×10⁹"},
        {10.1, 0, 2, "(10.1 ± 0)"},
        {1.5e-9, 0, 2, "(1.5 ± 0)×10⁻⁹"},
    };
    for (const Row& row : rows) {
        const std::string line =
            resultLine({"x", "", row.mean, row.U, 2, 10, Confidence::P95, row.digits});
        EXPECT_TRUE(line.starts_with("x = " + std::string(row.bracket) +
                                     ", P = 95 %, k = 2.00, ν = 10, E = "))
            << line;
    }
    // k as written too: 2.675 goes up, 1.005 down; the unit follows the bracket, and a value of
    // 0 has no E.
    EXPECT_EQ(resultLine({"d", "mm", 120.411, 0.0241, 2.675, 7, Confidence::P99, 2}),
              "d = (120.411 ± 0.024) mm, P = 99 %, k = 2.68, ν = 7, E = 0.020 %");
    EXPECT_EQ(resultLine({"x", "", 0, 0.1, 1.005, std::nullopt, Confidence::Sigma3, 1}),
              "x = (0.0 ± 0.1), P = 99.73 %, k = 1.00, ν = ∞");

    // A fixed k states no P and no ν; rounding up (只进不舍) takes U up at any digit it drops,
    // while the value still rounds half to even.
    ResultStatement fixed{"x", "",           10.2,        0.1403, 2, 4, Confidence::P95,
                          2,   Coverage::K2, Rounding::Up};
    EXPECT_EQ(resultLine(fixed), "x = (10.20 ± 0.15), k = 2, E = 1.4 %");
    fixed.U = 0.14;
    EXPECT_EQ(resultLine(fixed), "x = (10.20 ± 0.14), k = 2, E = 1.4 %");
    fixed.U = 0.0996;
    fixed.rounding = Rounding::HalfEven;
    fixed.coverage = Coverage::K1;
    EXPECT_EQ(resultLine(fixed), "x = (10.20 ± 0.10), k = 1, E = 0.98 %");

    // E in per cent to two significant digits, rounded as written.
    const std::pair<double, const char*> relatives[] = {
        {0.000199, "0.020 %"}, {0.000996, "0.10 %"}, {0.1525, "15 %"},
        {3750, "380000 %"},    {0, "0 %"},           {0.0125, "1.2 %"}};
    for (const auto& [relative, text] : relatives) {
        EXPECT_EQ(relativeText(relative), text) << relative;
    }
}

// The whole way from the values. ν is truncated, never rounded, but a value that is whole in
// exact arithmetic stays whole although the binary arithmetic lands a hair below it.
TEST(ResultLine, DegreesOfFreedomAreWholeWhereTheyAreExactly) {
    const std::vector<double> five = {10.1, 10.3, 10.2, 10.4, 10.0};
    struct Series {
        std::vector<double> values;
        std::optional<double> allowance;
        Confidence confidence;
        const char* line;
    };
    const Series series[] = {
        {five, std::nullopt, Confidence::P95,
         "x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4, E = 1.9 %"},
        // u_A = 0: ν = ∞, and the normal law's k, exactly 1 and 3 at 68.27 % and 99.73 %.
        {{5, 5, 5},
         0.3,
         Confidence::Sigma1,
         "x = (5.00 ± 0.17), P = 68.27 %, k = 1.00, ν = ∞, E = 3.5 %"},
        {{5, 5, 5},
         0.3,
         Confidence::Sigma3,
         "x = (5.00 ± 0.52), P = 99.73 %, k = 3.00, ν = ∞, E = 10 %"},
        {five, 1, Confidence::P95, "x = (10.2 ± 1.1), P = 95 %, k = 1.96, ν = 18315, E = 11 %"},
        {{1, 2},
         std::nullopt,
         Confidence::P95,
         "x = (1.5 ± 6.4), P = 95 %, k = 12.71, ν = 1, E = 420 %"},
        // u_A = u_B: ν = 2·2² = 8 exactly, and 9 exactly below.
        {{10.2, 10.1, 10.3},
         0.1,
         Confidence::P95,
         "x = (10.20 ± 0.19), P = 95 %, k = 2.31, ν = 8, E = 1.8 %"},
        {{0.1, 0.2, 0.3},
         0.1,
         Confidence::P95,
         "x = (0.20 ± 0.19), P = 95 %, k = 2.31, ν = 8, E = 94 %"},
        {{2.50, 2.50, 2.50, 2.60, 2.60},
         0.03,
         Confidence::P95,
         "x = (2.540 ± 0.068), P = 95 %, k = 2.26, ν = 9, E = 2.7 %"},
        // ν = 2·(1 + 1.1²)² = 9.7682: truncated to 9, not rounded to 10.
        {{0, 1, 2}, 1.1, Confidence::P95, "x = (1.0 ± 1.9), P = 95 %, k = 2.26, ν = 9, E = 190 %"},
    };
    for (const Series& row : series) {
        EXPECT_EQ(uncertaintyResult(row.values, row.allowance, row.confidence).text, row.line);
    }
    // A symbol and a unit as the settings give them, trimmed.
    Settings settings;
    settings.symbol = " d ";
    settings.unit = "mm ";
    EXPECT_EQ(analyse(numbered(five), settings).result.text,
              "d = (10.20 ± 0.20) mm, P = 95 %, k = 2.78, ν = 4, E = 1.9 %");

    const std::tuple<double, double, DegreesOfFreedom> truncations[] = {
        {8.6, 0, 8},
        {7.999999999999998, 1e-15, 8},
        {7.99999, 1e-15, 7},
        {9223372036854775808.0, 0, std::nullopt},
    };
    for (const auto& [nu, error, whole] : truncations) {
        EXPECT_EQ(truncatedDegrees(nu, error), whole) << nu;
    }
}

// The 1σ and 3σ levels are the fractions of a normal law within 1 and 3 standard deviations,
// not 0.6827 and 0.9973: with 1 and 2 degrees of freedom t has closed forms to check k by.
TEST(ResultLine, CoverageFactorsAtTheSigmaLevels) {
    for (const Confidence confidence : {Confidence::Sigma1, Confidence::Sigma3}) {
        const double p = confidence == Confidence::Sigma1 ? std::erf(1 / std::numbers::sqrt2)
                                                          : std::erf(3 / std::numbers::sqrt2);
        EXPECT_NEAR(coverageFactor(confidence, 1), std::tan(std::numbers::pi * p / 2),
                    1e-9 * std::tan(std::numbers::pi * p / 2));
        const double two = p * std::numbers::sqrt2 / std::sqrt(1 - p * p);
        EXPECT_NEAR(coverageFactor(confidence, 2), two, 1e-9 * two);
    }
}

TEST(NumberFormat, WritesSignificantDigitsForSentences) {
    const std::pair<double, const char*> rows[] = {
        {0.03268901082277383, "0.032689"},
        {123456.7, "123457"},
        {0.0001, "0.0001"},
        {-2.5e-7, "-2.5×10⁻⁷"},
        {1234567, "1.23457×10⁶"},
        {0, "0"},
        {-HUGE_VAL, "-∞"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(significantText(value), text) << value;
    }
}

} // namespace
} // namespace tavrello
