#pragma once

#include <QString>

namespace tavrello {

// Whether a result label shows a finite single the way a user reads it, decided without the
// engine's formatting. Well formed is "0", or an optional "-" and then either
//   plain:    "0" or a whole part of 1 to 7 digits without leading zeros, optionally "." and a
//             fraction ending in a non-zero digit; below 1 at most three zeros follow "0."
//             (so 0.0001 <= magnitude < 10^7);
//   exponent: a digit 1-9, optionally "." and a fraction ending in a non-zero digit, then "E",
//             a sign and two digits, E+07 to E+38 or E-05 to E-45;
// with at most 7 significant digits. "-0", "Infinity", "NaN" and blanks are not well formed.
bool isWellFormedNumberText(const QString& text);

} // namespace tavrello
