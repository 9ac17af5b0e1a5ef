// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculation.h"
#include "engine/coefficients.h"
#include "engine/flag_clearing_controls.h"
#include "engine/guarded_integer.h"
#include "engine/number_text.h"
#include "engine/single_array.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrello {
namespace {

// Controls on plain data; labels start as "-" so that a write of "" shows.
class FakeControls : public Controls {
  public:
    std::vector<std::string> boxes = std::vector<std::string>(inputBoxCount + 1);
    std::vector<int> checks{0, 1, 0, 0, 0}; // only slot 1 set, as at start
    std::vector<std::vector<std::string>> labels{3, std::vector<std::string>(slotCount + 1, "-")};

    std::string inputText(int box) override { return boxes.at(box); }
    int checkValue(int slot) override { return checks.at(slot); }
    void setResult(ResultGroup group, int slot, const std::string& text) override {
        labels.at(static_cast<std::size_t>(group)).at(slot) = text;
    }
};

// Words apart by blanks, "_" for the empty text.
std::vector<std::string> words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word == "_" ? "" : word);
    }
    return words;
}

// Runs "c n | box texts" on a state holding u = 1.5 and j = 0.5; "17=1e400" types into box 17.
// Shows slot 1 after the three commands, or the error with slot 1's mean label, i, u and j.
std::vector<std::string> outcomeOf(const std::string& row) {
    const std::vector<std::string> parts = words(row);
    CalculationState state{0, static_cast<std::int16_t>(std::stoi(parts[0])), 0.5F, 1.5F,
                           static_cast<std::int16_t>(std::stoi(parts[1]))};
    FakeControls controls;
    for (std::size_t part = 3, box = 1; part < parts.size(); ++part, ++box) {
        const auto equals = parts[part].find('=');
        box = equals == std::string::npos ? box : std::stoul(parts[part]);
        controls.boxes.at(box) = parts[part].substr(equals == std::string::npos ? 0 : equals + 1);
    }
    const auto& labels = controls.labels;
    if (const Outcome outcome = computeCommand(state, controls)) {
        return {"error",
                std::to_string(static_cast<int>(outcome->number())),
                labels[0][1],
                std::to_string(state.i),
                singleToText(state.u),
                singleToText(state.j)};
    }
    showSingleDeviation(state, controls);
    showMeanDeviation(state, controls);
    return {labels[0][1], labels[1][1], labels[2][1]};
}

// Digits from an independent single-precision model; each row from 211.42 on moves the seventh
// digit when one quantity is kept in the wrong precision. A failing command stops at its step.
const std::string table =
    "1 5 | 10.1 10.3 10.2 10.4 10.0 | 10.2 0.1581137 0.07071061;"
    "2 5 | 10.1 10.3 10.2 10.4 10.0 | 10.2 0.1681074 0.07517993;"
    "4 5 | 10.1 10.3 10.2 10.4 10.0 | 10.2 0.1479999 0.06618755;"
    "3 5 | 10.1 10.3 10.2 10.4 10.0 | _ 0.08583683 0.0383874;"
    "3 5 | 10.4 10.0 | _ 0.1716737 0.07677479;"
    "1 2 | 1 2 999 | 1.5 0.7071068 0.5;"
    "2 2 | 1 2 | 1.5 0.8860048 0.6265;"
    "4 2 | 1 2 | 1.5 0.885 0.6257895;"
    "4 4 | 14 10 11 9 | 11 2.49 1.245;"
    "4 4 | 10 5 11 10 | 9 3.32 1.66;"
    "1 2 | 3.14159265 3.14159265 | 3.141593 0 0;"
    "3 2 | 3.4028235e38 0 | _ 3.011348E+38 2.129345E+38;"
    "1 3 | 3 _ 6 | 3 3 1.732051;"
    "1 5 | 0.03 0.03 0.03 0.03 0.03 | 0.03 2.082501E-09 9.313226E-10;"
    "2 5 | 0.03 0.03 0.03 0.03 0.03 | 0.03 2.609373E-09 1.166947E-09;"
    "4 5 | 0.03 0.03 0.03 0.03 0.03 | 0.03 1.378357E-09 6.164202E-10;"
    "4 11 | 1 2 3 4 5 6 7 8 9 10 11 | 6 2.75 0.8291562;"
    "1 3 | 211.42 300.92 664.69 | 392.3434 240.0668 138.6027;"
    "1 5 | 10.37 47.71 43.23 60.97 95.78 | 51.612 30.92237 13.8289;"
    "2 4 | 9.14 8.13 2.51 9.02 | 7.2 3.39284 1.69642;"
    "3 2 | 7.51 1.03 | _ 5.734514 4.054914;"
    "4 3 | 5.18 7.55 4.87 | 5.866666 1.717 0.9913107;"
    "1 4 | 66.15 52.74 22.13 94.29 | 58.8275 29.97206 14.98603;"
    "1 3 | 3.26 2.96 7.45 | 4.556667 2.510186 1.449257;"
    "2 5 | 46.3 91.8 79.75 89.45 87.52 | 78.964 18.30355 8.185598;"
    "1 0 | 1 2 6 | error 6 - 1 1.5 0.5; 1 3 | 17=1e400 | error 6 - 0 1.5 0.5;"
    "1 3 | 5=4e38 | error 6 - 0 1.5 0.5; 1 3 | 20=-1e39 | error 6 - 0 1.5 0.5;"
    "1 2 | 3e38 3e38 | error 6 - 2 1.5 0.5; 1 2 | 1e20 -1e20 | error 6 0 1 1.5 0.5;"
    "3 2 | 3e38 -3e38 | error 6 _ 3 1.5 0.5; 4 2 | 3e38 -3e38 | error 6 0 3 1.5 0.5;"
    "1 21 | 1 2 6 | error 9 - 21 1.5 0.5; 2 32767 | 1 | error 9 - 21 1.5 0.5;"
    "1 1 | 5 | error 6 5 2 1.5 0.5; 2 1 | 5 | error 6 5 2 1.5 0.5;"
    "3 1 | 1 2 | error 11 _ 2 1.5 0.5; 3 1 | 2 2 | error 6 _ 2 1.5 0.5;"
    "1 -32768 | 1 2 6 | error 6 0 1 1.5 0.5; 2 -200 | 1 | error 6 0 1 1.5 0.5;"
    "1 -5 | 1 2 6 | error 6 0 1 0 0.5"; // the root of -0 fails only at j

