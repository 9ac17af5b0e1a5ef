// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/refusal.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tavrello::fitting {

// 逐差法: 2m points with equally spaced x, taken in order of x, are split into two halves, and
// each point of the second half is set against its partner m places before it.
struct Differences {
    std::size_t m = 0;
    // The spacing Δx of x.
    double dx = 0;
    // The points' indices in order of x.
    std::vector<std::size_t> order;
    // δ_i = y_(i+m) − y_i, i = 1…m.
    std::vector<double> deltas;
    // δ̄, s_δ (n − 1 in the denominator) and u_A(δ̄) = s_δ/√m.
    double mean = 0;
    double s = 0;
    double uA = 0;
    // b = δ̄/(m·Δx).
    double slope = 0;
};

// x and y as fitted, not all x equal; `label` names the point at an index in a message
// ("第 4 个点（x = 2.0）"). Refuses fewer than 4 points, an odd number of them, and spacings that
// differ by more than 1e-9 of the first; where dropping the point of largest x would do, the
// refusal offers it.
Outcome<Differences> successiveDifferences(std::span<const double> x, std::span<const double> y,
                                           std::span<const int> positions,
                                           const std::function<std::string(std::size_t)>& label);

} // namespace tavrello::fitting
