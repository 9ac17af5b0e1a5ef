// textToInteger on any bytes: errors 13 or 6 only; a result is the text's number rounded half
// to even, and every short plain decimal text is read.
#include "number_text.h"
#include "property.h"
#include "run_time_error.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tavrello::ErrorNumber;
using tavrello::fuzz::require;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// sign, whole digits (commas allowed among them), optional "." and fraction digits
struct Number {
    bool negative = false;
    std::string whole;
    std::string fraction;
    bool hasComma = false;
};

std::optional<Number> numberIn(std::string_view text) {
    Number number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t position = 0;
    for (; position < text.size() && (isDigit(text[position]) || text[position] == ',');
         ++position) {
        number.hasComma = number.hasComma || text[position] == ',';
        if (text[position] != ',') {
            number.whole += text[position];
        }
    }
    if (position < text.size() && text[position] == '.') {
        for (++position; position < text.size() && isDigit(text[position]); ++position) {
            number.fraction += text[position];
        }
    }
    if (position != text.size() || (number.whole.empty() && number.fraction.empty())) {
        return std::nullopt;
    }
    return number;
}

bool isExactHalf(const std::string& fraction) {
    return !fraction.empty() && fraction[0] == '5' &&
           fraction.find_first_not_of('0', 1) == std::string::npos;
}

double approximateValue(const Number& number) {
    const std::string text = (number.negative ? "-" : "") +
                             (number.whole.empty() ? "0" : number.whole) + "." + number.fraction +
                             "0";
    return std::strtod(text.c_str(), nullptr);
}

std::string describe(std::string_view text, std::int16_t got) {
    return "text \"" + std::string(text) + "\" gave " + std::to_string(got);
}

// A success must come from a number and be that number rounded half to even.
void checkSuccess(std::string_view text, std::int16_t got) {
    const std::optional<Number> number = numberIn(trimmed(text));
    require(number.has_value(), "only a number text converts", describe(text, got));
    const double value = approximateValue(*number);
    require(std::fabs(value - got) <= 0.5, "the nearest integer", describe(text, got));
    if (isExactHalf(number->fraction)) {
        require(got % 2 == 0, "a half rounds to even", describe(text, got));
    }
}

// Short plain decimals, where a double holds every digit: exactly what must come out.
void checkPlainDecimal(std::string_view text, std::optional<std::int16_t> got,
                       std::optional<ErrorNumber> error) {
    constexpr std::size_t shortDigits = 6;
    const std::optional<Number> number = numberIn(trimmed(text));
    if (!number || number->hasComma || number->whole.empty() ||
        number->whole.size() > shortDigits || number->fraction.size() > shortDigits) {
        return;
    }
    const double rounded = std::nearbyint(approximateValue(*number));
    if (rounded < -32768 || rounded > 32767) {
        require(error == ErrorNumber::Overflow, "overflow beyond 16 bits", std::string(text));
        return;
    }
    require(got.has_value() && *got == rounded, "a short decimal converts",
            "text \"" + std::string(text) + "\" expected " + std::to_string(rounded));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<std::int16_t> got;
    std::optional<ErrorNumber> error;
    try {
        got = tavrello::textToInteger(text);
    } catch (const tavrello::RunTimeError& failure) {
        error = failure.number();
        require(*error == ErrorNumber::TypeMismatch || *error == ErrorNumber::Overflow,
                "the only errors are type mismatch and overflow", std::string(text));
    }
    if (got) {
        checkSuccess(text, *got);
    }
    checkPlainDecimal(text, got, error);
    return 0;
}
