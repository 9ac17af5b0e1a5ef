#pragma once

#include <string_view>

namespace tavrello::fuzz {

// Whether a result label shows a finite single the way a user reads it, written independently
// of the engine's formatting. Well formed is "0", or an optional "-" and then either
//   plain:    whole part without leading zeros ("0" below 1), optionally "." and a fraction
//             that ends in a non-zero digit; at most 7 whole digits, at most 3 zeros between
//             "0." and the first significant digit (so 0.0001 <= magnitude < 10^7);
//   exponent: a digit 1-9, optionally "." and fraction digits ending in a non-zero digit,
//             "E", a sign and exactly two digits: E+07 to E+38 or E-05 to E-45;
// with 1 to 7 significant digits, counted from the first non-zero digit to the last digit.
// "-0", "Infinity", "NaN", blanks, commas and lower-case "e" are not well formed.
bool isWellFormedNumberText(std::string_view text);

} // namespace tavrello::fuzz
