// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace tavrello {

// The measurement result after JJF 1059.1-2012 and the GUM.
struct UncertaintyResult {
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
    // Type A: s/√n.
    double uA = 0;
    // Type B from the instrument's allowance Δ, uniformly distributed: Δ/√3; 0 without one.
    std::optional<double> instrumentError;
    double uB = 0;
    double uC = 0;
    // Welch–Satterthwaite, uB taken with infinitely many degrees of freedom, truncated to a
    // whole number; nothing where it is infinite (uA = 0, or beyond 64 bits).
    DegreesOfFreedom nuEff;
    Confidence confidence = Confidence::P95;
    double k = 0;
    // k·uC.
    double U = 0;
    std::string text;
};

// Over at least two values, with Δ finite and >= 0 and 1 or 2 significant digits for U.
UncertaintyResult uncertaintyResult(std::span<const double> values,
                                    std::optional<double> instrumentError, Confidence confidence,
                                    int digits);

// ν_eff = (n-1)·(uC/uA)⁴, truncated.
DegreesOfFreedom effectiveDegreesOfFreedom(std::size_t n, double uA, double uC);

// "x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4": U to `digits` significant digits and the mean
// to the same last place, both rounded half to even from their shortest decimal texts; one
// shared power of ten, that of the mean's first digit, where the plain form would need more
// than six zeros before U's first digit or after its last. With U = 0 the mean is written as its
// shortest text.
std::string resultLine(double mean, double U, double k, DegreesOfFreedom nu, Confidence confidence,
                       int digits);

} // namespace tavrello
