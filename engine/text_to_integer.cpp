// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/text_to_integer.h"

#include "engine/run_time_error.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavrello {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

[[noreturn]] void notANumber() {
    throw RunTimeError(ErrorNumber::TypeMismatch);
}

// Digits with comma thousands separators; saturates far beyond the 16-bit range.
std::int64_t wholePart(std::string_view digits) {
    constexpr std::int64_t saturation = 1'000'000;
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c == ',') {
            continue;
        }
        if (!isDigit(c)) {
            notANumber();
        }
        value = std::min(value * 10 + (c - '0'), saturation);
    }
    return value;
}

// Whether the fraction rounds the whole part up, half to even.
bool roundsUp(std::string_view fraction, std::int64_t whole) {
    if (!std::all_of(fraction.begin(), fraction.end(), isDigit)) {
        notANumber();
    }
    if (fraction.empty() || fraction.front() != '5') {
        return !fraction.empty() && fraction.front() > '5';
    }
    const bool aboveHalf = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    return aboveHalf || whole % 2 != 0;
}

} // namespace

std::int16_t textToInteger(std::string_view text) {
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = text.substr(std::min(point + 1, text.size()));
    // A separator may only stand between digits of the whole part.
    const bool hasDigit = std::any_of(text.begin(), text.end(), isDigit);
    if (!hasDigit || (!whole.empty() && (!isDigit(whole.front()) || whole.back() == ','))) {
        notANumber();
    }
    std::int64_t magnitude = wholePart(whole);
    if (roundsUp(fraction, magnitude)) {
        ++magnitude;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
    return static_cast<std::int16_t>(value);
}

} // namespace tavrello
