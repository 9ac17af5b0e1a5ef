// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace tavrello {

// A single as a result label shows it: 7 significant digits of its exact value, half to even,
// no trailing zeros, exponent form ("1.234568E+07", "1.234E-05") outside 0.0001 to 10^7.
std::string singleToText(float value);

// Plain decimal digits, "-" before a negative value, no leading zeros.
std::string integerToText(int value);

} // namespace tavrello
