// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrello {

// Leading-number parse of an input box: blanks, tabs and line feeds are ignored anywhere,
// &H/&O prefixes read hexadecimal/octal, the period is always the decimal separator, the
// first character that cannot continue the number ends it, no digit gives 0.
// Throws RunTimeError (overflow) for a number beyond the double range.
double valueOfText(std::string_view text);

// A whole decimal number, Chinese (PRC) conventions, fraction rounded half to even.
// Throws RunTimeError: type mismatch for a text that is not a number, overflow beyond 16 bits.
std::int16_t textToInteger(std::string_view text);

// A single as a result label shows it: 7 significant digits of its exact value, half to even,
// no trailing zeros, exponent form ("1.234568E+07", "1.234E-05") outside 0.0001 to 10^7.
std::string singleToText(float value);

// Plain decimal digits, "-" before a negative value, no leading zeros.
std::string integerToText(int value);

} // namespace tavrello
