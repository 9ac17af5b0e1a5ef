#include "coefficients.h"

#include <charconv>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace tavrello {
namespace {

float nearestSingle(std::string_view decimal) {
    float value = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    return value;
}

// The tables as printed, from n = 2 on; the maximum-error rows for 11 to 14 and 16 to 19 are
// the supplied ones.
const std::vector<std::string_view> rangeDecimals{
    "1.13", "1.69", "2.06", "2.33", "2.53", "2.7",  "2.85", "2.97", "3.08", "3.17",
    "3.26", "3.34", "3.41", "3.47", "3.53", "3.59", "3.64", "3.69", "3.74"};
const std::vector<std::string_view> maximumErrorDecimals{
    "1.77", "1.02", "0.83", "0.74", "0.68", "0.64", "0.61", "0.59", "0.57", "0.55",
    "0.54", "0.53", "0.52", "0.51", "0.50", "0.49", "0.49", "0.48", "0.48"};

void expectTable(const CoefficientTable& table, const std::vector<std::string_view>& decimals) {
    for (std::int16_t n = 2; n <= 20; ++n) {
        EXPECT_EQ(coefficientFor(table, n),
                  nearestSingle(decimals.at(static_cast<std::size_t>(n - 2))))
            << "n = " << n;
    }
}

TEST(Coefficients, RangeTableHoldsTheNearestSingles) {
    expectTable(rangeCoefficients, rangeDecimals);
}

TEST(Coefficients, MaximumErrorTableHoldsTheNearestSingles) {
    expectTable(maximumErrorCoefficients, maximumErrorDecimals);
}

TEST(Coefficients, ZeroForCountsOutsideTheTable) {
    for (const int n : {-32768, -1, 0, 1, 21, 32767}) {
        const auto count = static_cast<std::int16_t>(n);
        EXPECT_EQ(coefficientFor(rangeCoefficients, count), 0.0F) << "n = " << n;
        EXPECT_EQ(coefficientFor(maximumErrorCoefficients, count), 0.0F) << "n = " << n;
    }
}

TEST(Coefficients, EnterTheArithmeticAsSingles) {
    EXPECT_EQ(static_cast<double>(coefficientFor(rangeCoefficients, 2)), 1.1299999952316284);
    EXPECT_EQ(static_cast<double>(coefficientFor(maximumErrorCoefficients, 10)),
              0.5699999928474426);
}

} // namespace
} // namespace tavrello
