// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/uncertainty.h"

#include "analysis/number_format.h"
#include "analysis/statistics.h"

#include <cmath>
#include <cstdint>

namespace tavrello {

namespace {

// More zeros than this between the point and U's digits, either side, call for a power of ten.
constexpr int mostPlainZeros = 6;

struct Mantissas {
    std::string mean;
    std::string U;
    std::optional<int> exponent;
};

bool needsExponent(int leadingPlace, int lastPlace) {
    return -leadingPlace - 1 > mostPlainZeros || lastPlace > mostPlainZeros;
}

Mantissas shared(const DecimalNumber& mean, const DecimalNumber& U, int lastPlace) {
    if (!needsExponent(U.isZero() ? mean.leadingPlace() : U.leadingPlace(), lastPlace)) {
        return {plainText(mean, lastPlace), U.isZero() ? "0" : plainText(U, lastPlace), {}};
    }
    const int exponent = mean.isZero() ? U.leadingPlace() : mean.leadingPlace();
    DecimalNumber meanMantissa = mean;
    DecimalNumber uMantissa = U;
    meanMantissa.exponent -= exponent;
    uMantissa.exponent -= exponent;
    return {plainText(meanMantissa, lastPlace - exponent),
            U.isZero() ? "0" : plainText(uMantissa, lastPlace - exponent), exponent};
}

Mantissas roundedPair(double mean, double U, int digits) {
    const DecimalNumber meanText = shortestDecimal(mean);
    if (U == 0) {
        return shared(meanText, {}, meanText.exponent);
    }
    const DecimalNumber uText = shortestDecimal(U);
    int lastPlace = uText.leadingPlace() - (digits - 1);
    DecimalNumber rounded = roundedToPlace(uText, lastPlace);
    // 0.0996 to two digits is 0.100: one digit too many, all zeros, so drop it.
    if (rounded.leadingPlace() > uText.leadingPlace()) {
        rounded = roundedToPlace(rounded, ++lastPlace);
    }
    return shared(roundedToPlace(meanText, lastPlace), rounded, lastPlace);
}

} // namespace

DegreesOfFreedom effectiveDegreesOfFreedom(std::size_t n, double uA, double uC) {
    if (uA == 0) {
        return std::nullopt;
    }
    const double ratio = uC / uA;
    const double nu = static_cast<double>(n - 1) * (ratio * ratio) * (ratio * ratio);
    // 2^63: beyond it (or at infinity) the t quantile is the normal one to every digit anyway.
    if (!(nu < 9223372036854775808.0)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(nu);
}

std::string resultLine(double mean, double U, double k, DegreesOfFreedom nu, Confidence confidence,
                       int digits) {
    const Mantissas pair = roundedPair(mean, U, digits);
    std::string line = "x = (" + pair.mean + " ± " + pair.U + ")";
    if (pair.exponent) {
        line += "×10" + superscript(*pair.exponent);
    }
    line += ", P = " + std::string(confidenceLabel(confidence)) + ", k = " + fixedText(k, -2) +
            ", ν = " + (nu ? std::to_string(*nu) : std::string("∞"));
    return line;
}

UncertaintyResult uncertaintyResult(std::span<const double> values,
                                    std::optional<double> instrumentError, Confidence confidence,
                                    int digits) {
    const Summary summary = summarise(values);
    UncertaintyResult result;
    result.n = summary.n;
    result.mean = summary.mean;
    result.s = summary.s;
    result.uA = summary.sMean;
    result.instrumentError = instrumentError;
    result.uB = instrumentError ? *instrumentError / std::sqrt(3.0) : 0;
    result.uC = std::hypot(result.uA, result.uB);
    result.nuEff = effectiveDegreesOfFreedom(result.n, result.uA, result.uC);
    result.confidence = confidence;
    result.k = coverageFactor(confidence, result.nuEff);
    result.U = result.k * result.uC;
    result.text = resultLine(result.mean, result.U, result.k, result.nuEff, confidence, digits);
    return result;
}

} // namespace tavrello
