// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/float_flags.h"

#include "engine/run_time_error.h"

#include <cmath>
#include <limits>

namespace tavrello {

namespace {

bool isNumber(double value) {
    return !std::isnan(value);
}

// From here on a double rounds to a single infinity: the largest single plus half its last unit,
// where ties go to the even neighbour 2^128.
constexpr double singleOverflowThreshold = 0x1.ffffffp127;

// Spelled out because converting beyond the single range is not defined by the language.
float roundToSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) >= singleOverflowThreshold) {
        constexpr float infinity = std::numeric_limits<float>::infinity();
        return value > 0 ? infinity : -infinity;
    }
    return static_cast<float>(value);
}

} // namespace

void FloatFlags::recordArithmetic(double left, double right, double result) {
    // A quiet NaN operand passes through without raising anything.
    if (std::isnan(result) && isNumber(left) && isNumber(right)) {
        invalid_ = true;
    } else if (std::isinf(result) && std::isfinite(left) && std::isfinite(right)) {
        overflow_ = true;
    }
}

double FloatFlags::add(double left, double right) {
    const double result = left + right;
    recordArithmetic(left, right, result);
    return result;
}

double FloatFlags::subtract(double left, double right) {
    const double result = left - right;
    recordArithmetic(left, right, result);
    return result;
}

double FloatFlags::multiply(double left, double right) {
    const double result = left * right;
    recordArithmetic(left, right, result);
    return result;
}

double FloatFlags::divide(double dividend, double divisor) {
    const double result = dividend / divisor;
    if (divisor == 0 && std::isfinite(dividend) && dividend != 0) {
        divisionByZero_ = true;
    } else {
        recordArithmetic(dividend, divisor, result);
    }
    return result;
}

double FloatFlags::squareRoot(double value) {
    if (value < 0) {
        invalid_ = true;
    }
    return std::sqrt(value);
}

float FloatFlags::narrow(double value) {
    const float result = roundToSingle(value);
    if (std::isinf(result) && std::isfinite(value)) {
        overflow_ = true;
    }
    return result;
}

void FloatFlags::clear() {
    *this = FloatFlags();
}

void FloatFlags::checkpoint() const {
    if (divisionByZero_) {
        throw RunTimeError(ErrorNumber::DivisionByZero);
    }
    if (invalid_ || overflow_) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
}

float narrowFinite(double value) {
    FloatFlags flags;
    const float result = flags.narrow(value);
    flags.checkpoint();
    return result;
}

} // namespace tavrello
