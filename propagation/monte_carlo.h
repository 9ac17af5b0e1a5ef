// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"
#include "propagation/gum.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tavrello::propagation {

inline constexpr std::uint64_t fewestDraws = 10'000;
inline constexpr std::uint64_t mostDraws = 10'000'000;
inline constexpr std::uint64_t defaultDraws = 1'000'000;
inline constexpr std::uint64_t defaultSeed = 1;

struct MonteCarloOptions {
    std::uint64_t draws = defaultDraws;
    std::uint64_t seed = defaultSeed;
    Confidence confidence = Confidence::P95;
    // 0: as many as the machine has cores. The result does not depend on it.
    unsigned threads = 0;
    // Checked between blocks of draws; once set, the run stops and answers a problem.
    const std::atomic<bool>* cancel = nullptr;
    // The share of draws done, from 0 to 1, called on the calling thread.
    std::function<void(double)> progress;
};

// Bin counts over the central 99.9 % of the draws, with the GUM's t (or normal) law for y as
// the counts it would expect in each bin, to be drawn over them.
struct Histogram {
    std::vector<double> edges;
    std::vector<std::uint64_t> counts;
    // Draws left of the first edge and right of the last.
    std::uint64_t below = 0;
    std::uint64_t above = 0;
    // Expected counts at the bins' centres; empty where u_c = 0.
    std::vector<double> curve;
};

// JCGM 101 clause 8: the GUM interval y ± k_P·u_c against the shortest Monte Carlo interval.
struct Validation {
    // ½·10^l, where u_c = c·10^l with c of two significant digits.
    double delta = 0;
    double low = 0;
    double high = 0;
    double dLow = 0;
    double dHigh = 0;
    bool validated = false;
};

struct MonteCarloResult {
    std::uint64_t draws = 0;
    std::uint64_t seed = 0;
    // Draws at which f is undefined, left out of everything below.
    std::uint64_t invalid = 0;
    double mean = 0;
    double sd = 0;
    // The probabilistically symmetric and the shortest coverage intervals at P.
    std::array<double, 2> interval{};
    std::array<double, 2> shortest{};
    Histogram histogram;
    // Nothing where u_c = 0.
    std::optional<Validation> validation;
};

// The distributions of the inputs propagated through the model (JCGM 101). Refused where
// correlated inputs are not all normal, where more than 0.1 % of the draws fall where f is
// undefined, or when cancelled.
Checked<MonteCarloResult> monteCarlo(const Model& model, std::span<const Input> inputs,
                                     std::span<const Correlation> correlations,
                                     const GumResult& gum, const MonteCarloOptions& options);

} // namespace tavrello::propagation
