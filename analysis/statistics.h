// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tavrello {

// One measured value and the number of the box it was typed into (from 1). Positions are the
// caller's labels: they need not be contiguous, only distinct. The text is the value as typed,
// which students count significant figures in; empty where there was none.
struct Reading {
    Reading() = default;
    Reading(int position, double value, std::string text = {})
        : position(position), value(value), text(std::move(text)) {}

    int position = 0;
    double value = 0;
    std::string text;
};

// The value as it was typed, or else its shortest decimal text.
std::string typedText(const Reading& reading);

// The one exception the analysis throws: input it cannot analyse, or a quantile asked for
// outside its domain (which would be our mistake, not the user's).
class AnalysisError : public std::runtime_error {
  public:
    enum class Problem {
        TooFewValues,
        ValueNotFinite,
        ValueOutOfRange,
        BadPosition,
        BadSetting,
        Numerical,
    };
    AnalysisError(Problem problem, const std::string& message)
        : std::runtime_error(message), problem_(problem) {}
    Problem problem() const { return problem_; }

  private:
    Problem problem_;
};

// Values are accepted between these magnitudes (and 0): the squares and sums of products the
// analysis forms then neither overflow nor lose the spread of the values to underflow.
inline constexpr double largestMagnitude = 1e100;
inline constexpr double smallestMagnitude = 1e-100;
bool isAnalysableValue(double value);

// Decimal input is rounded to binary, and so is the mean taken from it: a residual of values up
// to this magnitude may lie this far from its exact value. Quantities that differ by no more than
// such rounding allows are equal, wherever the analysis compares them.
inline double residualRounding(double magnitude) {
    return 8 * std::numeric_limits<double>::epsilon() * magnitude;
}
// The same for the largest magnitude among the values.
double residualRounding(std::span<const double> values);

// Neumaier's compensated sum. Terms may be taken away again by adding their negatives: the
// compensation keeps what remains accurate even when the removed terms dwarfed it.
class CompensatedSum {
  public:
    void add(double term) {
        const double next = sum_ + term;
        compensation_ +=
            std::abs(sum_) >= std::abs(term) ? (sum_ - next) + term : (term - next) + sum_;
        sum_ = next;
    }
    double value() const { return sum_ + compensation_; }

  private:
    double sum_ = 0;
    double compensation_ = 0;
};

// Mean, Bessel standard deviation s (n - 1 in the denominator) and s of the mean.
struct Summary {
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
    double sMean = 0;
};

// Two passes over at least one value. Equal values give their value as the mean and s = 0
// exactly, and the mean never leaves the range of the values.
Summary summarise(std::span<const double> values);

// v_i = x_i - mean.
std::vector<double> residuals(std::span<const double> values, double mean);

} // namespace tavrello
