#include "number_text.h"
#include "run_time_error.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tavrello {
namespace {

struct ValueCase {
    std::string text;
    double expected;
};

class ValueOfText : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueOfText, ReadsTheLeadingNumber) {
    EXPECT_EQ(valueOfText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, ValueOfText,
    ::testing::Values(ValueCase{"", 0}, ValueCase{"abc", 0}, ValueCase{"12.5mm", 12.5},
                      ValueCase{"1,5", 1}, ValueCase{"1 2.5", 12.5}, ValueCase{" \t1\n0 ", 10},
                      ValueCase{"-.5", -0.5}, ValueCase{"+7.", 7}, ValueCase{"2e3", 2000},
                      ValueCase{"1.5D2", 150}, ValueCase{"1.5d-1", 0.15}, ValueCase{"25E+1", 250},
                      ValueCase{"3e", 3}, ValueCase{"3e-", 3}, ValueCase{"e5", 0},
                      ValueCase{".", 0}, ValueCase{"-", 0}, ValueCase{"1.2.3", 1.2},
                      ValueCase{"１", 0}, ValueCase{"3.14159265", 3.14159265},
                      ValueCase{"0.1000000000000000055511151231257827", 0.1},
                      ValueCase{"000000000000000000000000000000000012", 12},
                      ValueCase{"0e99999999999999999999999", 0}));

INSTANTIATE_TEST_SUITE_P(
    DoubleRangeEdges, ValueOfText,
    ::testing::Values(ValueCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
                      ValueCase{"4.9406564584124654e-324",
                                std::numeric_limits<double>::denorm_min()},
                      ValueCase{"1e-400", 0}, ValueCase{"-1e-99999999999999999999", 0},
                      ValueCase{"0.0000000001e-320", 0}));

INSTANTIATE_TEST_SUITE_P(
    Radix, ValueOfText,
    ::testing::Values(ValueCase{"&H10", 16}, ValueCase{"&hff", 255}, ValueCase{"&H7FFF", 32767},
                      ValueCase{"&H8000", -32768}, ValueCase{"&HFFFF", -1},
                      ValueCase{"&H0000FFFF", -1}, ValueCase{"&H10000", 65536},
                      ValueCase{"&H7FFFFFFF", 2147483647}, ValueCase{"&H80000000", -2147483648.0},
                      ValueCase{"&HFFFFFFFF", -1}, ValueCase{"&O17", 15}, ValueCase{"&o177777", -1},
                      ValueCase{"&O200000", 65536}, ValueCase{"&O78", 7}, ValueCase{"&H1G", 1},
                      ValueCase{"&H", 0}, ValueCase{"&Hxyz", 0}, ValueCase{"& H 1 F", 31},
                      ValueCase{"&X12", 0}));

class ValueOfTextOverflow : public ::testing::TestWithParam<std::string> {};

TEST_P(ValueOfTextOverflow, RaisesOverflow) {
    try {
        static_cast<void>(valueOfText(GetParam()));
        ADD_FAILURE() << "no error for " << GetParam();
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow) << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(BeyondRange, ValueOfTextOverflow,
                         ::testing::Values("1e309", "-1e309", "1.8e308", "1e99999999999999999999",
                                           "1" + std::string(400, '0'), "&H100000000",
                                           "&HFFFFFFFFFFFFFFFFFFFF", "&O40000000000"));

} // namespace
} // namespace tavrello
