#include "number_text.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tavrello {
namespace {

struct TextCase {
    float value;
    std::string expected;
};

class SingleToText : public ::testing::TestWithParam<TextCase> {};

TEST_P(SingleToText, ShowsSevenSignificantDigits) {
    EXPECT_EQ(singleToText(GetParam().value), GetParam().expected)
        << "for " << static_cast<double>(GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Plain, SingleToText,
                         ::testing::Values(TextCase{0.5F, "0.5"}, TextCase{-2.5F, "-2.5"},
                                           TextCase{1.0F / 3.0F, "0.3333333"},
                                           TextCase{2.0F / 3.0F, "0.6666667"},
                                           TextCase{100.0F, "100"}, TextCase{1234567.0F, "1234567"},
                                           TextCase{9999999.0F, "9999999"},
                                           TextCase{0.0001F, "0.0001"}, TextCase{10.2F, "10.2"},
                                           TextCase{-0.0383874F, "-0.0383874"}));

// The exact binary value is rounded, not its shortest decimal form: 1732.1025390625 is held
// exactly, and 1732.1025 would round to even.
INSTANTIATE_TEST_SUITE_P(
    ExactValueTiesToEven, SingleToText,
    ::testing::Values(TextCase{1732.1025390625F, "1732.103"}, TextCase{494.53125F, "494.5312"},
                      TextCase{123456.25F, "123456.2"}, TextCase{123456.75F, "123456.8"},
                      TextCase{1234567.5F, "1234568"}, TextCase{8388606.5F, "8388606"},
                      TextCase{8388607.5F, "8388608"}, TextCase{-494.53125F, "-494.5312"}));

// The form follows the rounded value: 9999999.5 rounds to 10^7, and the single nearest 0.0001,
// which lies below it, rounds to 0.0001 while the next one down does not.
INSTANTIATE_TEST_SUITE_P(
    ExponentForm, SingleToText,
    ::testing::Values(TextCase{12345678.0F, "1.234568E+07"}, TextCase{1e7F, "1E+07"},
                      TextCase{9999999.5F, "1E+07"}, TextCase{-12345678.0F, "-1.234568E+07"},
                      TextCase{1.234e-5F, "1.234E-05"}, TextCase{0x1.a36e2ep-14F, "0.0001"},
                      TextCase{0x1.a36e2cp-14F, "9.999999E-05"},
                      TextCase{std::numeric_limits<float>::max(), "3.402823E+38"},
                      TextCase{std::numeric_limits<float>::min(), "1.175494E-38"},
                      TextCase{std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
                      TextCase{2.082501e-9F, "2.082501E-09"}));

INSTANTIATE_TEST_SUITE_P(
    Special, SingleToText,
    ::testing::Values(TextCase{0.0F, "0"}, TextCase{-0.0F, "0"},
                      TextCase{std::numeric_limits<float>::infinity(), "Infinity"},
                      TextCase{-std::numeric_limits<float>::infinity(), "-Infinity"},
                      TextCase{std::numeric_limits<float>::quiet_NaN(), "NaN"}));

TEST(IntegerToText, WritesPlainDecimalDigits) {
    EXPECT_EQ(integerToText(5), "5");
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(2026), "2026");
    EXPECT_EQ(integerToText(-32768), "-32768");
}

} // namespace
} // namespace tavrello
