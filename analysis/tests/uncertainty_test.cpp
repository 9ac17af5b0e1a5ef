// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/analysis.h"
#include "analysis/number_format.h"
#include "analysis/uncertainty.h"

#include <cmath>
#include <gtest/gtest.h>
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
        EXPECT_EQ(resultLine(row.mean, row.U, 2, 10, Confidence::P95, row.digits),
                  "x = " + std::string(row.bracket) + ", P = 95 %, k = 2.00, ν = 10");
    }
    // k as written too: 2.675 goes up, 1.005 down.
    EXPECT_EQ(resultLine(1, 0.1, 2.675, 7, Confidence::P99, 1),
              "x = (1.0 ± 0.1), P = 99 %, k = 2.68, ν = 7");
    EXPECT_EQ(resultLine(1, 0.1, 1.005, std::nullopt, Confidence::Sigma3, 1),
              "x = (1.0 ± 0.1), P = 99.73 %, k = 1.00, ν = ∞");

    // The whole way from the values: u_A = 0 with an allowance gives ν = ∞ and the normal
    // law's k, exactly 1 and 3 at 68.27 % and 99.73 %; a large allowance a large ν.
    const std::vector<double> five = {10.1, 10.3, 10.2, 10.4, 10.0};
    struct Series {
        std::vector<double> values;
        std::optional<double> allowance;
        Confidence confidence;
        const char* line;
    };
    const Series series[] = {
        {five, std::nullopt, Confidence::P95, "x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4"},
        {{5, 5, 5}, 0.3, Confidence::Sigma1, "x = (5.00 ± 0.17), P = 68.27 %, k = 1.00, ν = ∞"},
        {{5, 5, 5}, 0.3, Confidence::Sigma3, "x = (5.00 ± 0.52), P = 99.73 %, k = 3.00, ν = ∞"},
        {five, 1, Confidence::P95, "x = (10.2 ± 1.1), P = 95 %, k = 1.96, ν = 18315"},
        {{1, 2}, std::nullopt, Confidence::P95, "x = (1.5 ± 6.4), P = 95 %, k = 12.71, ν = 1"},
    };
    for (const Series& row : series) {
        EXPECT_EQ(uncertaintyResult(row.values, row.allowance, row.confidence, 2).text, row.line);
    }
}

TEST(ResultLine, EffectiveDegreesOfFreedomAreWholeOrInfinite) {
    const std::tuple<std::size_t, double, double, DegreesOfFreedom> rows[] = {
        {5, 1, 1, 4},
        {5, 1, 2, 64},
        {3, 1, 1.5, 10},
        {2, 0, 1, std::nullopt},
        {2, 1e-10, 1, std::nullopt},
        {2, 1, 32768, 1152921504606846976},
    };
    for (const auto& [n, uA, uC, nu] : rows) {
        EXPECT_EQ(effectiveDegreesOfFreedom(n, uA, uC), nu) << n << " " << uC;
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