TEST(ComputeCommand, ShowsEveryDigitOrStopsAtTheFailingStep) {
    std::istringstream rows(table);
    for (std::string row; std::getline(rows, row, ';');) {
        const auto bar = row.rfind('|');
        EXPECT_EQ(outcomeOf(row.substr(0, bar)), words(row.substr(bar + 1))) << row;
    }
}

// Only a check value of exactly 1 selects a slot: 2 leaves slot 2 alone.
TEST(ResultSlots, OnlyACheckValueOf1SelectsASlot) {
    FakeControls controls;
    controls.checks = {0, 1, 2, 0, 1};
    showMeanDeviation(CalculationState{0, 1, 0.5F, 0, 2}, controls);
    EXPECT_EQ(controls.labels[2], words("- 0.5 - - 0.5"));
}

// Per n from 2: the range and the maximum-error coefficient as printed.
TEST(Coefficients, AreTheNearestSinglesOfTheTwoDecimalTables) {
    std::istringstream decimals("1.13 1.77 1.69 1.02 2.06 0.83 2.33 0.74 2.53 0.68 2.7 0.64 2.85 "
                                "0.61 2.97 0.59 3.08 0.57 3.17 0.55 3.26 0.54 3.34 0.53 3.41 0.52 "
                                "3.47 0.51 3.53 0.50 3.59 0.49 3.64 0.49 3.69 0.48 3.74 0.48");
    std::pair<float, float> printed;
    for (std::int16_t n = 2; decimals >> printed.first >> printed.second; ++n) {
        EXPECT_EQ(std::pair(coefficientFor(rangeCoefficients, n),
                            coefficientFor(maximumErrorCoefficients, n)),
                  printed)
            << n;
    }
}

std::optional<ErrorNumber> errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& error) {
        return error.number();
    }
    return std::nullopt;
}

TEST(Guards, RaiseTheirErrorsJustPastTheLimits) {
    EXPECT_EQ(guardedAdd(32766, 1) + guardedSubtract(-32767, 1) + guardedMultiply(-182, 180),
              -32761);
    EXPECT_EQ(errorOf([] { guardedAdd(32767, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { guardedSubtract(-32768, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { guardedMultiply(182, 181); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { SingleArray().at(-1); }), ErrorNumber::SubscriptOutOfRange);
}

TEST(FlagClearingControls, EveryAccessPassesThroughAndClearsTheFlags) {
    FakeControls fake;
    FloatFlags flags;
    FlagClearingControls controls(fake, flags);
    const std::vector<std::function<void()>> accesses{
        [&] { EXPECT_EQ(controls.inputText(1), ""); },
        [&] { EXPECT_EQ(controls.checkValue(1), 1); },
        [&] { controls.setResult(ResultGroup::Mean, 2, "x"); }};
    for (const auto& access : accesses) {
        flags.divide(1, 0);
        access();
        EXPECT_EQ(errorOf([&] { flags.checkpoint(); }), std::nullopt);
    }
    EXPECT_EQ(fake.labels[0][2], "x");
}

} // namespace
} // namespace tavrello
