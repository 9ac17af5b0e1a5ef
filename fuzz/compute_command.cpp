// A session of up to three compute commands on one calculation state, each with fuzzed box
// texts, sample count, method code and check box values, each followed by both display
// commands. What is checked after every command:
//   - an error is one of 6, 9, 11, 13;
//   - only the mean labels of slots whose check value is exactly 1 are written, and only with
//     "" (the range method alone) or a well-formed number text;
//   - u and j are finite and not below zero (a negative zero is allowed: it shows as "0");
//   - a failed command leaves j as it was (j is stored last, after its checkpoint);
//   - a command that completes had 1 <= n <= 20 and leaves i at n + 1;
//   - the display commands write well-formed texts without a minus sign.
#include "calculation.h"
#include "controls.h"
#include "number_text_shape.h"
#include "property.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

using tavrello::CalculationState;
using tavrello::ResultGroup;
using tavrello::fuzz::isWellFormedNumberText;
using tavrello::fuzz::require;

constexpr int maximumCommands = 3;
constexpr std::size_t maximumBoxText = 40;

struct Write {
    ResultGroup group;
    int slot;
    std::string text;
};

class RecordingControls : public tavrello::Controls {
  public:
    std::array<std::string, tavrello::inputBoxCount + 1> boxes{}; // index 0 unused
    std::array<int, tavrello::slotCount + 1> checks{};            // index 0 unused
    std::vector<Write> writes;

    std::string inputText(int box) override {
        require(box >= 1 && box <= tavrello::inputBoxCount, "boxes 1 to 20 are read");
        return boxes[static_cast<std::size_t>(box)];
    }

    int checkValue(int slot) override {
        require(slot >= 1 && slot <= tavrello::slotCount, "slots 1 to 4 are read");
        return checks[static_cast<std::size_t>(slot)];
    }

    void setResult(ResultGroup group, int slot, const std::string& text) override {
        require(slot >= 1 && slot <= tavrello::slotCount, "slots 1 to 4 are written");
        writes.push_back({group, slot, text});
    }
};

// Mostly the values the window can produce and their neighbours, sometimes any 16-bit value.
std::int16_t biased(FuzzedDataProvider& input, std::int16_t low, std::int16_t high) {
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0) {
        return input.ConsumeIntegral<std::int16_t>();
    }
    return input.ConsumeIntegralInRange<std::int16_t>(low, high);
}

void fillControls(FuzzedDataProvider& input, RecordingControls& controls) {
    for (int slot = 1; slot <= tavrello::slotCount; ++slot) {
        controls.checks[static_cast<std::size_t>(slot)] = input.ConsumeIntegralInRange(-1, 2);
    }
    const int edits = input.ConsumeIntegralInRange(0, tavrello::inputBoxCount);
    for (int edit = 0; edit < edits; ++edit) {
        const auto box = input.ConsumeIntegralInRange<std::size_t>(1, tavrello::inputBoxCount);
        controls.boxes[box] = input.ConsumeRandomLengthString(maximumBoxText);
    }
}

bool isAllowedError(tavrello::ErrorNumber number) {
    const int value = static_cast<int>(number);
    return value == 6 || value == 9 || value == 11 || value == 13;
}

void requireDeviation(float value, const char* what) {
    require(std::isfinite(value), "a deviation is finite", what);
    require(!(value < 0), "a deviation is not negative", what);
}

void checkMeanWrites(const RecordingControls& controls, const CalculationState& state) {
    for (const Write& write : controls.writes) {
        require(write.group == ResultGroup::Mean, "the compute command writes means only");
        require(controls.checks[static_cast<std::size_t>(write.slot)] == 1,
                "only selected slots are written", std::to_string(write.slot));
        if (write.text.empty()) {
            require(state.c == static_cast<std::int16_t>(tavrello::Method::Range),
                    "only the range method blanks the mean");
        } else {
            require(isWellFormedNumberText(write.text), "a mean label is well formed", write.text);
        }
    }
}

void checkCompute(RecordingControls& controls, CalculationState& state) {
    const float previousJ = state.j;
    controls.writes.clear();
    const tavrello::Outcome outcome = tavrello::computeCommand(state, controls);
    if (outcome) {
        require(isAllowedError(outcome->number()), "a known error",
                std::to_string(static_cast<int>(outcome->number())));
        require(state.j == previousJ || (std::isnan(state.j) && std::isnan(previousJ)),
                "a failed command keeps j");
    } else {
        require(state.n >= 1 && state.n <= 20, "only 1 to 20 values can complete",
                std::to_string(state.n));
        require(state.i == state.n + 1, "a completed command leaves i at n + 1",
                std::to_string(state.i));
    }
    requireDeviation(state.u, "u");
    requireDeviation(state.j, "j");
    checkMeanWrites(controls, state);
}

void checkDisplay(RecordingControls& controls, const CalculationState& state) {
    controls.writes.clear();
    tavrello::showSingleDeviation(state, controls);
    tavrello::showMeanDeviation(state, controls);
    for (const Write& write : controls.writes) {
        require(write.group != ResultGroup::Mean, "the display commands leave the mean alone");
        require(controls.checks[static_cast<std::size_t>(write.slot)] == 1,
                "only selected slots are shown", std::to_string(write.slot));
        require(isWellFormedNumberText(write.text) && write.text.front() != '-',
                "a deviation label is a well-formed non-negative number", write.text);
    }
}

// The matcher must accept what a label shows and refuse near misses, or it checks nothing.
void checkMatcher() {
    for (const char* text : {"0", "0.5", "-2.5", "0.3333333", "100", "1234567", "1.234568E+07",
                             "0.0001", "-1.401298E-45", "3.402823E+38", "1E-05", "9999999"}) {
        require(isWellFormedNumberText(text), "the matcher accepts", text);
    }
    for (
        const char* text :
        {"",      "-0",    ".5",    "0.50",        "1.0",           "01",     "12345678", "0.00001",
         "1E+06", "1E-04", "1e+07", "1.234568E+7", "1.2345678E+07", "10E+07", "Infinity", "NaN",
         " 1",    "1,5",   "--1",   "1.",          "0.12345678",    "1E+39",  "1E-46"}) {
        require(!isWellFormedNumberText(text), "the matcher refuses", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    checkMatcher();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CalculationState state;
    RecordingControls controls;
    const int commands = input.ConsumeIntegralInRange(1, maximumCommands);
    for (int command = 0; command < commands; ++command) {
        state.n = biased(input, -2, 25);
        state.c = biased(input, 0, 5);
        fillControls(input, controls);
        checkCompute(controls, state);
        checkDisplay(controls, state);
    }
    return 0;
}
