#include "compute_test_support.h"

#include <gtest/gtest.h>

namespace tavrello {
namespace {

using testing::computeAndShow;
using testing::SlotTexts;

struct Example {
    std::string name;
    std::vector<std::string> texts;
    std::int16_t n;
    Method method;
    SlotTexts expected;
};

class WorkedExample : public ::testing::TestWithParam<Example> {};

TEST_P(WorkedExample, ShowsEveryDigit) {
    const Example& example = GetParam();
    EXPECT_EQ(computeAndShow(example.texts, example.n, example.method), example.expected);
}

std::string exampleName(const ::testing::TestParamInfo<Example>& info) {
    return info.param.name;
}

const std::vector<std::string> fiveReadings{"10.1", "10.3", "10.2", "10.4", "10.0"};

INSTANTIATE_TEST_SUITE_P(
    FiveReadings, WorkedExample,
    ::testing::Values(
        Example{"Bessel", fiveReadings, 5, Method::Bessel, {"10.2", "0.1581137", "0.07071061"}},
        Example{"Peters", fiveReadings, 5, Method::Peters, {"10.2", "0.1681074", "0.07517993"}},
        Example{"MaximumError",
                fiveReadings,
                5,
                Method::MaximumError,
                {"10.2", "0.1479999", "0.06618755"}},
        // Xmax below Xmin: the deviation stays positive.
        Example{"RangeSwapped", fiveReadings, 5, Method::Range, {"", "0.08583683", "0.0383874"}},
        Example{"Range", {"10.4", "10.0"}, 5, Method::Range, {"", "0.1716737", "0.07677479"}}),
    exampleName);

INSTANTIATE_TEST_SUITE_P(
    TwoReadings, WorkedExample,
    ::testing::Values(
        Example{"Bessel", {"1", "2"}, 2, Method::Bessel, {"1.5", "0.7071068", "0.5"}},
        Example{"Peters", {"1", "2"}, 2, Method::Peters, {"1.5", "0.8860048", "0.6265"}},
        Example{"MaximumError", {"1", "2"}, 2, Method::MaximumError, {"1.5", "0.885", "0.6257895"}},
        Example{"RangeSwapped", {"1", "2"}, 2, Method::Range, {"", "0.8849558", "0.6257582"}},
        Example{"Range", {"2", "1"}, 2, Method::Range, {"", "0.8849558", "0.6257582"}},
        Example{"BoxesAboveNIgnored",
                {"1", "2", "999"},
                2,
                Method::Bessel,
                {"1.5", "0.7071068", "0.5"}},
        Example{"Pi", {"3.14159265", "3.14159265"}, 2, Method::Bessel, {"3.141593", "0", "0"}}),
    exampleName);

// Exactly representable equal values give 0 everywhere; 0.03 is not, so its mean is stored as
// 0.029999997 and the tiny differences survive (values from an independent model).
const std::vector<std::string> fiveTwos(5, "2");
const std::vector<std::string> fiveHundredths(5, "0.03");

INSTANTIATE_TEST_SUITE_P(
    EqualValues, WorkedExample,
    ::testing::Values(Example{"BesselTwos", fiveTwos, 5, Method::Bessel, {"2", "0", "0"}},
                      Example{"PetersTwos", fiveTwos, 5, Method::Peters, {"2", "0", "0"}},
                      Example{"RangeTwos", fiveTwos, 5, Method::Range, {"", "0", "0"}},
                      Example{
                          "MaximumErrorTwos", fiveTwos, 5, Method::MaximumError, {"2", "0", "0"}},
                      Example{"BesselHundredths",
                              fiveHundredths,
                              5,
                              Method::Bessel,
                              {"0.03", "2.082501E-09", "9.313226E-10"}},
                      Example{"PetersHundredths",
                              fiveHundredths,
                              5,
                              Method::Peters,
                              {"0.03", "2.609373E-09", "1.166947E-09"}},
                      Example{"RangeHundredths", fiveHundredths, 5, Method::Range, {"", "0", "0"}},
                      Example{"MaximumErrorHundredths",
                              fiveHundredths,
                              5,
                              Method::MaximumError,
                              {"0.03", "1.378357E-09", "6.164202E-10"}}),
    exampleName);

// Empty boxes within 1 to n count as 0: deviations 0, -3, 3 give u = 3, j = 3 / sqrt(3).
INSTANTIATE_TEST_SUITE_P(
    EmptyBoxes, WorkedExample,
    ::testing::Values(Example{
        "CountAsZero", {"3", "", "6"}, 3, Method::Bessel, {"3", "3", "1.732051"}}),
    exampleName);

// Readings 1 to n: the largest deviation times the supplied coefficient.
INSTANTIATE_TEST_SUITE_P(
    SuppliedMaximumErrorCoefficients, WorkedExample,
    ::testing::Values(Example{"Eleven",
                              {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"},
                              11,
                              Method::MaximumError,
                              {"6", "2.75", "0.8291562"}},
                      Example{"Nineteen",
                              {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13",
                               "14", "15", "16", "17", "18", "19"},
                              19,
                              Method::MaximumError,
                              {"10", "4.32", "0.9910759"}}),
    exampleName);

} // namespace
} // namespace tavrello
