#pragma once

#include "calculation.h"
#include "fake_controls.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tavrello::testing {

// What slot 1 shows after a compute command and both display commands.
struct SlotTexts {
    std::string mean;
    std::string singleDeviation;
    std::string meanDeviation;

    bool operator==(const SlotTexts&) const = default;
};

inline SlotTexts computeAndShow(const std::vector<std::string>& texts, std::int16_t n,
                                Method method) {
    FakeControls controls;
    controls.setBoxes(texts);
    CalculationState state;
    state.n = n;
    state.c = static_cast<std::int16_t>(method);
    const Outcome outcome = computeCommand(state, controls);
    if (outcome) {
        return {"error " + std::to_string(static_cast<int>(outcome->number())), "", ""};
    }
    showSingleDeviation(state, controls);
    showMeanDeviation(state, controls);
    return {controls.label(ResultGroup::Mean, 1), controls.label(ResultGroup::SingleDeviation, 1),
            controls.label(ResultGroup::MeanDeviation, 1)};
}

inline void PrintTo(const SlotTexts& texts, std::ostream* out) {
    *out << "{" << texts.mean << ", " << texts.singleDeviation << ", " << texts.meanDeviation
         << "}";
}

} // namespace tavrello::testing
