// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/series_text.h"

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

std::vector<std::string> copied(const std::vector<std::string_view>& pieces) {
    return {pieces.begin(), pieces.end()};
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

SeriesText splitSeries(std::string_view utf8) {
    const std::vector<std::string_view> commaPieces = cut(utf8, anySeparatorButComma);
    if (!commaPieces.empty() &&
        std::all_of(commaPieces.begin(), commaPieces.end(), looksLikeDecimalComma)) {
        return {{}, true};
    }
    const std::vector<std::string_view> pieces = cut(utf8, anySeparator);
    const bool allNumbers = std::all_of(pieces.begin(), pieces.end(), [](std::string_view piece) {
        return readWholeNumber(piece).has_value();
    });
    return {copied(allNumbers ? pieces : cut(utf8, lineBreakOrTab)), false};
}

} // namespace tavrello
