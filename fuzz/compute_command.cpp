// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Up to three compute commands on one calculation state with fuzzed box texts, n, method code
// and check values, each followed by both display commands; README.md lists the properties.
#include "engine/calculation.h"
#include "engine/number_text.h"
#include "engine/value_of_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tavrello;

namespace {

void require(bool holds, const char* property, const std::string& detail = "") {
    if (!holds) {
        std::fprintf(stderr, "broken: %s [%s]\n", property, detail.c_str());
        std::abort();
    }
}

// Labels written only in selected slots and only in the command's own group, each a number as
// singleToText writes it (reading it back and writing it again repeats it); the deviations
// never negative, the mean blanked by the range method alone.
class CheckedControls : public Controls {
  public:
    std::array<std::string, inputBoxCount + 1> boxes{};
    std::array<int, slotCount + 1> checks{};
    std::int16_t computingMethod = 0; // 0 for the display commands

    std::string inputText(int box) override { return boxes.at(static_cast<std::size_t>(box)); }
    int checkValue(int slot) override { return checks.at(static_cast<std::size_t>(slot)); }
    void setResult(ResultGroup group, int slot, const std::string& text) override {
        require(checks.at(static_cast<std::size_t>(slot)) == 1, "a selected slot");
        require((group == ResultGroup::Mean) == (computingMethod != 0), "the command's group");
        const bool shown = text == singleToText(static_cast<float>(valueOfText(text)));
        require(text.empty() ? computingMethod == 3 : shown, "a shown number", text);
        require(computingMethod != 0 || text.front() != '-', "not negative", text);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CalculationState state;
    CheckedControls controls;
    for (int command = input.ConsumeIntegralInRange(1, 3); command > 0; --command) {
        const bool anyCount = input.ConsumeIntegralInRange(0, 7) == 0;
        state.n = anyCount ? input.ConsumeIntegral<std::int16_t>()
                           : input.ConsumeIntegralInRange<std::int16_t>(-2, 25);
        state.c = input.ConsumeIntegralInRange<std::int16_t>(0, 5);
        for (int& check : controls.checks) {
            check = input.ConsumeIntegralInRange(-1, 2);
        }
        for (int edit = input.ConsumeIntegralInRange(0, inputBoxCount); edit > 0; --edit) {
            auto& box = controls.boxes.at(input.ConsumeIntegralInRange(1, inputBoxCount));
            box = input.ConsumeRandomLengthString(40);
        }
        const float previousJ = state.j;
        controls.computingMethod = state.c == 0 ? -1 : state.c;
        if (const Outcome outcome = computeCommand(state, controls)) {
            const int error = static_cast<int>(outcome->number());
            require(error == 6 || error == 9 || error == 11, "a known error");
            require(state.j == previousJ, "a failed command keeps j");
        } else {
            require(state.n >= 1 && state.n <= 20 && state.i == state.n + 1, "i ends at n + 1");
        }
        require(std::isfinite(state.u) && std::isfinite(state.j) && !(state.u < 0), "u and j");
        controls.computingMethod = 0;
        showSingleDeviation(state, controls);
        showMeanDeviation(state, controls);
    }
    return 0;
}
