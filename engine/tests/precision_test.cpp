#include "compute_test_support.h"

#include <gtest/gtest.h>

namespace tavrello {
namespace {

using testing::computeAndShow;
using testing::SlotTexts;

// Ordinary readings on which one precision mistake moves the seventh digit. The expected texts
// come from an independent single-precision model; each comment names the mistake and the text
// it would show instead.
struct MistakeCase {
    std::string mistake;
    std::vector<std::string> texts;
    Method method;
    SlotTexts expected;
};

class PrecisionMistake : public ::testing::TestWithParam<MistakeCase> {};

TEST_P(PrecisionMistake, DoesNotChangeTheDigits) {
    const MistakeCase& row = GetParam();
    EXPECT_EQ(computeAndShow(row.texts, static_cast<std::int16_t>(row.texts.size()), row.method),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(Catches, PrecisionMistake,
                         ::testing::Values(
                             // Running sum kept in double: mean 392.3433.
                             MistakeCase{"RunningSumNotNarrowed",
                                         {"211.42", "300.92", "664.69"},
                                         Method::Bessel,
                                         {"392.3434", "240.0668", "138.6027"}},
                             // Sum of squares kept in double: u 30.92236.
                             MistakeCase{"BesselSumInDouble",
                                         {"10.37", "47.71", "43.23", "60.97", "95.78"},
                                         Method::Bessel,
                                         {"51.612", "30.92237", "13.8289"}},
                             // Sum of absolute deviations kept in double: u 3.392839.
                             MistakeCase{"PetersSumInDouble",
                                         {"9.14", "8.13", "2.51", "9.02"},
                                         Method::Peters,
                                         {"7.2", "3.39284", "1.69642"}},
                             // Variance narrowed to single before the root: u 29.97205.
                             MistakeCase{"VarianceNarrowedBeforeRoot",
                                         {"66.15", "52.74", "22.13", "94.29"},
                                         Method::Bessel,
                                         {"58.8275", "29.97206", "14.98603"}},
                             // j from the deviation before it was narrowed to u: j 1.449256.
                             MistakeCase{"MeanDeviationFromUnnarrowedU",
                                         {"3.26", "2.96", "7.45"},
                                         Method::Bessel,
                                         {"4.556667", "2.510186", "1.449257"}},
                             // Range coefficient 1.13 as a double: u 5.734513.
                             MistakeCase{"RangeCoefficientAsDouble",
                                         {"7.51", "1.03"},
                                         Method::Range,
                                         {"", "5.734514", "4.054914"}},
                             // Maximum-error coefficient 1.02 as a double: u 1.717001.
                             MistakeCase{"MaximumErrorCoefficientAsDouble",
                                         {"5.18", "7.55", "4.87"},
                                         Method::MaximumError,
                                         {"5.866666", "1.717", "0.9913107"}},
                             // Peters factor 1.253 held as a single: u 18.30356.
                             MistakeCase{"PetersFactorAsSingle",
                                         {"46.3", "91.8", "79.75", "89.45", "87.52"},
                                         Method::Peters,
                                         {"78.964", "18.30355", "8.185598"}}),
                         [](const ::testing::TestParamInfo<MistakeCase>& info) {
                             return info.param.mistake;
                         });

} // namespace
} // namespace tavrello
