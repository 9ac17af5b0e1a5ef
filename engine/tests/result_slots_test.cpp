#include "calculation.h"
#include "fake_controls.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello {
namespace {

using testing::FakeControls;

const std::string untouched = "untouched";

// Slot 2 holds a value other than 1, which does not select it.
FakeControls slotsOneAndThreeSelected() {
    FakeControls controls;
    controls.checks = {0, 1, 2, 1, 0};
    controls.setBoxes({"1", "2"});
    for (auto& group : controls.labels) {
        group.fill(untouched);
    }
    return controls;
}

std::vector<std::string> boxReads() {
    std::vector<std::string> reads;
    for (int box = 1; box <= inputBoxCount; ++box) {
        reads.push_back("text " + std::to_string(box));
    }
    return reads;
}

std::vector<std::string> groupWrite(ResultGroup group) {
    const std::string set = "set " + std::to_string(static_cast<int>(group));
    return {"check 1", set + " 1", "check 2", "check 3", set + " 3", "check 4"};
}

std::vector<std::string> joined(std::vector<std::string> first,
                                const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(ResultSlots, EachCheckBoxIsReadRightBeforeItsLabelIsWritten) {
    FakeControls controls = slotsOneAndThreeSelected();
    CalculationState state{0, static_cast<std::int16_t>(Method::Bessel), 0, 0, 2};

    ASSERT_FALSE(computeCommand(state, controls).has_value());
    EXPECT_EQ(controls.log, joined(boxReads(), groupWrite(ResultGroup::Mean)));
}

TEST(ResultSlots, RangeMethodBlanksTheMeanAfterWritingIt) {
    FakeControls controls = slotsOneAndThreeSelected();
    CalculationState state{0, static_cast<std::int16_t>(Method::Range), 0, 0, 2};

    ASSERT_FALSE(computeCommand(state, controls).has_value());
    EXPECT_EQ(controls.log, joined(joined(boxReads(), groupWrite(ResultGroup::Mean)),
                                   groupWrite(ResultGroup::Mean)));
    EXPECT_EQ(controls.label(ResultGroup::Mean, 1), "");
    EXPECT_EQ(controls.label(ResultGroup::Mean, 2), untouched);
}

TEST(ResultSlots, DisplayCommandsWriteOnlyTheirGroupInSelectedSlots) {
    FakeControls controls = slotsOneAndThreeSelected();
    const CalculationState state{0, 1, 0.25F, 0.5F, 4};

    showSingleDeviation(state, controls);
    showMeanDeviation(state, controls);

    EXPECT_EQ(controls.log, joined(groupWrite(ResultGroup::SingleDeviation),
                                   groupWrite(ResultGroup::MeanDeviation)));
    for (const int slot : {1, 3}) {
        EXPECT_EQ(controls.label(ResultGroup::SingleDeviation, slot), "0.5");
        EXPECT_EQ(controls.label(ResultGroup::MeanDeviation, slot), "0.25");
    }
    for (const int slot : {2, 4}) {
        EXPECT_EQ(controls.label(ResultGroup::SingleDeviation, slot), untouched);
        EXPECT_EQ(controls.label(ResultGroup::MeanDeviation, slot), untouched);
    }
    EXPECT_EQ(controls.label(ResultGroup::Mean, 1), untouched);
}

TEST(ResultSlots, WithNoCheckBoxSetNothingIsWrittenButBothDeviationsAreStored) {
    FakeControls controls;
    controls.checks.fill(0);
    controls.setBoxes({"1", "2"});
    CalculationState state{0, static_cast<std::int16_t>(Method::Bessel), 0, 0, 2};

    ASSERT_FALSE(computeCommand(state, controls).has_value());
    showSingleDeviation(state, controls);
    showMeanDeviation(state, controls);

    for (const auto& group : controls.labels) {
        for (const auto& label : group) {
            EXPECT_EQ(label, "");
        }
    }
    EXPECT_EQ(state.u, static_cast<float>(1 / std::sqrt(2.0)));
    EXPECT_EQ(state.j, 0.5F);
}

TEST(ResultSlots, RightAfterStartTheDisplayCommandsShowZeroInSlotOne) {
    FakeControls controls;
    const CalculationState state;

    showSingleDeviation(state, controls);
    showMeanDeviation(state, controls);

    EXPECT_EQ(controls.label(ResultGroup::SingleDeviation, 1), "0");
    EXPECT_EQ(controls.label(ResultGroup::MeanDeviation, 1), "0");
    EXPECT_EQ(controls.label(ResultGroup::SingleDeviation, 2), "");
}

} // namespace
} // namespace tavrello
