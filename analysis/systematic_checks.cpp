// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/systematic_checks.h"

#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavrello {

namespace {

// The coefficient of Peters' formula, √(π/2) as the textbooks round it.
constexpr double petersCoefficient = 1.253;

ResidualSums residualSums(const std::vector<double>& v) {
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
    check.suspect = check.limit > 0 && std::abs(check.delta) >= check.limit;
    return check;
}

AbbeHelmert abbeHelmert(const std::vector<double>& v, double s) {
    CompensatedSum products;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        products.add(v[i] * v[i + 1]);
    }
    AbbeHelmert check;
    check.c = std::abs(products.value());
    check.limit = std::sqrt(static_cast<double>(v.size() - 1)) * s * s;
    check.suspect = check.c > check.limit;
    return check;
}

TwoFormulas twoFormulas(const std::vector<double>& v, double s) {
    const double n = static_cast<double>(v.size());
    CompensatedSum absolute;
    for (const double residual : v) {
        absolute.add(std::abs(residual));
    }
    TwoFormulas check;
    check.sigma1 = s;
    check.sigma2 = petersCoefficient * absolute.value() / std::sqrt(n * (n - 1));
    check.limit = 2 / std::sqrt(n - 1);
    if (s > 0) {
        check.u = check.sigma2 / check.sigma1 - 1;
        check.suspect = std::abs(*check.u) >= check.limit;
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
    checks.residualSums = residualSums(v);
    checks.abbeHelmert = abbeHelmert(v, summary.s);
    checks.twoFormulas = twoFormulas(v, summary.s);
    return checks;
}

} // namespace tavrello
