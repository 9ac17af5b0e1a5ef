// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/quantiles.h"

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

double normalUpperQuantile(double upperTail) {
    return boost::math::quantile(
        boost::math::complement(boost::math::normal_distribution<double, Policy>(), upperTail));
}

} // namespace

double tailQuantile(DegreesOfFreedom nu, double upperTail) {
    if (!nu) {
        return normalUpperQuantile(upperTail);
    }
    const boost::math::students_t_distribution<double, Policy> t(static_cast<double>(*nu));
    return boost::math::quantile(boost::math::complement(t, upperTail));
}

} // namespace tavrello
