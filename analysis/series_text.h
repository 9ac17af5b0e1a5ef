// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello {

// The text as one plain decimal number, or nothing. Blanks (space, tab, U+3000, CR, LF) around
// it are ignored; inside it only [+-]digits[.digits][e[+-]digits] is allowed ("5." and ".5"
// too). No inf, nan, hex, grouping commas. A value beyond the double range is not a number.
std::optional<double> readWholeNumber(std::string_view text);

// One value of a series as the analysis takes it: a plain decimal number (see readWholeNumber)
// of 0 or a magnitude from 1e-100 to 1e100.
struct ValueText {
    enum class Problem { None, NotANumber, OutOfRange };
    double value = 0;
    Problem problem = Problem::None;
};
ValueText readValue(std::string_view text);

// One piece of a series text and the line it stands on, from 1.
struct SeriesPiece {
    std::string text;
    int line = 0;
};

// A series typed or pasted as text, cut into the pieces that each hold one value.
struct SeriesText {
    // The values' texts, trimmed, in the order they came; empty when the text is refused.
    std::vector<SeriesPiece> pieces;
    // Every piece looks like "10,1": the text uses decimal commas and is left uncut, so that the
    // caller can say so rather than read 10 and 1.
    bool decimalComma = false;
    // Values on lines or in cells, and this one holds a comma, which could be a decimal comma,
    // a thousands separator or a separator: the text is refused rather than guessed at.
    std::optional<SeriesPiece> commaInCell;
    // Where the text is not a list of numbers: the first piece, cut at every separator, that is
    // no number, and how many pieces come before it. A caller that takes numbers only names it.
    std::optional<SeriesPiece> notANumber;
    std::size_t piecesBefore = 0;

    bool refused() const { return decimalComma || commaInCell.has_value(); }
};

// Line breaks and tabs always separate values. Blanks, semicolons and commas (ASCII and
// full-width) separate them only when every piece then reads as a number: "12.5 mm" stays one
// value, "1 2.5" and "1,2,3" are several. Where line breaks or tabs separate values, a comma is no
// separator, and a line or cell with one refuses the text. `readsAsOne`, if given, keeps a line or
// cell whole when every one of them satisfies it.
SeriesText splitSeries(std::string_view utf8,
                       const std::function<bool(std::string_view)>& readsAsOne = {});

// Why a refused series cannot be read, as a sentence about `subject` ("数据", "粘贴的数").
std::string refusalText(const SeriesText& series, std::string_view subject);

// A piece quoted in a message: at most its first 40 characters, and control characters named
// ("〈换页符〉"), so that a terminal shows what is there.
std::string quotedPiece(std::string_view utf8);

} // namespace tavrello
