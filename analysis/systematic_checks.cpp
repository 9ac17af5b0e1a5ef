// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/systematic_checks.h"

#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tavrello {

namespace {

// The coefficient of Peters' formula, √(π/2) as the textbooks round it.
constexpr double petersCoefficient = 1.253;

// Each comparison below treats two figures as equal when they differ by no more than the rounding
// of the input explains: `rounding` is how far one residual may be off (residualRounding), and
// each figure's allowance follows from how it is formed from the residuals.

double sumOfMagnitudes(const std::vector<double>& v) {
    CompensatedSum sum;
    for (const double residual : v) {
        sum.add(std::abs(residual));
    }
    return sum.value();
}

ResidualSums residualSums(const std::vector<double>& v, double rounding) {
    const std::size_t n = v.size();
    // With an odd count the middle value belongs to both halves.
    const std::size_t firstHalfEnd = (n + 1) / 2;
    const std::size_t secondHalfStart = n / 2;
    CompensatedSum delta;
    for (std::size_t i = 0; i < firstHalfEnd; ++i) {
        delta.add(v[i]);
    }
    for (std::size_t i = secondHalfStart; i < n; ++i) {
        delta.add(-v[i]);
    }
    ResidualSums check;
    check.delta = delta.value();
    for (const double residual : v) {
        check.limit = std::max(check.limit, std::abs(residual));
    }
    // Δ sums n + 1 residuals at most (the middle one twice), the limit is one of them.
    const double allowance = static_cast<double>(n + 2) * rounding;
    check.suspect = check.limit > 0 && std::abs(check.delta) >= check.limit - allowance;
    return check;
}

AbbeHelmert abbeHelmert(const std::vector<double>& v, double s, double rounding) {
    CompensatedSum products;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        products.add(v[i] * v[i + 1]);
    }
    AbbeHelmert check;
    check.c = std::abs(products.value());
    const double root = std::sqrt(static_cast<double>(v.size() - 1));
    check.limit = root * s * s;
    // Each product moves by up to (|v_i| + |v_i+1|)·δ, Σv² by 2δ·Σ|v|; a few units of the last
    // place for the arithmetic.
    const double spread = 2 * rounding * sumOfMagnitudes(v);
    const double allowance =
        spread * (1 + 1 / root) + 16 * std::numeric_limits<double>::epsilon() * check.limit;
    check.suspect = check.c > check.limit + allowance;
    return check;
}

TwoFormulas twoFormulas(const std::vector<double>& v, double s, double rounding) {
    const double n = static_cast<double>(v.size());
    const double absolute = sumOfMagnitudes(v);
    TwoFormulas check;
    check.sigma1 = s;
    check.sigma2 = petersCoefficient * absolute / std::sqrt(n * (n - 1));
    check.limit = 2 / std::sqrt(n - 1);
    if (s > 0) {
        check.u = check.sigma2 / check.sigma1 - 1;
        // σ2 moves by up to n·δ/Σ|v| of itself, σ1 by δ·Σ|v|/Σv² of itself.
        const double squares = s * s * (n - 1);
        const double relative = n * rounding / absolute + rounding * absolute / squares +
                                16 * std::numeric_limits<double>::epsilon();
        const double allowance = (*check.u + 1) * relative;
        check.suspect = std::abs(*check.u) >= check.limit - allowance;
    }
    return check;
}

} // namespace

SystematicChecks checkSystematic(std::span<const double> values) {
    const Summary summary = summarise(values);
    const std::vector<double> v = residuals(values, summary.mean);
    SystematicChecks checks;
    checks.n = summary.n;
    checks.mean = summary.mean;
    checks.s = summary.s;
    const double rounding = residualRounding(values);
    checks.residualSums = residualSums(v, rounding);
    checks.abbeHelmert = abbeHelmert(v, summary.s, rounding);
    checks.twoFormulas = twoFormulas(v, summary.s, rounding);
    return checks;
}

} // namespace tavrello
