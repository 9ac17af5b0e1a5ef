// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"
#include "analysis/number_format.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrello {

// How k is found: from Student's t at P and ν, as the GUM does, or fixed, as many courses teach;
// k = 1 states u_c itself.
enum class Coverage { Student, K1, K2, K3 };
inline constexpr Coverage allCoverages[] = {Coverage::Student, Coverage::K1, Coverage::K2,
                                            Coverage::K3};
// "t", "1", "2", "3", as the command line and the settings file take them.
std::string_view coverageKey(Coverage coverage);
std::optional<Coverage> coverageFromKey(std::string_view key);
// k for the coverage; with Student, t_(1+P)/2(ν).
double coverageFactor(Coverage coverage, Confidence confidence, DegreesOfFreedom nu);

inline constexpr Rounding allRoundings[] = {Rounding::HalfEven, Rounding::Up};
// "even", "up": how U is rounded to its digits (see Rounding).
std::string_view roundingKey(Rounding rounding);
std::optional<Rounding> roundingFromKey(std::string_view key);

// What a result line states: "d = (120.411 ± 0.024) mm, P = 95 %, k = 1.96, ν = 873,
// E = 0.020 %"; with a fixed k, "d = (120.411 ± 0.025) mm, k = 2, E = 0.021 %".
struct ResultStatement {
    std::string symbol = "x";
    // Empty for none.
    std::string unit;
    double value = 0;
    // The expanded uncertainty k·u_c.
    double U = 0;
    double k = 0;
    DegreesOfFreedom nu;
    Confidence confidence = Confidence::P95;
    // Significant digits of U: 1 or 2.
    int digits = 2;
    Coverage coverage = Coverage::Student;
    Rounding rounding = Rounding::HalfEven;
};

// U to `digits` significant digits by its rounding and the value to the same last place half to
// even, both from their shortest decimal texts; one shared power of ten, that of the value's
// first digit, where the plain form would need more than six zeros before U's first digit or
// after its last. With U = 0 the value is written as its shortest text. P and ν follow where k
// comes from them, E where the value is not 0.
std::string resultLine(const ResultStatement& statement);

// E = U/|value|; nothing where the value is 0.
std::optional<double> relativeUncertainty(double value, double U);
// "0.020 %": E in per cent, to two significant digits.
std::string relativeText(double relative);

// ν worked out in binary from decimal input may fall a hair below the whole number it is in
// exact arithmetic. Whatever lies within relativeError of the next whole number counts as that
// number; then ν is truncated, as the t tables are read. Nothing (infinitely many) from 2⁶³ on.
DegreesOfFreedom truncatedDegrees(double nu, double relativeError);

// The measurement result after JJF 1059.1-2012 and the GUM.
struct UncertaintyResult {
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
    // Type A: s/√n.
    double uA = 0;
    // Type B from the instrument's allowance Δ_仪, uniformly distributed: Δ_仪/√3; 0 without one.
    std::optional<double> instrumentError;
    double uB = 0;
    double uC = 0;
    // Welch–Satterthwaite, u_B taken with infinitely many degrees of freedom; nothing where it is
    // infinite (u_A = 0, or beyond 2⁶³).
    DegreesOfFreedom nuEff;
    Confidence confidence = Confidence::P95;
    Coverage coverage = Coverage::Student;
    double k = 0;
    // k·u_c.
    double U = 0;
    // U/|x̄|.
    std::optional<double> relative;
    std::string text;
};

// How the result is stated, beside the values.
struct ResultWording {
    std::string symbol = "x";
    std::string unit;
    int digits = 2;
    Coverage coverage = Coverage::Student;
    Rounding rounding = Rounding::HalfEven;
};

// Over at least two values, with Δ_仪 finite and >= 0.
UncertaintyResult uncertaintyResult(std::span<const double> values,
                                    std::optional<double> instrumentError, Confidence confidence,
                                    const ResultWording& wording = {});

// ν_eff = (n − 1)·(1 + u_B²/u_A²)² for n values of variance s² and an allowance Δ_仪, that is
// u_B² = Δ_仪²/3 and u_A² = s²/n; relativeError bounds what the input's rounding does to s².
DegreesOfFreedom effectiveDegreesOfFreedom(std::size_t n, double variance, double allowance,
                                           double relativeError);

} // namespace tavrello
