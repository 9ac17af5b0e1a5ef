// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace tavrello {

// Leading-number parse of an input box: blanks, tabs and line feeds are ignored anywhere,
// &H/&O prefixes read hexadecimal/octal, the period is always the decimal separator, the
// first character that cannot continue the number ends it, no digit gives 0.
// Throws RunTimeError (overflow) for a number beyond the double range.
double valueOfText(std::string_view text);

} // namespace tavrello
