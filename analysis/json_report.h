// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"

#include <string>
#include <string_view>

namespace tavrello {

// The whole analysis as one JSON object, UTF-8: numbers as their shortest round-trip text,
// non-finite ones as null, positions from 1. Keys: n, values, mean, s, s_mean, residuals,
// criteria (pauta, grubbs, romanovsky, chauvenet: alpha, rounds, removed), chosen, systematic
// (residual_sums, abbe_helmert, two_formulas), result.
std::string jsonReport(const Analysis& analysis);

// text as a JSON string literal, quotes included.
std::string jsonString(std::string_view text);

} // namespace tavrello
