// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/quantiles.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tavrello {

// The confidence levels a result can be given at. Sigma1 and Sigma3 are the exact fractions of
// a normal law within 1 and 3 standard deviations, erf(1/√2) and erf(3/√2), written 68.27 % and
// 99.73 %.
enum class Confidence { Sigma1, P95, P99, Sigma3 };
inline constexpr std::array<Confidence, 4> allConfidences = {Confidence::Sigma1, Confidence::P95,
                                                             Confidence::P99, Confidence::Sigma3};

double confidenceFraction(Confidence confidence);
// (1 - P)/2, computed without the cancellation of the subtraction.
double confidenceTail(Confidence confidence);
// "68.27 %", "95 %", "99 %", "99.73 %".
std::string_view confidenceLabel(Confidence confidence);
// The label without its per cent sign, as the command line and the settings file take it.
std::string_view confidenceKey(Confidence confidence);
std::optional<Confidence> confidenceFromKey(std::string_view key);

// The point that Student's t with nu degrees of freedom exceeds with probability upperTail
// (0 < upperTail < 1, nu >= 1); the normal law's for infinite nu. Throws AnalysisError outside
// that domain.
double upperQuantile(DegreesOfFreedom nu, double upperTail);

// The two-sided factor k = t_(1+P)/2(nu). With infinite nu, Sigma1 and Sigma3 give 1 and 3.
double coverageFactor(Confidence confidence, DegreesOfFreedom nu);

// Grubbs, one-sided at alpha: G(n, alpha) = ((n-1)/√n)·√(t²/(n-2+t²)), t the upper alpha/n point
// of t(n-2). n >= 3.
double grubbsCritical(std::size_t n, double alpha);

// Romanovsky (t test): K(n, alpha) = t_(1-alpha/2)(n-2)·√(n/(n-1)), n counting the suspect
// value. n >= 3.
double romanovskyCritical(std::size_t n, double alpha);

// Chauvenet: Z_c(n) = Φ⁻¹(1 - 1/(4n)). n >= 1.
double chauvenetCritical(std::size_t n);

} // namespace tavrello
