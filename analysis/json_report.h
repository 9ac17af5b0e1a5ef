// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"

#include <string>

namespace tavrello {

// The whole analysis as one JSON object, UTF-8: numbers as their shortest round-trip text,
// non-finite ones as null, positions from 1. Keys: n, values, texts (the values as typed), mean,
// s, s_mean, residuals, criteria (pauta, grubbs, romanovsky, chauvenet: alpha, rounds, removed,
// warnings), chosen, systematic (residual_sums, abbe_helmert, two_formulas), result (with
// relative = U/|x̄|, symbol and unit).
std::string jsonReport(const Analysis& analysis);

} // namespace tavrello
