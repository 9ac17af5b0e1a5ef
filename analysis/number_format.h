// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace tavrello {

// A decimal number: digits × 10^exponent, digits without leading or trailing zeros, empty for
// zero.
// Rounding works on these digits, so a value is rounded as it is written, not as it is stored
// in binary: 0.125 to two decimals is 0.12, half to even.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
    // The power of ten of the first digit; 0 for zero.
    int leadingPlace() const;
};

// The shortest decimal that reads back as the same double (finite values only).
DecimalNumber shortestDecimal(double value);

// How digits below a place go: half to even, or up (away from zero) whenever one of them is not
// 0, as courses that round an uncertainty only up (只进不舍) teach.
enum class Rounding { HalfEven, Up };

// Rounded at 10^place: no digit is left below it.
DecimalNumber roundedToPlace(const DecimalNumber& number, int place,
                             Rounding rounding = Rounding::HalfEven);

// Plain decimal notation with its last digit at 10^lastPlace (zeros appended where the number
// ends above it); "-" only before a non-zero value.
std::string plainText(const DecimalNumber& number, int lastPlace);

// "⁻⁶", "⁹": an exponent in superscript digits.
std::string superscript(int exponent);

// The value to the given number of significant digits, trailing zeros dropped, as sentences
// and tables show it: "0.0326890" is "0.032689", 1.5e-7 is "1.5×10⁻⁷" (beyond 10⁻⁴ and 10^digits
// the exponent form is used); "∞", "-∞" for infinite values.
std::string significantText(double value, int significantDigits = 6);

// The value with its last digit at 10^lastPlace, rounded half to even from its shortest text.
std::string fixedText(double value, int lastPlace);

} // namespace tavrello
