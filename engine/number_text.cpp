// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tavrello {

namespace {

constexpr int significantDigits = 7;
// Rounded values with a leading digit at these powers of ten are written without exponent.
constexpr int smallestPlainExponent = -4;
constexpr int largestPlainExponent = 6;

// The value rounded to 7 significant digits: d0.d1...d6 times 10^exponent.
struct RoundedDecimal {
    bool negative = false;
    char digits[significantDigits] = {};
    int exponent = 0;

    // Significant digits left once trailing zeros are dropped.
    int usedDigits() const {
        int used = significantDigits;
        while (used > 1 && digits[used - 1] == '0') {
            --used;
        }
        return used;
    }
};

RoundedDecimal roundedDecimal(float value) {
    // The widening is exact, and the fixed-precision form rounds the exact binary value, ties
    // to even.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::scientific, significantDigits - 1);
    // buffer holds [-]d.dddddde[+-]xx
    RoundedDecimal rounded;
    const char* cursor = buffer;
    rounded.negative = *cursor == '-';
    cursor += rounded.negative ? 1 : 0;
    rounded.digits[0] = *cursor;
    std::copy(cursor + 2, cursor + 1 + significantDigits, rounded.digits + 1);
    const char* exponentSign = cursor + 2 + significantDigits;
    std::from_chars(exponentSign + 1, result.ptr, rounded.exponent);
    rounded.exponent = *exponentSign == '-' ? -rounded.exponent : rounded.exponent;
    return rounded;
}

char* writePlain(const RoundedDecimal& rounded, char* out) {
    const int used = rounded.usedDigits();
    if (rounded.exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -rounded.exponent - 1, '0');
        return std::copy(rounded.digits, rounded.digits + used, out);
    }
    const int wholeDigits = rounded.exponent + 1;
    out = std::copy(rounded.digits, rounded.digits + wholeDigits, out);
    if (used > wholeDigits) {
        *out++ = '.';
        out = std::copy(rounded.digits + wholeDigits, rounded.digits + used, out);
    }
    return out;
}

// One digit before the separator and at least two exponent digits: "1.234568E+07", "1E-05".
char* writeExponentForm(const RoundedDecimal& rounded, char* out) {
    const int used = rounded.usedDigits();
    *out++ = rounded.digits[0];
    if (used > 1) {
        *out++ = '.';
        out = std::copy(rounded.digits + 1, rounded.digits + used, out);
    }
    *out++ = 'E';
    *out++ = rounded.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(rounded.exponent);
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

} // namespace

std::string singleToText(float value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0) {
        return "0";
    }
    const RoundedDecimal rounded = roundedDecimal(value);
    // Longest: "-0.0001234567" and "-1.234567E-45".
    char text[16];
    char* out = text;
    if (rounded.negative) {
        *out++ = '-';
    }
    const bool plain =
        rounded.exponent >= smallestPlainExponent && rounded.exponent <= largestPlainExponent;
    out = plain ? writePlain(rounded, out) : writeExponentForm(rounded, out);
    return std::string(text, out);
}

std::string integerToText(int value) {
    char text[16];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace tavrello
