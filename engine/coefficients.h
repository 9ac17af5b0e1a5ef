// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

namespace tavrello {

// Indexed by the sample count n; each entry is the single nearest to the two-decimal value
// and enters the arithmetic as that single. Counts without a coefficient hold 0.
using CoefficientTable = std::array<float, 21>;

// Range method: u = |Xmax - Xmin| / d.
inline constexpr CoefficientTable rangeCoefficients{
    0.0F,  0.0F,  1.13F, 1.69F, 2.06F, 2.33F, 2.53F, 2.7F,  2.85F, 2.97F, 3.08F,
    3.17F, 3.26F, 3.34F, 3.41F, 3.47F, 3.53F, 3.59F, 3.64F, 3.69F, 3.74F,
};

// Maximum-error method: u = K * max|xi - mean|. The rows for 11 to 14 and 16 to 19 are ours,
// 1 / E[max|xi - mean| / sigma] for normal samples computed numerically and rounded to two
// decimals like the rest of the table.
inline constexpr CoefficientTable maximumErrorCoefficients{
    0.0F,  0.0F,  1.77F, 1.02F, 0.83F, 0.74F, 0.68F, 0.64F, 0.61F, 0.59F, 0.57F,
    0.55F, 0.54F, 0.53F, 0.52F, 0.51F, 0.50F, 0.49F, 0.49F, 0.48F, 0.48F,
};

// The coefficient for n, 0 for any n outside the table.
constexpr float coefficientFor(const CoefficientTable& table, std::int16_t n) {
    return n >= 0 && n < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(n)] : 0.0F;
}

} // namespace tavrello
