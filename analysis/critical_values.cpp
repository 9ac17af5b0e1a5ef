// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/critical_values.h"

#include "analysis/quantiles.h"
#include "analysis/statistics.h"

#include <cmath>
#include <string>

namespace tavrello {

namespace {

[[noreturn]] void outsideDomain(const std::string& what) {
    throw AnalysisError(AnalysisError::Problem::Numerical, what);
}

} // namespace

double confidenceFraction(Confidence confidence) {
    switch (confidence) {
    case Confidence::Sigma1:
        return std::erf(1 / std::sqrt(2.0));
    case Confidence::P95:
        return 0.95;
    case Confidence::P99:
        return 0.99;
    case Confidence::Sigma3:
        return std::erf(3 / std::sqrt(2.0));
    }
    outsideDomain("unknown confidence level");
}

double confidenceTail(Confidence confidence) {
    switch (confidence) {
    case Confidence::Sigma1:
        return std::erfc(1 / std::sqrt(2.0)) / 2;
    case Confidence::P95:
        return 0.025;
    case Confidence::P99:
        return 0.005;
    case Confidence::Sigma3:
        return std::erfc(3 / std::sqrt(2.0)) / 2;
    }
    outsideDomain("unknown confidence level");
}

std::string_view confidenceLabel(Confidence confidence) {
    switch (confidence) {
    case Confidence::Sigma1:
        return "68.27 %";
    case Confidence::P95:
        return "95 %";
    case Confidence::P99:
        return "99 %";
    case Confidence::Sigma3:
        return "99.73 %";
    }
    outsideDomain("unknown confidence level");
}

std::string_view confidenceKey(Confidence confidence) {
    const std::string_view label = confidenceLabel(confidence);
    return label.substr(0, label.find(' '));
}

std::optional<Confidence> confidenceFromKey(std::string_view key) {
    for (const Confidence confidence : allConfidences) {
        if (confidenceKey(confidence) == key) {
            return confidence;
        }
    }
    return std::nullopt;
}

double upperQuantile(DegreesOfFreedom nu, double upperTail) {
    if (!(upperTail > 0 && upperTail < 1)) {
        outsideDomain("tail probability outside (0, 1)");
    }
    if (nu && *nu < 1) {
        outsideDomain("fewer than one degree of freedom");
    }
    return tailQuantile(nu, upperTail);
}

double coverageFactor(Confidence confidence, DegreesOfFreedom nu) {
    // These two levels are defined as the fractions within 1 and 3 standard deviations.
    if (!nu && confidence == Confidence::Sigma1) {
        return 1;
    }
    if (!nu && confidence == Confidence::Sigma3) {
        return 3;
    }
    return upperQuantile(nu, confidenceTail(confidence));
}

double grubbsCritical(std::size_t n, double alpha) {
    if (n < 3) {
        outsideDomain("Grubbs' critical value needs n >= 3");
    }
    const double count = static_cast<double>(n);
    const double t = upperQuantile(static_cast<std::int64_t>(n - 2), alpha / count);
    return (count - 1) / std::sqrt(count) * std::sqrt(t * t / (count - 2 + t * t));
}

double romanovskyCritical(std::size_t n, double alpha) {
    if (n < 3) {
        outsideDomain("Romanovsky's critical value needs n >= 3");
    }
    const double count = static_cast<double>(n);
    return upperQuantile(static_cast<std::int64_t>(n - 2), alpha / 2) *
           std::sqrt(count / (count - 1));
}

double chauvenetCritical(std::size_t n) {
    if (n < 1) {
        outsideDomain("Chauvenet's critical value needs n >= 1");
    }
    return upperQuantile(std::nullopt, 1 / (4 * static_cast<double>(n)));
}

} // namespace tavrello
