// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/series_text.h"

#include "analysis/statistics.h"

#include <algorithm>
#include <charconv>

namespace tavrello {

namespace {

constexpr std::string_view ideographicSpace = "\u3000";
constexpr std::string_view fullWidthSemicolon = "\uFF1B";
constexpr std::string_view fullWidthComma = "\uFF0C";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the blank at the start of text, 0 if none. Line breaks and tabs count when they
// only surround a single value.
std::size_t blankAt(std::string_view text, bool withBreaks) {
    if (text.empty()) {
        return 0;
    }
    if (text[0] == ' ' || (withBreaks && (text[0] == '\t' || text[0] == '\r' || text[0] == '\n'))) {
        return 1;
    }
    return text.starts_with(ideographicSpace) ? ideographicSpace.size() : 0;
}

std::size_t blankBefore(std::string_view text, bool withBreaks) {
    if (text.empty()) {
        return 0;
    }
    const char last = text.back();
    if (last == ' ' || (withBreaks && (last == '\t' || last == '\r' || last == '\n'))) {
        return 1;
    }
    return text.ends_with(ideographicSpace) ? ideographicSpace.size() : 0;
}

std::string_view trimmed(std::string_view text, bool withBreaks) {
    while (const std::size_t length = blankAt(text, withBreaks)) {
        text.remove_prefix(length);
    }
    while (const std::size_t length = blankBefore(text, withBreaks)) {
        text.remove_suffix(length);
    }
    return text;
}

// [+-]? (digits [. digits?] | . digits) ([eE] [+-]? digits)?
bool isPlainDecimal(std::string_view text) {
    std::size_t at = 0;
    const auto digitsFrom = [&text, &at] {
        const std::size_t start = at;
        while (at < text.size() && isDigit(text[at])) {
            ++at;
        }
        return at - start;
    };
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t mantissaDigits = digitsFrom();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissaDigits += digitsFrom();
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        if (digitsFrom() == 0) {
            return false;
        }
    }
    return at == text.size();
}

// [+-]? digits , digits: one ASCII comma, no period.
bool looksLikeDecimalComma(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        text.remove_prefix(1);
    }
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 == text.size()) {
        return false;
    }
    return std::all_of(text.begin(), text.begin() + comma, isDigit) &&
           std::all_of(text.begin() + comma + 1, text.end(), isDigit);
}

// The non-empty pieces of text between separators; isSeparator gives the length of the
// separator at the start of its argument, 0 if there is none.
template <typename Separator>
std::vector<std::string_view> cut(std::string_view text, Separator isSeparator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    std::size_t at = 0;
    const auto close = [&](std::size_t end) {
        const std::string_view piece = trimmed(text.substr(start, end - start), false);
        if (!piece.empty()) {
            pieces.push_back(piece);
        }
    };
    while (at < text.size()) {
        if (const std::size_t length = isSeparator(text.substr(at))) {
            close(at);
            at += length;
            start = at;
        } else {
            ++at;
        }
    }
    close(text.size());
    return pieces;
}

std::size_t lineBreakOrTab(std::string_view text) {
    if (text.starts_with("\r\n")) {
        return 2;
    }
    return text[0] == '\r' || text[0] == '\n' || text[0] == '\t' ? 1 : 0;
}

std::size_t semicolonAt(std::string_view text) {
    if (text[0] == ';') {
        return 1;
    }
    return text.starts_with(fullWidthSemicolon) ? fullWidthSemicolon.size() : 0;
}

std::size_t commaAt(std::string_view text) {
    if (text[0] == ',') {
        return 1;
    }
    return text.starts_with(fullWidthComma) ? fullWidthComma.size() : 0;
}

std::size_t anySeparatorButComma(std::string_view text) {
    if (const std::size_t length = lineBreakOrTab(text)) {
        return length;
    }
    if (const std::size_t length = blankAt(text, false)) {
        return length;
    }
    return semicolonAt(text);
}

std::size_t anySeparator(std::string_view text) {
    if (const std::size_t length = anySeparatorButComma(text)) {
        return length;
    }
    return commaAt(text);
}

bool holdsComma(std::string_view text) {
    return text.find(',') != std::string_view::npos ||
           text.find(fullWidthComma) != std::string_view::npos;
}

bool isNumber(const SeriesPiece& piece) {
    return readWholeNumber(piece.text).has_value();
}

