#include "calculation.h"
#include "fake_controls.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello {
namespace {

using testing::FakeControls;

constexpr float previousU = 1.5F;
constexpr float previousJ = 0.5F;
const std::string untouched = "untouched";

std::vector<std::string> withBox(std::vector<std::string> texts, int box, const std::string& text) {
    texts.resize(inputBoxCount);
    texts.at(static_cast<std::size_t>(box - 1)) = text;
    return texts;
}

struct FailureCase {
    std::string name;
    std::vector<std::string> texts;
    std::int16_t n;
    std::int16_t c;
    ErrorNumber error;
    std::string meanLabel; // slot 1 afterwards
    std::int16_t i;
    float u; // previousU when the command stops before storing u
};

class ComputeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ComputeFailure, StopsAtTheFailingStep) {
    const FailureCase& row = GetParam();
    FakeControls controls;
    controls.setBoxes(row.texts);
    controls.label(ResultGroup::Mean, 1) = untouched;
    CalculationState state{0, row.c, previousJ, previousU, row.n};

    const Outcome outcome = computeCommand(state, controls);

    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->number(), row.error);
    EXPECT_EQ(controls.label(ResultGroup::Mean, 1), row.meanLabel);
    EXPECT_EQ(state.i, row.i);
    EXPECT_EQ(state.u, row.u);
    EXPECT_EQ(state.j, previousJ);
}

std::string failureName(const ::testing::TestParamInfo<FailureCase>& info) {
    return info.param.name;
}

const std::vector<std::string> threeReadings{"1", "2", "6"};

INSTANTIATE_TEST_SUITE_P(
    Inputs, ComputeFailure,
    ::testing::Values(FailureCase{"NoSampleCount", threeReadings, 0, 1, ErrorNumber::Overflow,
                                  untouched, 1, previousU},
                      FailureCase{"BeyondDoubleInHiddenBox", withBox(threeReadings, 17, "1e400"), 3,
                                  1, ErrorNumber::Overflow, untouched, 0, previousU},
                      FailureCase{"BeyondSingleInHiddenBox", withBox(threeReadings, 5, "4e38"), 3,
                                  1, ErrorNumber::Overflow, untouched, 0, previousU},
                      FailureCase{"BeyondSingleInLastBox", withBox(threeReadings, 20, "-1e39"), 3,
                                  1, ErrorNumber::Overflow, untouched, 0, previousU},
                      FailureCase{"SumBeyondSingle",
                                  {"3e38", "3e38"},
                                  2,
                                  1,
                                  ErrorNumber::Overflow,
                                  untouched,
                                  2,
                                  previousU}),
    failureName);

// u and j keep their values rather than take an infinity.
INSTANTIATE_TEST_SUITE_P(
    DeviationBeyondSingle, ComputeFailure,
    ::testing::Values(
        FailureCase{"Bessel", {"1e20", "-1e20"}, 2, 1, ErrorNumber::Overflow, "0", 1, previousU},
        FailureCase{"Range", {"3e38", "-3e38"}, 2, 3, ErrorNumber::Overflow, "", 3, previousU},
        FailureCase{
            "MaximumError", {"3e38", "-3e38"}, 2, 4, ErrorNumber::Overflow, "0", 3, previousU}),
    failureName);

// Sample counts the selector never gives still end in a run-time error, never worse.
INSTANTIATE_TEST_SUITE_P(
    OddSampleCounts, ComputeFailure,
    ::testing::Values(
        FailureCase{"BeyondTheArray", threeReadings, 21, 1, ErrorNumber::SubscriptOutOfRange,
                    untouched, 21, previousU},
        FailureCase{"Largest", threeReadings, 32767, 2, ErrorNumber::SubscriptOutOfRange, untouched,
                    21, previousU},
        FailureCase{"OneBessel", {"5"}, 1, 1, ErrorNumber::Overflow, "5", 2, previousU},
        FailureCase{"OnePeters", {"5"}, 1, 2, ErrorNumber::Overflow, "5", 2, previousU},
        FailureCase{"OneRange", {"1", "2"}, 1, 3, ErrorNumber::DivisionByZero, "", 2, previousU},
        FailureCase{"OneRangeEqual", {"2", "2"}, 1, 3, ErrorNumber::Overflow, "", 2, previousU},
        FailureCase{"SmallestBessel", threeReadings, -32768, 1, ErrorNumber::Overflow, "0", 1,
                    previousU},
        FailureCase{"NegativePairsOverflow", threeReadings, -200, 2, ErrorNumber::Overflow, "0", 1,
                    previousU},
        // The root of a negative count fails only at the deviation of the mean.
        FailureCase{"NegativeBessel", threeReadings, -5, 1, ErrorNumber::Overflow, "0", 1, 0.0F}),
    failureName);

TEST(ComputeCommand, WithAnotherMethodCodeKeepsUAndDerivesJFromIt) {
    for (const std::int16_t code : {std::int16_t{0}, std::int16_t{5}, std::int16_t{-1}}) {
        FakeControls controls;
        controls.setBoxes({"1", "2", "3", "4"});
        CalculationState state{0, code, previousJ, previousU, 4};

        EXPECT_FALSE(computeCommand(state, controls).has_value());
        EXPECT_EQ(controls.label(ResultGroup::Mean, 1), "2.5");
        EXPECT_EQ(state.u, previousU);
        EXPECT_EQ(state.j, 0.75F); // 1.5 / sqrt(4)
    }
}

TEST(RunTimeError, CarriesNumberAndDescription) {
    const std::vector<std::pair<ErrorNumber, std::string>> expected{
        {ErrorNumber::Overflow, "溢出"},
        {ErrorNumber::SubscriptOutOfRange, "下标越界"},
        {ErrorNumber::DivisionByZero, "除数为零"},
        {ErrorNumber::TypeMismatch, "类型不匹配"},
    };
    for (const auto& [number, description] : expected) {
        EXPECT_EQ(RunTimeError(number).description(), description);
    }
}

} // namespace
} // namespace tavrello
