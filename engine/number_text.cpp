#include "number_text.h"

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

// The value rounded to 7 significant digits: d0 d1 ... d6 times 10^(exponent - 6).
struct RoundedDecimal {
    bool negative = false;
    char digits[significantDigits] = {};
    int exponent = 0;
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

std::string withoutTrailingZeros(std::string fraction) {
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return fraction;
}

std::string joined(std::string whole, const std::string& fraction) {
    return fraction.empty() ? whole : whole + "." + fraction;
}

std::string plainForm(const RoundedDecimal& rounded) {
    const std::string digits(rounded.digits, significantDigits);
    if (rounded.exponent < 0) {
        const std::string fraction =
            std::string(static_cast<std::size_t>(-rounded.exponent - 1), '0') + digits;
        return joined("0", withoutTrailingZeros(fraction));
    }
    const auto wholeLength = static_cast<std::size_t>(rounded.exponent + 1);
    return joined(digits.substr(0, wholeLength), withoutTrailingZeros(digits.substr(wholeLength)));
}

std::string exponentForm(const RoundedDecimal& rounded) {
    const std::string mantissa =
        joined(std::string(1, rounded.digits[0]),
               withoutTrailingZeros(std::string(rounded.digits + 1, significantDigits - 1)));
    const int magnitude = std::abs(rounded.exponent);
    return mantissa + (rounded.exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") +
           std::to_string(magnitude);
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
    const bool plain =
        rounded.exponent >= smallestPlainExponent && rounded.exponent <= largestPlainExponent;
    return (rounded.negative ? "-" : "") + (plain ? plainForm(rounded) : exponentForm(rounded));
}

std::string integerToText(int value) {
    return std::to_string(value);
}

} // namespace tavrello
