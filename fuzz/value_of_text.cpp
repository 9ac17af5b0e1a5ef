// valueOfText on any bytes: a finite double or run-time error 6, nothing else; plain decimal
// texts agree with the C library's strtod, &H/&O texts with their digits.
#include "number_text.h"
#include "property.h"
#include "run_time_error.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tavrello::fuzz::require;

// What a correct reading gives: a value, or nothing for a number beyond the double range.
using Expected = std::optional<double>;

std::string withoutBlanks(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    return compact;
}

// strtod reads the longest decimal prefix itself; cutting the text at the first character
// that cannot be part of a decimal number keeps it from reading "inf", "nan" or hex floats,
// and turning D into E gives it the other exponent letter.
Expected decimalReference(const std::string& compact) {
    std::string decimal;
    for (const char c : compact) {
        if (std::strchr("0123456789+-.eEdD", c) == nullptr || c == '\0') {
            break;
        }
        decimal += c == 'd' || c == 'D' ? 'e' : c;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(decimal.c_str(), &end);
    if (end == decimal.c_str()) {
        return 0.0;
    }
    if (errno == ERANGE && std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

int digitIn(char c, int radix) {
    const char* digits = "0123456789abcdef";
    const char lower = c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c;
    const char* found = lower == '\0' ? nullptr : std::strchr(digits, lower);
    const int value = found == nullptr ? radix : static_cast<int>(found - digits);
    return value < radix ? value : -1;
}

// The digits after &H or &O as an unsigned number, saturated just past 32 bits.
std::uint64_t radixDigits(std::string_view digits, int radix) {
    constexpr std::uint64_t beyond32Bits = std::uint64_t{1} << 32;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = digitIn(c, radix);
        if (digit < 0) {
            break;
        }
        value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (value >= beyond32Bits) {
            return beyond32Bits;
        }
    }
    return value;
}

bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string exactly(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string describe(std::string_view text, std::optional<double> got) {
    return "text \"" + std::string(text) + "\" gave " + (got ? exactly(*got) : "overflow");
}

// &H and &O: the digits as a two's complement integer of 16 bits, or of 32 bits when they do
// not fit 16; overflow beyond 32 bits.
void checkRadix(std::string_view text, std::string_view digits, int radix,
                std::optional<double> got) {
    const std::uint64_t value = radixDigits(digits, radix);
    const bool beyond = value > 0xFFFFFFFFu;
    require(beyond == !got.has_value(), "overflow exactly beyond 32 bits of &H/&O digits",
            describe(text, got));
    if (!got) {
        return;
    }
    require(*got == std::trunc(*got) && *got >= -2147483648.0 && *got <= 4294967295.0,
            "an &H/&O value is a 32-bit integer", describe(text, got));
    const auto bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(*got));
    const std::uint64_t width = value <= 0xFFFF ? 0xFFFF : 0xFFFFFFFF;
    require((bits & width) == value, "an &H/&O value keeps its digits", describe(text, got));
    require(value > 0x7FFF || *got == static_cast<double>(value), "small &H/&O values are positive",
            describe(text, got));
}

void checkAgainstReference(std::string_view text, std::optional<double> got) {
    const std::string compact = withoutBlanks(text);
    if (compact.size() >= 2 && compact[0] == '&' && std::strchr("HhOo", compact[1]) != nullptr &&
        compact[1] != '\0') {
        const int radix = (compact[1] | 0x20) == 'h' ? 16 : 8;
        checkRadix(text, std::string_view(compact).substr(2), radix, got);
        return;
    }
    const Expected expected = decimalReference(compact);
    require(expected.has_value() == got.has_value(), "overflow exactly beyond the double range",
            describe(text, got));
    if (got) {
        require(sameDouble(*expected, *got), "the value strtod reads",
                describe(text, got) + ", strtod " + exactly(*expected));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<double> got;
    try {
        got = tavrello::valueOfText(text);
    } catch (const tavrello::RunTimeError& error) {
        require(error.number() == tavrello::ErrorNumber::Overflow, "the only error is overflow",
                std::string(text));
    }
    if (got) {
        require(std::isfinite(*got), "a value read is finite", describe(text, got));
    }
    checkAgainstReference(text, got);
    return 0;
}
