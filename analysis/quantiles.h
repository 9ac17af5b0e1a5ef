// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>

namespace tavrello {

// Degrees of freedom; nothing stands for infinitely many.
using DegreesOfFreedom = std::optional<std::int64_t>;

// The point that Student's t with nu >= 1 degrees of freedom exceeds with probability
// 0 < upperTail < 1; the normal law's for infinite nu. From Boost.Math; throws AnalysisError
// when the evaluation fails.
//
// Boost.Math sets itself up when a program starts, whether or not it is ever asked for a
// quantile; in the window that would cost every start time and half a megabyte. So the program
// takes this function from a module it loads on first use (window/quantile_loader.cpp), while
// the tests, the benchmarks and the module itself link analysis/quantiles.cpp.
double tailQuantile(DegreesOfFreedom nu, double upperTail);

} // namespace tavrello
