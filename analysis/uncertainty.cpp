// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/uncertainty.h"

#include "analysis/number_format.h"
#include "analysis/statistics.h"

#include <cmath>
#include <cstdint>
#include <limits>

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

std::optional<double> relativeUncertainty(double value, double U) {
    if (value == 0) {
        return std::nullopt;
    }
    return U / std::abs(value);
}

std::string relativeText(double relative) {
    const DecimalNumber percent = shortestDecimal(relative * 100);
    if (percent.isZero()) {
        return "0 %";
    }
    int lastPlace = percent.leadingPlace() - 1;
    DecimalNumber rounded = roundedToPlace(percent, lastPlace);
    // 0.0996 % is 0.10 %, not 0.100 %.
    if (rounded.leadingPlace() > percent.leadingPlace()) {
        rounded = roundedToPlace(rounded, ++lastPlace);
    }
    return plainText(rounded, lastPlace) + " %";
}

DegreesOfFreedom truncatedDegrees(double nu, double relativeError) {
    const double raised = nu * (1 + relativeError);
    // 2^63: beyond it (or at infinity) the t quantile is the normal one to every digit anyway.
    if (!(raised < 9223372036854775808.0)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::floor(raised));
}

DegreesOfFreedom effectiveDegreesOfFreedom(std::size_t n, double variance, double allowance,
                                           double relativeError) {
    if (variance == 0) {
        return std::nullopt;
    }
    const double count = static_cast<double>(n);
    // u_B²/u_A², formed straight from Δ_仪 and s² so that no square root rounds on the way.
    const double ratio = allowance * allowance * count / (3 * variance);
    const double nu = (count - 1) * (1 + ratio) * (1 + ratio);
    // ν moves by up to twice the relative error of s², and the arithmetic adds a few units.
    return truncatedDegrees(nu, 2 * relativeError + 16 * std::numeric_limits<double>::epsilon());
}

std::string resultLine(const ResultStatement& statement) {
    const Mantissas pair = roundedPair(statement.value, statement.U, statement.digits);
    std::string line = statement.symbol + " = (" + pair.mean + " ± " + pair.U + ")";
    if (pair.exponent) {
        line += "×10" + superscript(*pair.exponent);
    }
    if (!statement.unit.empty()) {
        line += " " + statement.unit;
    }
    line += ", P = " + std::string(confidenceLabel(statement.confidence)) +
            ", k = " + fixedText(statement.k, -2) +
            ", ν = " + (statement.nu ? std::to_string(*statement.nu) : std::string("∞"));
    if (const std::optional<double> relative = relativeUncertainty(statement.value, statement.U)) {
        line += ", E = " + relativeText(*relative);
    }
    return line;
}

UncertaintyResult uncertaintyResult(std::span<const double> values,
                                    std::optional<double> instrumentError, Confidence confidence,
                                    const ResultWording& wording) {
    const Summary summary = summarise(values);
    UncertaintyResult result;
    result.n = summary.n;
    result.mean = summary.mean;
    result.s = summary.s;
    result.uA = summary.sMean;
    result.instrumentError = instrumentError;
    const double allowance = instrumentError.value_or(0);
    result.uB = allowance / std::sqrt(3.0);
    result.uC = std::hypot(result.uA, result.uB);

    // s² from the residuals, and how far the input's rounding may have moved it: each residual
    // by up to δ, so Σv² by up to 2δ·Σ|v|.
    CompensatedSum absolute;
    CompensatedSum squares;
    for (const double v : residuals(values, summary.mean)) {
        absolute.add(std::abs(v));
        squares.add(v * v);
    }
    const double variance = squares.value() / static_cast<double>(summary.n - 1);
    const double relativeError =
        variance > 0 ? 2 * residualRounding(values) * absolute.value() / squares.value() : 0;
    result.nuEff = effectiveDegreesOfFreedom(summary.n, variance, allowance, relativeError);

    result.confidence = confidence;
    result.k = coverageFactor(confidence, result.nuEff);
    result.U = result.k * result.uC;
    result.relative = relativeUncertainty(result.mean, result.U);
    result.text = resultLine({wording.symbol, wording.unit, result.mean, result.U, result.k,
                              result.nuEff, confidence, wording.digits});
    return result;
}

} // namespace tavrello
