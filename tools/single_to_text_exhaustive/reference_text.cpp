#include "reference_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tavrello::check {

namespace {

constexpr std::int64_t lowestSevenDigits = 1'000'000;
constexpr std::int64_t beyondSevenDigits = 10'000'000;
// The scaling below errs by far less than 1e-11; anything this close to a tie is decided exactly.
constexpr long double tieMargin = 1e-6L;

// A magnitude as seven digits: digits times 10^(exponent - 6), 10^6 <= digits < 10^7.
struct Decimal {
    std::int64_t digits;
    int exponent;
};

// Every power the scaling needs: 10^-32 for the largest single, 10^51 for the smallest.
constexpr int lowestPower = -40;
constexpr int highestPower = 60;

struct PowersOfTen {
    long double values[highestPower - lowestPower + 1];

    PowersOfTen() {
        // strtold rounds each decimal correctly; the ones up to 10^27 are exact.
        for (int power = lowestPower; power <= highestPower; ++power) {
            char text[16];
            std::snprintf(text, sizeof text, "1e%d", power);
            values[power - lowestPower] = std::strtold(text, nullptr);
        }
    }
};

long double powerOfTen(int power) {
    static const PowersOfTen powers;
    return powers.values[power - lowestPower];
}

// glibc prints the exact binary value rounded half to even.
Decimal exactlyRounded(double magnitude) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", magnitude);
    // d.dddddde[+-]xx
    char digits[8] = {text[0], text[2], text[3], text[4], text[5], text[6], text[7], '\0'};
    return {std::strtoll(digits, nullptr, 10), std::atoi(text + 9)};
}

Decimal sevenDigits(double magnitude) {
    // From the binary exponent, so at most one below or above the decimal one.
    constexpr double log10Of2 = 0.30102999566398120;
    int exponent = static_cast<int>(std::floor(std::ilogb(magnitude) * log10Of2));
    long double scaled = magnitude * powerOfTen(6 - exponent);
    if (scaled < lowestSevenDigits) {
        --exponent;
        scaled = magnitude * powerOfTen(6 - exponent);
    } else if (scaled >= beyondSevenDigits) {
        ++exponent;
        scaled = magnitude * powerOfTen(6 - exponent);
    }
    const auto whole = static_cast<std::int64_t>(scaled);
    const long double fraction = scaled - static_cast<long double>(whole);
    if (std::fabs(fraction - 0.5L) < tieMargin) {
        return exactlyRounded(magnitude);
    }
    Decimal decimal{whole + (fraction > 0.5L ? 1 : 0), exponent};
    if (decimal.digits == beyondSevenDigits) {
        decimal = {lowestSevenDigits, exponent + 1};
    }
    return decimal;
}

std::size_t append(char* out, std::size_t length, const char* text, std::size_t count) {
    std::memcpy(out + length, text, count);
    return length + count;
}

// Plain from 0.0001 up to 10^7, else one digit, fraction, "E", sign and two exponent digits.
std::size_t format(bool negative, Decimal decimal, char* out) {
    char digits[7];
    for (int place = 6; place >= 0; --place, decimal.digits /= 10) {
        digits[place] = static_cast<char>('0' + decimal.digits % 10);
    }
    std::size_t used = 7;
    while (used > 1 && digits[used - 1] == '0') {
        --used;
    }
    std::size_t length = negative ? append(out, 0, "-", 1) : 0;
    const int exponent = decimal.exponent;
    if (exponent >= 7 || exponent <= -5) {
        length = append(out, length, digits, 1);
        if (used > 1) {
            length = append(out, length, ".", 1);
            length = append(out, length, digits + 1, used - 1);
        }
        const int size = std::abs(exponent);
        const char tail[4] = {'E', exponent < 0 ? '-' : '+', static_cast<char>('0' + size / 10),
                              static_cast<char>('0' + size % 10)};
        return append(out, length, tail, sizeof tail);
    }
    if (exponent < 0) {
        length = append(out, length, "0.0000", static_cast<std::size_t>(1 - exponent));
        return append(out, length, digits, used);
    }
    const auto whole = static_cast<std::size_t>(exponent + 1);
    length = append(out, length, digits, whole);
    if (used > whole) {
        length = append(out, length, ".", 1);
        length = append(out, length, digits + whole, used - whole);
    }
    return length;
}

} // namespace

std::size_t referenceText(float value, char* out) {
    if (std::isnan(value)) {
        return append(out, 0, "NaN", 3);
    }
    if (std::isinf(value)) {
        return value < 0 ? append(out, 0, "-Infinity", 9) : append(out, 0, "Infinity", 8);
    }
    if (value == 0) {
        return append(out, 0, "0", 1);
    }
    return format(std::signbit(value), sevenDigits(std::fabs(static_cast<double>(value))), out);
}

} // namespace tavrello::check
