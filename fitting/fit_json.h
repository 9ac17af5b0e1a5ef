// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"

#include <string>

namespace tavrello::fitting {

// The fit as one JSON object. "a", "b", "nu", "k", "U_a", "U_b" and "text" (the result lines,
// one a line) are those of the result stated; "s", "s_a", "s_b", "r", "r2" come from the scatter
// of the points, unweighted (for the successive differences: s_δ and u_A(b)). "weighted" holds
// the standard uncertainties from the given u(y) and χ² with its ν; "deltas" the δ_i of the
// successive differences; "flagged" the positions of the points whose standardised residual
// exceeds 3. What does not apply is null.
std::string fitJson(const Fit& fit);

} // namespace tavrello::fitting
