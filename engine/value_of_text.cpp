// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/value_of_text.h"

#include "engine/run_time_error.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tavrello {

namespace {

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string withoutBlanks(std::string_view text) {
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return !isBlank(c); });
    return compact;
}

int digitValue(char c, int radix) {
    int value = radix;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < radix ? value : -1;
}

// &H and &O numbers: 16-bit signed when they fit 16 bits, else 32-bit signed, so &HFFFF and
// &HFFFFFFFF are both -1 while &H10000 is 65536.
double radixValue(std::string_view digits, int radix) {
    constexpr std::uint64_t largest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c, radix);
        if (digit < 0) {
            break;
        }
        value =
            std::min(value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit),
                     largest + 1);
    }
    if (value > largest) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
    if (value <= std::numeric_limits<std::uint16_t>::max()) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// A decimal number taken apart: its significant digits, and the power of ten of the last one.
struct DecimalParts {
    bool negative = false;
    bool anyDigit = false;
    std::string significand; // no leading zeros
    std::int64_t exponent = 0;
};

class DecimalScanner {
  public:
    explicit DecimalScanner(std::string_view text) : text_(text) {}

    DecimalParts scan() {
        DecimalParts parts;
        if (accept("+-")) {
            parts.negative = text_[position_ - 1] == '-';
        }
        while (position_ < text_.size() && isDecimalDigit(text_[position_])) {
            appendDigit(parts, text_[position_++]);
        }
        if (accept(".")) {
            while (position_ < text_.size() && isDecimalDigit(text_[position_])) {
                appendDigit(parts, text_[position_++]);
                --parts.exponent;
            }
        }
        if (accept("EeDd")) {
            parts.exponent += scanExponent();
        }
        return parts;
    }

  private:
    bool accept(std::string_view choices) {
        if (position_ < text_.size() && choices.find(text_[position_]) != std::string_view::npos) {
            ++position_;
            return true;
        }
        return false;
    }

    static void appendDigit(DecimalParts& parts, char digit) {
        parts.anyDigit = true;
        if (digit != '0' || !parts.significand.empty()) {
            parts.significand += digit;
        }
    }

    std::int64_t scanExponent() {
        // Far beyond any exponent a text box can need; saturating keeps the sums in range.
        constexpr std::int64_t saturation = 1'000'000'000'000;
        const bool negative = accept("+-") && text_[position_ - 1] == '-';
        std::int64_t exponent = 0;
        while (position_ < text_.size() && isDecimalDigit(text_[position_])) {
            exponent = std::min(exponent * 10 + (text_[position_++] - '0'), saturation);
        }
        return negative ? -exponent : exponent;
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

double decimalValue(const DecimalParts& parts) {
    const double zero = parts.negative ? -0.0 : 0.0;
    if (parts.significand.empty()) {
        return zero;
    }
    // Power of ten of the leading digit; decides overflow and underflow before any rounding.
    const auto leading = parts.exponent + static_cast<std::int64_t>(parts.significand.size()) - 1;
    if (leading > std::numeric_limits<double>::max_exponent10 + 1) {
        throw RunTimeError(ErrorNumber::Overflow);
    }
    if (leading < std::numeric_limits<double>::min_exponent10 - 20) {
        return zero;
    }
    const std::string normalized =
        (parts.negative ? "-" : "") + parts.significand + "e" + std::to_string(parts.exponent);
    double value = 0;
    const auto result =
        std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leading > 0) {
            throw RunTimeError(ErrorNumber::Overflow);
        }
        return zero;
    }
    return value;
}

} // namespace

double valueOfText(std::string_view text) {
    const std::string compact = withoutBlanks(text);
    if (compact.size() >= 2 && compact[0] == '&') {
        switch (compact[1]) {
        case 'H':
        case 'h':
            return radixValue(std::string_view(compact).substr(2), 16);
        case 'O':
        case 'o':
            return radixValue(std::string_view(compact).substr(2), 8);
        default:
            break;
        }
    }
    const DecimalParts parts = DecimalScanner(compact).scan();
    return parts.anyDigit ? decimalValue(parts) : 0.0;
}

} // namespace tavrello
