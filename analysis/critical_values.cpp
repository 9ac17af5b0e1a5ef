// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/critical_values.h"

#include "analysis/statistics.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>
#include <string>

// Boost reports a failed evaluation through these when the policy below says user_error: it
// becomes the analysis's own exception, never an errno value or a silent NaN.
namespace boost::math::policies {

namespace {
[[noreturn]] void fail(const char* function, const char* message) {
    throw tavrello::AnalysisError(tavrello::AnalysisError::Problem::Numerical,
                                  std::string("quantile evaluation failed: ") +
                                      (function ? function : "") + ": " + (message ? message : ""));
}
} // namespace

template <class T> T user_domain_error(const char* function, const char* message, const T&) {
    fail(function, message);
}
template <class T> T user_pole_error(const char* function, const char* message, const T&) {
    fail(function, message);
}
template <class T> T user_overflow_error(const char* function, const char* message, const T&) {
    fail(function, message);
}
template <class T> T user_evaluation_error(const char* function, const char* message, const T&) {
    fail(function, message);
}
template <class T, class TargetType>
T user_rounding_error(const char* function, const char* message, const T&, const TargetType&) {
    fail(function, message);
}
template <class T>
T user_indeterminate_result_error(const char* function, const char* message, const T&) {
    fail(function, message);
}

} // namespace boost::math::policies

namespace tavrello {

namespace {

namespace policies = boost::math::policies;
// Underflow to 0 of a tail probability is harmless here; everything else is a fault. Evaluated
// in double rather than long double: as accurate to a few units in the last place, and ten
// times as fast, which tells when a criterion runs thousands of rounds.
using Policy = policies::policy<policies::promote_float<false>, policies::promote_double<false>,
                                policies::domain_error<policies::user_error>,
                                policies::pole_error<policies::user_error>,
                                policies::overflow_error<policies::user_error>,
                                policies::evaluation_error<policies::user_error>,
                                policies::rounding_error<policies::user_error>,
                                policies::indeterminate_result_error<policies::user_error>>;

[[noreturn]] void outsideDomain(const std::string& what) {
    throw AnalysisError(AnalysisError::Problem::Numerical, what);
}

double normalUpperQuantile(double upperTail) {
    return boost::math::quantile(
        boost::math::complement(boost::math::normal_distribution<double, Policy>(), upperTail));
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

double upperQuantile(DegreesOfFreedom nu, double upperTail) {
    if (!(upperTail > 0 && upperTail < 1)) {
        outsideDomain("tail probability outside (0, 1)");
    }
    if (!nu) {
        return normalUpperQuantile(upperTail);
    }
    if (*nu < 1) {
        outsideDomain("fewer than one degree of freedom");
    }
    const boost::math::students_t_distribution<double, Policy> t(static_cast<double>(*nu));
    return boost::math::quantile(boost::math::complement(t, upperTail));
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
    return normalUpperQuantile(1 / (4 * static_cast<double>(n)));
}

} // namespace tavrello
