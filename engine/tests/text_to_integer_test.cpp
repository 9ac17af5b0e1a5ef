#include "number_text.h"
#include "run_time_error.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace tavrello {
namespace {

TEST(TextToInteger, ReadsEverySampleCountEntry) {
    for (int n = 2; n <= 20; ++n) {
        EXPECT_EQ(textToInteger(std::to_string(n)), n);
    }
}

struct IntegerCase {
    std::string text;
    std::int16_t expected;
};

class TextToInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(TextToInteger, ReadsAWholeNumber) {
    EXPECT_EQ(textToInteger(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, TextToInteger,
                         ::testing::Values(IntegerCase{" 7 ", 7}, IntegerCase{"\t+5", 5},
                                           IntegerCase{"-12", -12}, IntegerCase{"-0", 0},
                                           IntegerCase{"0020", 20}, IntegerCase{"1,234", 1234},
                                           IntegerCase{"32,767", 32767},
                                           IntegerCase{"-32768", -32768}, IntegerCase{"5.", 5},
                                           IntegerCase{"2.4", 2}, IntegerCase{"2.6", 3}));

INSTANTIATE_TEST_SUITE_P(HalfToEven, TextToInteger,
                         ::testing::Values(IntegerCase{"2.5", 2}, IntegerCase{"3.5", 4},
                                           IntegerCase{"-2.5", -2}, IntegerCase{"-3.5", -4},
                                           IntegerCase{".5", 0}, IntegerCase{"2.50", 2},
                                           IntegerCase{"2.500001", 3},
                                           IntegerCase{"-32768.5", -32768},
                                           IntegerCase{"32766.5", 32766}));

struct FailureCase {
    std::string text;
    ErrorNumber expected;
};

class TextToIntegerFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TextToIntegerFailure, RaisesTheError) {
    try {
        static_cast<void>(textToInteger(GetParam().text));
        ADD_FAILURE() << "no error for " << GetParam().text;
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), GetParam().expected) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(NotANumber, TextToIntegerFailure,
                         ::testing::Values(FailureCase{"", ErrorNumber::TypeMismatch},
                                           FailureCase{"  ", ErrorNumber::TypeMismatch},
                                           FailureCase{"请选择", ErrorNumber::TypeMismatch},
                                           FailureCase{"-", ErrorNumber::TypeMismatch},
                                           FailureCase{".", ErrorNumber::TypeMismatch},
                                           FailureCase{"12abc", ErrorNumber::TypeMismatch},
                                           FailureCase{"1 2", ErrorNumber::TypeMismatch},
                                           FailureCase{"1.2.3", ErrorNumber::TypeMismatch},
                                           FailureCase{",5", ErrorNumber::TypeMismatch},
                                           FailureCase{"5,", ErrorNumber::TypeMismatch},
                                           FailureCase{"1.5,0", ErrorNumber::TypeMismatch},
                                           FailureCase{"--5", ErrorNumber::TypeMismatch}));

INSTANTIATE_TEST_SUITE_P(Beyond16Bits, TextToIntegerFailure,
                         ::testing::Values(FailureCase{"32768", ErrorNumber::Overflow},
                                           FailureCase{"-32769", ErrorNumber::Overflow},
                                           FailureCase{"32767.5", ErrorNumber::Overflow},
                                           FailureCase{"99999999999999999999999",
                                                       ErrorNumber::Overflow}));

} // namespace
} // namespace tavrello
