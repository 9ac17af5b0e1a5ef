// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/settings.h"
#include "propagation/inputs.h"
#include "propagation/model.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrello::propagation {

// A correlation coefficient r between two of the model's names, by index.
struct Correlation {
    std::size_t first = 0;
    std::size_t second = 0;
    double r = 0;
};

// One line of the uncertainty budget: an input with an uncertainty.
struct BudgetRow {
    // The index of the name, and so of the input.
    std::size_t name = 0;
    // c_i = ∂f/∂x_i at the estimates.
    double c = 0;
    // |c_i|·u(x_i).
    double contribution = 0;
    // (c_i·u(x_i))²/u_c² in per cent.
    double share = 0;
};

// The law of propagation of uncertainty after JJF 1059.1-2012 and the GUM.
struct GumResult {
    // y = f(x̄₁, …).
    double y = 0;
    // c_i by name.
    std::vector<double> sensitivities;
    // The inputs that are not constants, in the order of the names.
    std::vector<BudgetRow> rows;
    double uc = 0;
    // Any r_ij ≠ 0: ν_eff is then taken as infinite.
    bool correlated = false;
    // Welch–Satterthwaite, truncated; nothing for infinitely many.
    DegreesOfFreedom nuEff;
    // ν_eff before truncation, where it is finite.
    std::optional<double> nuEffExact;
    double k = 0;
    double U = 0;
    std::optional<double> relative;
    // u_c/|y| by the relative form, where f is a product of powers and y ≠ 0.
    std::optional<double> relativeUc;
    std::string text;
};

// inputs[i] belongs to model.names[i]. A problem says which derivative or which value is
// undefined at the estimates, or that the correlations contradict one another.
Checked<GumResult> gum(const Model& model, std::span<const Input> inputs,
                       std::span<const Correlation> correlations, const Settings& settings,
                       const std::string& unit);

} // namespace tavrello::propagation
