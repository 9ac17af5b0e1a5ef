// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/uncertainty.h"

#include "analysis/number_format.h"
#include "analysis/statistics.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

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

Mantissas roundedPair(double mean, double U, int digits, Rounding rounding) {
    const DecimalNumber meanText = shortestDecimal(mean);
    if (U == 0) {
        return shared(meanText, {}, meanText.exponent);
    }
    const DecimalNumber uText = shortestDecimal(U);
    int lastPlace = uText.leadingPlace() - (digits - 1);
    DecimalNumber rounded = roundedToPlace(uText, lastPlace, rounding);
    // 0.0996 to two digits is 0.100: one digit too many, all zeros, so drop it.
    if (rounded.leadingPlace() > uText.leadingPlace()) {
        rounded = roundedToPlace(rounded, ++lastPlace, rounding);
    }
    return shared(roundedToPlace(meanText, lastPlace), rounded, lastPlace);
}

constexpr std::pair<Coverage, std::string_view> coverageKeys[] = {
    {Coverage::Student, "t"}, {Coverage::K1, "1"}, {Coverage::K2, "2"}, {Coverage::K3, "3"}};
constexpr std::pair<Rounding, std::string_view> roundingKeys[] = {{Rounding::HalfEven, "even"},
                                                                  {Rounding::Up, "up"}};

template <typename Choice, std::size_t size>
std::string_view keyOf(const std::pair<Choice, std::string_view> (&keys)[size], Choice choice) {
    for (const auto& [each, key] : keys) {
        if (each == choice) {
            return key;
        }
    }
    return {};
}

template <typename Choice, std::size_t size>
std::optional<Choice> choiceOf(const std::pair<Choice, std::string_view> (&keys)[size],
                               std::string_view key) {
    for (const auto& [each, text] : keys) {
        if (text == key) {
            return each;
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view coverageKey(Coverage coverage) {
    return keyOf(coverageKeys, coverage);
}

std::optional<Coverage> coverageFromKey(std::string_view key) {
    return choiceOf(coverageKeys, key);
}

double coverageFactor(Coverage coverage, Confidence confidence, DegreesOfFreedom nu) {
    switch (coverage) {
    case Coverage::K1:
        return 1;
    case Coverage::K2:
        return 2;
    case Coverage::K3:
        return 3;
    case Coverage::Student:
        break;
    }
    return coverageFactor(confidence, nu);
}

std::string_view roundingKey(Rounding rounding) {
    return keyOf(roundingKeys, rounding);
}

std::optional<Rounding> roundingFromKey(std::string_view key) {
    return choiceOf(roundingKeys, key);
}

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
    const Mantissas pair =
        roundedPair(statement.value, statement.U, statement.digits, statement.rounding);
    std::string line = statement.symbol + " = (" + pair.mean + " ± " + pair.U + ")";
    if (pair.exponent) {
        line += "×10" + superscript(*pair.exponent);
    }
    if (!statement.unit.empty()) {
        line += " " + statement.unit;
    }
    if (statement.coverage == Coverage::Student) {
        line += ", P = " + std::string(confidenceLabel(statement.confidence)) +
                ", k = " + fixedText(statement.k, -2) +
                ", ν = " + (statement.nu ? std::to_string(*statement.nu) : std::string("∞"));
    } else {
        line += ", k = " + std::string(coverageKey(statement.coverage));
    }
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
    result.coverage = wording.coverage;
    result.k = coverageFactor(wording.coverage, confidence, result.nuEff);
    result.U = result.k * result.uC;
    result.relative = relativeUncertainty(result.mean, result.U);
    result.text =
        resultLine({wording.symbol, wording.unit, result.mean, result.U, result.k, result.nuEff,
                    confidence, wording.digits, wording.coverage, wording.rounding});
    return result;
}

} // namespace tavrello
