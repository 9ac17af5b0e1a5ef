// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace tavrello {

namespace {

// The digits and decimal exponent of to_chars' scientific form "[-]d[.ddd]e[+-]xx".
DecimalNumber fromScientific(std::string_view text) {
    DecimalNumber number;
    number.negative = text.front() == '-';
    if (number.negative) {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            number.digits += c;
        }
    }
    int exponent = 0;
    std::string_view exponentText = text.substr(e + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    number.exponent = exponent - static_cast<int>(number.digits.size() - 1);
    // Normalise: no leading or trailing zeros, zero without digits.
    const std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return {};
    }
    number.digits.erase(0, first);
    while (number.digits.back() == '0') {
        number.digits.pop_back();
        ++number.exponent;
    }
    return number;
}

} // namespace

int DecimalNumber::leadingPlace() const {
    return isZero() ? 0 : exponent + static_cast<int>(digits.size()) - 1;
}

DecimalNumber shortestDecimal(double value) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    return fromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

DecimalNumber roundedToPlace(const DecimalNumber& number, int place, Rounding rounding) {
    if (number.isZero() || number.exponent >= place) {
        return number;
    }
    // Leading zeros so that at least one digit is kept, even if only a 0.
    std::string digits = number.digits;
    const std::size_t dropped = static_cast<std::size_t>(place - number.exponent);
    if (dropped >= digits.size()) {
        digits.insert(0, dropped - digits.size() + 1, '0');
    }
    const std::size_t kept = digits.size() - dropped;
    const char first = digits[kept];
    const bool restIsZero = digits.find_first_not_of('0', kept + 1) == std::string::npos;
    const bool lastKeptOdd = (digits[kept - 1] - '0') % 2 == 1;
    const bool up = rounding == Rounding::Up
                        ? first != '0' || !restIsZero
                        : first > '5' || (first == '5' && (!restIsZero || lastKeptOdd));
    digits.erase(kept);
    if (up) {
        std::size_t at = digits.size();
        while (at > 0 && digits[at - 1] == '9') {
            digits[--at] = '0';
        }
        if (at == 0) {
            digits.insert(0, 1, '1');
        } else {
            ++digits[at - 1];
        }
    }
    DecimalNumber rounded;
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        return rounded;
    }
    rounded.negative = number.negative;
    rounded.digits = digits.substr(firstNonZero);
    rounded.exponent = place;
    while (rounded.digits.back() == '0') {
        rounded.digits.pop_back();
        ++rounded.exponent;
    }
    return rounded;
}

std::string plainText(const DecimalNumber& number, int lastPlace) {
    // All the digits from 10^0 (or the first digit, if higher) down to 10^lastPlace.
    std::string digits = number.digits;
    int exponent = number.isZero() ? lastPlace : number.exponent;
    if (exponent > lastPlace) {
        digits.append(static_cast<std::size_t>(exponent - lastPlace), '0');
        exponent = lastPlace;
    }
    std::string text = number.negative && !number.isZero() ? "-" : "";
    const int decimals = -exponent;
    if (number.isZero() && decimals <= 0) {
        return "0";
    }
    if (decimals <= 0) {
        return text + digits + std::string(static_cast<std::size_t>(-decimals), '0');
    }
    const std::size_t fraction = static_cast<std::size_t>(decimals);
    if (digits.size() <= fraction) {
        digits.insert(0, fraction - digits.size() + 1, '0');
    }
    const std::size_t point = digits.size() - fraction;
    return text + digits.substr(0, point) + "." + digits.substr(point);
}

std::string superscript(int exponent) {
    static constexpr std::string_view digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    const std::string plain = std::to_string(exponent);
    std::string text;
    for (const char c : plain) {
        text += c == '-' ? std::string_view("⁻") : digits[c - '0'];
    }
    return text;
}

std::string significantText(double value, int significantDigits) {
    if (std::isinf(value)) {
        return value > 0 ? "∞" : "-∞";
    }
    if (std::isnan(value)) {
        return "-";
    }
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, significantDigits - 1)
                         .ptr;
    const DecimalNumber number =
        fromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    const int leading = number.leadingPlace();
    if (number.isZero() || (leading >= -4 && leading < significantDigits)) {
        return plainText(number, std::min(number.exponent, 0));
    }
    DecimalNumber mantissa = number;
    mantissa.exponent -= leading;
    return plainText(mantissa, std::min(mantissa.exponent, 0)) + "×10" + superscript(leading);
}

std::string fixedText(double value, int lastPlace) {
    return plainText(roundedToPlace(shortestDecimal(value), lastPlace), lastPlace);
}

} // namespace tavrello
