// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tavrello {

// 残余误差校核法: Δ = (sum of the first half of the v_i) - (sum of the second half), the middle
// value of an odd n counted in both; a linear systematic error is suspected when |Δ| >= max|v_i|.
struct ResidualSums {
    double delta = 0;
    double limit = 0;
    bool suspect = false;
};

// 阿卑-赫梅特准则: C = |Σ v_i·v_(i+1)|; a periodic systematic error is suspected when
// C > √(n-1)·s².
struct AbbeHelmert {
    double c = 0;
    double limit = 0;
    bool suspect = false;
};

// Bessel's s against Peters' 1.253·Σ|v_i|/√(n(n-1)): u = σ2/σ1 - 1, suspected when
// |u| >= 2/√(n-1). u has no value where s = 0.
struct TwoFormulas {
    double sigma1 = 0;
    double sigma2 = 0;
    std::optional<double> u;
    double limit = 0;
    bool suspect = false;
};

struct SystematicChecks {
    std::size_t n = 0;
    double mean = 0;
    double s = 0;
    ResidualSums residualSums;
    AbbeHelmert abbeHelmert;
    TwoFormulas twoFormulas;
};

// The three checks over at least two values in position order, with their own mean and s.
// Equal values suspect nothing.
SystematicChecks checkSystematic(std::span<const double> values);

} // namespace tavrello
