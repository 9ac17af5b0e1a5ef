// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"
#include "analysis/settings.h"
#include "propagation/problem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::propagation {

// The four kinds of input quantity: a series of readings (测量列), one reading with its
// instrument's allowance (单次测量), an estimate with a known standard uncertainty carried over
// from elsewhere (已知), and an exact constant (常数).
enum class InputKind { Series, Single, Known, Constant };
inline constexpr InputKind allInputKinds[] = {InputKind::Series, InputKind::Single,
                                              InputKind::Known, InputKind::Constant};

// How a single reading's allowance Δ is distributed, and so its u = Δ/divisor.
enum class Distribution { Uniform, Triangular, Arcsine, Normal };
inline constexpr Distribution allDistributions[] = {Distribution::Uniform, Distribution::Triangular,
                                                    Distribution::Arcsine, Distribution::Normal};

// "测量列", "单次测量", "已知", "常数"; the English twins "series", "single", "known",
// "constant".
std::string_view kindName(InputKind kind);
std::string_view kindKey(InputKind kind);
// "均匀", "三角", "反正弦", "正态"; "uniform", "triangular", "arcsine", "normal".
std::string_view distributionName(Distribution distribution);
std::string_view distributionKey(Distribution distribution);
// √3, √6, √2, 3; and as written: "√3", "√6", "√2", "3".
double distributionDivisor(Distribution distribution);
std::string_view divisorText(Distribution distribution);

// An input as typed, in the window's boxes or a task file: numbers are kept as their texts, so
// that nothing is lost between the two.
struct StatedInput {
    std::string name;
    InputKind kind = InputKind::Series;
    // Series: the readings, one text each.
    std::vector<std::string> readings;
    // Single, Known, Constant: the value.
    std::string value;
    // Series (optional) and Single (required): the allowance Δ_仪.
    std::string allowance;
    // Single.
    Distribution distribution = Distribution::Uniform;
    // Known: the standard uncertainty u, and the degrees of freedom (empty for infinitely many).
    std::string uncertainty;
    std::string dof;
    // Free text, shown but not converted.
    std::string unit;

    bool operator==(const StatedInput&) const = default;
};

// An input with its estimate and standard uncertainty.
struct Input {
    StatedInput stated;
    double estimate = 0;
    double u = 0;
    // Nothing for infinitely many.
    std::optional<double> nu;
    // Type A from the series, type B from the allowance (or the known u).
    double uA = 0;
    double uB = 0;
    std::optional<double> allowance;
    // A series, judged as the analysis judges one (criterion, removed values, x̄, u_A).
    std::optional<Analysis> series;
    // The estimate as the worked steps write it: as typed, or the series' mean.
    std::string estimateText;
};

// Reads and checks the input; a series is judged with the settings' criterion and α, its
// allowance added. A problem's message names the input.
Checked<Input> evaluateInput(const StatedInput& stated, const Settings& settings);

// "A", "B" or "A, B": how the input's standard uncertainty was evaluated; "—" for a constant.
std::string evaluationType(const Input& input);

} // namespace tavrello::propagation
