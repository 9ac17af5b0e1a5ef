// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"
#include "report/document.h"

#include <string>

namespace tavrello::propagation {

// The indirect measurement in Chinese words, step by step as a lab report shows it: the model,
// the inputs (each series with x̄, u_A and the values removed), the derivatives with the numbers
// put in, the budget table, u_c, ν_eff, k, U and E, the Monte Carlo results with their
// validation sentence, the histogram's place, and the result line.
report::Document propagationReport(const Propagation& propagation);

// The same as one JSON object, UTF-8: model, symbol, unit, value; inputs[] (name, kind,
// estimate, u, nu, c, c_text, contribution, share); u_c, nu_eff, k, U, relative, text;
// monte_carlo (draws, seed, mean, sd, interval, shortest, invalid, delta, d_low, d_high,
// validated) or null, and monte_carlo_refusal where it was refused. Infinite ν is null.
std::string propagationJson(const Propagation& propagation);

} // namespace tavrello::propagation
