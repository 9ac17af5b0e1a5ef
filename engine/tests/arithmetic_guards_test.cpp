#include "float_flags.h"
#include "guarded_integer.h"
#include "run_time_error.h"
#include "single_array.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace tavrello {
namespace {

std::optional<ErrorNumber> errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double largestSingle = std::numeric_limits<float>::max();

struct FlagCase {
    std::string name;
    std::function<void(FloatFlags&)> steps;
    std::optional<ErrorNumber> atCheckpoint;
};

class FloatFlagCheckpoint : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FloatFlagCheckpoint, RaisesWhatTheStepsRecorded) {
    FloatFlags flags;
    GetParam().steps(flags);
    EXPECT_EQ(errorOf([&] { flags.checkpoint(); }), GetParam().atCheckpoint);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FloatFlagCheckpoint,
    ::testing::Values(
        FlagCase{"OrdinaryArithmetic",
                 [](FloatFlags& f) { f.narrow(f.divide(f.multiply(f.add(1, 2), 3), 7)); },
                 std::nullopt},
        FlagCase{"NonzeroOverZero", [](FloatFlags& f) { f.divide(-1, 0); },
                 ErrorNumber::DivisionByZero},
        FlagCase{"ZeroOverZero", [](FloatFlags& f) { f.divide(0, 0); }, ErrorNumber::Overflow},
        FlagCase{"InfinityOverInfinity", [](FloatFlags& f) { f.divide(infinity, infinity); },
                 ErrorNumber::Overflow},
        FlagCase{"InfinityMinusInfinity", [](FloatFlags& f) { f.subtract(infinity, infinity); },
                 ErrorNumber::Overflow},
        FlagCase{"ZeroTimesInfinity", [](FloatFlags& f) { f.multiply(0, infinity); },
                 ErrorNumber::Overflow},
        FlagCase{"DoubleProductOverflows", [](FloatFlags& f) { f.multiply(1e200, 1e200); },
                 ErrorNumber::Overflow},
        FlagCase{"InfinityPlusOneIsNoNewFault", [](FloatFlags& f) { f.add(infinity, 1); },
                 std::nullopt},
        FlagCase{"QuietNaNPassesThrough",
                 [](FloatFlags& f) { f.add(std::numeric_limits<double>::quiet_NaN(), 1); },
                 std::nullopt},
        FlagCase{"RootOfNegative", [](FloatFlags& f) { f.squareRoot(-1); }, ErrorNumber::Overflow},
        FlagCase{"RootOfNegativeZero", [](FloatFlags& f) { f.squareRoot(-0.0); }, std::nullopt},
        FlagCase{"NarrowBeyondSingle", [](FloatFlags& f) { f.narrow(-1e39); },
                 ErrorNumber::Overflow},
        FlagCase{"NarrowToLargestSingle", [](FloatFlags& f) { f.narrow(largestSingle); },
                 std::nullopt},
        // Halfway between the largest single and 2^128 rounds to the even one, which overflows.
        FlagCase{"NarrowHalfwayToInfinity", [](FloatFlags& f) { f.narrow(0x1.ffffffp127); },
                 ErrorNumber::Overflow},
        FlagCase{"NarrowJustBelowHalfway", [](FloatFlags& f) { f.narrow(0x1.fffffefffffffp127); },
                 std::nullopt},
        FlagCase{"NarrowUnderflowIsNoFault", [](FloatFlags& f) { f.narrow(1e-300); }, std::nullopt},
        FlagCase{"DivisionByZeroWinsOverInvalid",
                 [](FloatFlags& f) {
                     f.divide(0, 0);
                     f.divide(1, 0);
                 },
                 ErrorNumber::DivisionByZero},
        FlagCase{"FlagsAreSticky",
                 [](FloatFlags& f) {
                     f.divide(1, 0);
                     f.add(1, 1);
                 },
                 ErrorNumber::DivisionByZero},
        FlagCase{"ClearForgetsThem",
                 [](FloatFlags& f) {
                     f.divide(1, 0);
                     f.narrow(1e39);
                     f.clear();
                 },
                 std::nullopt}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return info.param.name; });

TEST(FloatFlags, NarrowRoundsToNearestEven) {
    FloatFlags flags;
    EXPECT_EQ(flags.narrow(1.0 + 0x1p-24), 1.0F);
    EXPECT_EQ(flags.narrow(1.0 + 0x1p-24 + 0x1p-50), 1.0F + 0x1p-23F);
    EXPECT_EQ(flags.narrow(-1e39), -std::numeric_limits<float>::infinity());
}

TEST(FloatFlags, NarrowFiniteRefusesInsteadOfStoringAnInfinity) {
    EXPECT_EQ(errorOf([] { narrowFinite(4e38); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { narrowFinite(3e38); }), std::nullopt);
}

TEST(GuardedInteger, RaisesOverflowOutside16Bits) {
    constexpr std::int16_t largest = std::numeric_limits<std::int16_t>::max();
    constexpr std::int16_t smallest = std::numeric_limits<std::int16_t>::min();
    EXPECT_EQ(guardedAdd(largest - 1, 1), largest);
    EXPECT_EQ(errorOf([] { guardedAdd(largest, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(guardedSubtract(-32767, 1), smallest);
    EXPECT_EQ(errorOf([] { guardedSubtract(smallest, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(guardedMultiply(181, 181), 32761);
    EXPECT_EQ(guardedMultiply(-182, 180), -32760);
    EXPECT_EQ(errorOf([] { guardedMultiply(182, 181); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { guardedMultiply(-200, -201); }), ErrorNumber::Overflow);
}

TEST(SingleArray, GuardsIndicesOutside0To20) {
    SingleArray array;
    EXPECT_EQ(array.at(0), 0.0F);
    array.at(20) = 7;
    EXPECT_EQ(array[20], 7.0F);
    for (const int index : {21, -1, -32768, 32767}) {
        EXPECT_EQ(errorOf([&] { array.at(static_cast<std::int16_t>(index)); }),
                  ErrorNumber::SubscriptOutOfRange)
            << index;
    }
}

} // namespace
} // namespace tavrello
