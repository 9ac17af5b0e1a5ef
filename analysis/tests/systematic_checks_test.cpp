// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/systematic_checks.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace tavrello {
namespace {

// "Δ limit suspect | C limit suspect | u limit suspect", six significant digits (u: six
// decimals, or null); + 0.0 writes -0 as 0.
std::string summary(const SystematicChecks& checks) {
    const auto yes = [](bool suspect) { return suspect ? "yes" : "no"; };
    const ResidualSums& sums = checks.residualSums;
    const AbbeHelmert& abbe = checks.abbeHelmert;
    const TwoFormulas& two = checks.twoFormulas;
    const std::string u = two.u ? std::to_string(*two.u) : "null";
    char text[160];
    std::snprintf(text, sizeof text, "%.6g %.6g %s | %.6g %.6g %s | %s %.6g %s", sums.delta + 0.0,
                  sums.limit, yes(sums.suspect), abbe.c, abbe.limit, yes(abbe.suspect), u.c_str(),
                  two.limit, yes(two.suspect));
    return text;
}

TEST(SystematicChecks, SuspectWhatTheirBoundsSay) {
    // Expected figures worked out by hand from the definitions (v_i about the series' own
    // mean, s with n - 1).
    std::vector<double> oneHigh(25, 0.0);
    oneHigh.push_back(1);
    const std::pair<std::vector<double>, const char*> rows[] = {
        {{1, 2, 3, 4, 5, 6}, "-9 2.5 yes | 8.75 7.82624 yes | 0.100523 0.894427 no"},
        {{1, 3, 3, 1}, "0 1 no | 1 2.3094 no | 0.253000 1.1547 no"},
        {{1, 3, 1, 3, 1, 3, 1, 3}, "0 1 no | 7 3.02372 yes | 0.253000 0.755929 no"},
        {oneHigh, "-1 0.961538 yes | 0.00147929 0.192308 no | -0.518077 0.4 yes"},
        // Odd n: the middle value counts in both halves, so it drops out of Δ.
        {{0, 1, 10, 2, 3}, "-4 6.8 no | 15.84 31.4 no | -0.038332 1 no"},
        {{1, 2, 4}, "-3 1.66667 yes | 0.111111 3.29983 no | 0.116261 1.41421 no"},
        {{5, 5, 5, 5}, "0 0 no | 0 0 no | null 1.1547 no"},
        {{1, 2}, "-1 0.5 yes | 0.25 0.5 no | 0.253000 2 no"},
        // Ties in decimal arithmetic, which binary rounding would tip either way: |Δ| = max|v_i|
        // suspects, C = √(n − 1)·s² does not.
        {{10.1, 10.0, 9.8, 10.1}, "0.2 0.2 yes | 0.02 0.034641 no | 0.023070 1.1547 no"},
        {{2.80, 2.60, 2.70, 2.50, 2.90}, "0 0.2 no | 0.05 0.05 no | 0.063206 1 no"},
    };
    for (const auto& [values, expected] : rows) {
        EXPECT_EQ(summary(checkSystematic(values)), expected);
    }
}

} // namespace
} // namespace tavrello
