// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"
#include "engine/run_time_error.h"

#include <cstdint>
#include <optional>

namespace tavrello {

enum class Method : std::int16_t { Bessel = 1, Peters = 2, Range = 3, MaximumError = 4 };

// What the window keeps between user actions; all zero when the window is created.
struct CalculationState {
    std::int16_t i = 0; // loop counter of the compute command
    std::int16_t c = 0; // method code, see Method
    float j = 0;        // standard deviation of the mean
    float u = 0;        // standard deviation of a single measurement
    std::int16_t n = 0; // sample count
};

// A command either completes or stops at the failing step, leaving what it wrote in place.
using Outcome = std::optional<RunTimeError>;

// "算术平均值": reads all twenty boxes, writes the mean into the selected slots, stores u and j.
[[nodiscard]] Outcome computeCommand(CalculationState& state, Controls& controls);

// "测量列中单次测量的标准差" and "测量列算术平均值的标准差": show u or j in the selected slots.
void showSingleDeviation(const CalculationState& state, Controls& controls);
void showMeanDeviation(const CalculationState& state, Controls& controls);

} // namespace tavrello