// The lines and tab-separated cells of the text, trimmed, the empty ones left out.
std::vector<SeriesPiece> cellsOf(std::string_view text) {
    std::vector<SeriesPiece> cells;
    int line = 1;
    std::size_t start = 0;
    const auto close = [&](std::size_t end) {
        const std::string_view cell = trimmed(text.substr(start, end - start), false);
        if (!cell.empty()) {
            cells.push_back({std::string(cell), line});
        }
    };
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = lineBreakOrTab(text.substr(at));
        if (length == 0) {
            ++at;
            continue;
        }
        close(at);
        line += text[at] == '\t' ? 0 : 1;
        at += length;
        start = at;
    }
    close(text.size());
    return cells;
}

// The cells cut further at the separators, each piece keeping its cell's line.
template <typename Separator>
std::vector<SeriesPiece> cutCells(const std::vector<SeriesPiece>& cells, Separator isSeparator) {
    std::vector<SeriesPiece> pieces;
    for (const SeriesPiece& cell : cells) {
        for (const std::string_view piece : cut(cell.text, isSeparator)) {
            pieces.push_back({std::string(piece), cell.line});
        }
    }
    return pieces;
}

// The name of a control character, as a message shows it.
std::string controlName(char32_t code) {
    switch (code) {
    case U'\f':
        return "〈换页符〉";
    case U'\v':
        return "〈垂直制表符〉";
    case 0:
        return "〈空字符〉";
    default: {
        static constexpr char hex[] = "0123456789ABCDEF";
        return std::string("〈U+00") + hex[code >> 4] + hex[code & 0xF] + "〉";
    }
    }
}

} // namespace

std::optional<double> readWholeNumber(std::string_view text) {
    text = trimmed(text, true);
    if (!isPlainDecimal(text)) {
        return std::nullopt;
    }
    // from_chars takes a minus sign but not a plus.
    if (text[0] == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

ValueText readValue(std::string_view text) {
    const std::string_view number = trimmed(text, true);
    if (!isPlainDecimal(number)) {
        return {0, ValueText::Problem::NotANumber};
    }
    // A plain decimal number beyond the double range is out of range, not "no number".
    const std::optional<double> value = readWholeNumber(number);
    if (!value || !isAnalysableValue(*value)) {
        return {0, ValueText::Problem::OutOfRange};
    }
    return {*value, ValueText::Problem::None};
}

SeriesText splitSeries(std::string_view utf8,
                       const std::function<bool(std::string_view)>& readsAsOne) {
    const std::vector<std::string_view> commaPieces = cut(utf8, anySeparatorButComma);
    if (!commaPieces.empty() &&
        std::all_of(commaPieces.begin(), commaPieces.end(), looksLikeDecimalComma)) {
        return {{}, true, {}, {}, 0};
    }
    const std::vector<SeriesPiece> cells = cellsOf(utf8);
    if (readsAsOne && !cells.empty() &&
        std::all_of(cells.begin(), cells.end(),
                    [&readsAsOne](const SeriesPiece& cell) { return readsAsOne(cell.text); })) {
        return {cells, false, {}, {}, 0};
    }
    const bool inCells = cells.size() >= 2;
    if (inCells) {
        const auto comma = std::find_if(cells.begin(), cells.end(), [](const SeriesPiece& cell) {
            return holdsComma(cell.text);
        });
        if (comma != cells.end()) {
            return {{}, false, *comma, {}, 0};
        }
    }
    std::vector<SeriesPiece> pieces =
        inCells ? cutCells(cells, anySeparatorButComma) : cutCells(cells, anySeparator);
    const auto notANumber = std::find_if_not(pieces.begin(), pieces.end(), isNumber);
    if (notANumber == pieces.end()) {
        return {std::move(pieces), false, {}, {}, 0};
    }
    return {cells, false, {}, *notANumber, static_cast<std::size_t>(notANumber - pieces.begin())};
}

std::string refusalText(const SeriesText& series, std::string_view subject) {
    const std::string who(subject);
    if (series.commaInCell) {
        return "第 " + std::to_string(series.commaInCell->line) + " 行的“" +
               quotedPiece(series.commaInCell->text) + "”含有逗号。" + who +
               "分行或分列排列时，逗号不分隔数据；本程序也不以逗号作小数点，小数点请用句点"
               "（如“10.1”）。";
    }
    return who + "以逗号作小数点（如“10,1”），本程序以句点作小数点（如“10.1”）。";
}

std::string quotedPiece(std::string_view utf8) {
    constexpr std::size_t mostCharacters = 40;
    std::string quoted;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); ++characters) {
        if (characters == mostCharacters) {
            return quoted + "…";
        }
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (lead < 0x20 || lead == 0x7F) {
            quoted += controlName(lead);
        } else {
            quoted += utf8.substr(at, length);
        }
        at += length;
    }
    return quoted;
}

} // namespace tavrello
