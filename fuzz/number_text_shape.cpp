#include "number_text_shape.h"

#include <cstddef>

namespace tavrello::fuzz {

namespace {

constexpr std::size_t maximumSignificantDigits = 7;
constexpr std::size_t maximumWholeDigits = 7;
constexpr std::size_t maximumZerosAfterPoint = 3;
constexpr int smallestPositiveExponent = 7;
constexpr int largestPositiveExponent = 38;
constexpr int smallestNegativeExponent = 5; // magnitude of the exponent
constexpr int largestNegativeExponent = 45;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Splits off the leading run of decimal digits.
std::string_view takeDigits(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && isDigit(text[length])) {
        ++length;
    }
    const std::string_view digits = text.substr(0, length);
    text.remove_prefix(length);
    return digits;
}

bool takeChar(std::string_view& text, char expected) {
    if (!text.empty() && text.front() == expected) {
        text.remove_prefix(1);
        return true;
    }
    return false;
}

// Digits of whole part and fraction together, from the first non-zero one to the end.
std::size_t significantDigits(std::string_view whole, std::string_view fraction) {
    std::size_t count = 0;
    bool started = false;
    for (const std::string_view part : {whole, fraction}) {
        for (const char digit : part) {
            started = started || digit != '0';
            count += started ? 1 : 0;
        }
    }
    return count;
}

// "." followed by at least one digit, the last one not zero; absent is fine too.
bool takeFraction(std::string_view& text, std::string_view& fraction) {
    fraction = {};
    if (!takeChar(text, '.')) {
        return true;
    }
    fraction = takeDigits(text);
    return !fraction.empty() && fraction.back() != '0';
}

bool isWellFormedExponent(std::string_view text) {
    if (text.size() != 3 || (text[0] != '+' && text[0] != '-') || !isDigit(text[1]) ||
        !isDigit(text[2])) {
        return false;
    }
    const int magnitude = (text[1] - '0') * 10 + (text[2] - '0');
    return text[0] == '+'
               ? magnitude >= smallestPositiveExponent && magnitude <= largestPositiveExponent
               : magnitude >= smallestNegativeExponent && magnitude <= largestNegativeExponent;
}

bool isWellFormedMagnitude(std::string_view text) {
    const std::string_view whole = takeDigits(text);
    std::string_view fraction;
    if (whole.empty() || !takeFraction(text, fraction)) {
        return false;
    }
    const std::size_t significant = significantDigits(whole, fraction);
    if (significant == 0 || significant > maximumSignificantDigits) {
        return false;
    }
    if (takeChar(text, 'E')) {
        return whole.size() == 1 && whole != "0" && isWellFormedExponent(text);
    }
    if (!text.empty()) {
        return false;
    }
    if (whole == "0") {
        const std::size_t zeros = fraction.find_first_not_of('0');
        return zeros <= maximumZerosAfterPoint;
    }
    return whole.front() != '0' && whole.size() <= maximumWholeDigits;
}

} // namespace

bool isWellFormedNumberText(std::string_view text) {
    if (text == "0") {
        return true;
    }
    takeChar(text, '-');
    return isWellFormedMagnitude(text);
}

} // namespace tavrello::fuzz
