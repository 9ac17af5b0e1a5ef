// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello {

// The text as one plain decimal number, or nothing. Blanks (space, tab, U+3000, CR, LF) around
// it are ignored; inside it only [+-]digits[.digits][e[+-]digits] is allowed ("5." and ".5"
// too). No inf, nan, hex, grouping commas. A value beyond the double range is not a number.
std::optional<double> readWholeNumber(std::string_view text);

// A series typed or pasted as text, cut into the pieces that each hold one value.
struct SeriesText {
    // The values' texts, trimmed, in the order they came; empty when decimalComma is set.
    std::vector<std::string> pieces;
    // Every piece looks like "10,1": the text uses decimal commas and is left uncut, so that the
    // caller can say so rather than read 10 and 1.
    bool decimalComma = false;
};

// Line breaks and tabs always separate values. Blanks, semicolons and commas (ASCII and
// full-width) separate them only when every piece then reads as a number: "12.5 mm" stays one
// value, "1 2.5" and "1,2,3" are several.
SeriesText splitSeries(std::string_view utf8);

} // namespace tavrello
