// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/gum.h"

#include "analysis/report.h"
#include "analysis/statistics.h"
#include "analysis/uncertainty.h"

#include <cmath>
#include <limits>

namespace tavrello::propagation {

namespace {

std::vector<double> estimatesOf(std::span<const Input> inputs) {
    std::vector<double> estimates;
    for (const Input& input : inputs) {
        estimates.push_back(input.estimate);
    }
    return estimates;
}

// u_c/|y| = √(Σ(p_i·u(x_i)/x_i)² + 2Σ p_i·p_j·r_ij·(u_i/x_i)(u_j/x_j)), as students are taught
// to find it by taking logarithms first.
std::optional<double> relativeForm(const Model& model, std::span<const Input> inputs,
                                   std::span<const Correlation> correlations, double y) {
    if (!model.powers || y == 0) {
        return std::nullopt;
    }
    std::vector<double> terms;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const double relative = inputs[i].u == 0 ? 0 : inputs[i].u / inputs[i].estimate;
        terms.push_back((*model.powers)[i].value * relative);
    }
    double sum = 0;
    for (const double term : terms) {
        sum += term * term;
    }
    for (const Correlation& r : correlations) {
        sum += 2 * r.r * terms[r.first] * terms[r.second];
    }
    return std::sqrt(sum);
}

} // namespace

Checked<GumResult> gum(const Model& model, std::span<const Input> inputs,
                       std::span<const Correlation> correlations, const Settings& settings,
                       const std::string& unit) {
    GumResult result;
    const std::vector<double> estimates = estimatesOf(inputs);
    result.y = model.program(estimates);
    if (!std::isfinite(result.y)) {
        return Problem{"公式在各输入量的估计值处无定义（如负数开方、对 0 取对数或除以 0），"
                       "无法计算 " +
                           model.symbol + "。",
                       std::nullopt};
    }
    std::vector<double> contributions(inputs.size(), 0);
    double variance = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const double c = model.derivativePrograms[i](estimates);
        result.sensitivities.push_back(c);
        if (inputs[i].stated.kind == InputKind::Constant) {
            continue;
        }
        if (!std::isfinite(c) && inputs[i].u > 0) {
            return Problem{"偏导数 ∂" + model.symbol + "/∂" + model.names[i] +
                               " 在估计值处无定义，无法按不确定度传播律计算。",
                           std::nullopt};
        }
        contributions[i] = inputs[i].u == 0 ? 0 : std::abs(c) * inputs[i].u;
        variance += contributions[i] * contributions[i];
        result.rows.push_back({i, c, contributions[i], 0});
    }
    for (const Correlation& r : correlations) {
        const double covariance = result.sensitivities[r.first] * inputs[r.first].u *
                                  result.sensitivities[r.second] * inputs[r.second].u;
        variance += 2 * r.r * (std::isfinite(covariance) ? covariance : 0);
        result.correlated = result.correlated || r.r != 0;
    }
    if (variance < 0) {
        return Problem{"给出的相关系数互相矛盾：算得的 u_c² 为负。", std::nullopt};
    }
    result.uc = std::sqrt(variance);
    for (BudgetRow& row : result.rows) {
        row.share = variance > 0 ? 100 * row.contribution * row.contribution / variance : 0;
    }

    // Welch–Satterthwaite; inputs with infinitely many degrees of freedom drop out.
    double fourthPowers = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (inputs[i].nu && contributions[i] > 0) {
            fourthPowers += std::pow(contributions[i] / result.uc, 4) / *inputs[i].nu;
        }
    }
    if (!result.correlated && fourthPowers > 0) {
        result.nuEffExact = 1 / fourthPowers;
        result.nuEff =
            truncatedDegrees(*result.nuEffExact, 64 * static_cast<double>(inputs.size()) *
                                                     std::numeric_limits<double>::epsilon());
        // Inputs of less than one degree of freedom leave fewer; the t table starts at 1.
        if (result.nuEff && *result.nuEff < 1) {
            result.nuEff = 1;
        }
    }
    try {
        result.k = coverageFactor(settings.coverage, settings.confidence, result.nuEff);
    } catch (const AnalysisError& error) {
        return Problem{error.what(), std::nullopt};
    }
    result.U = result.k * result.uc;
    result.relative = relativeUncertainty(result.y, result.U);
    result.relativeUc = relativeForm(model, inputs, correlations, result.y);
    result.text =
        resultLine({model.symbol, unit, result.y, result.U, result.k, result.nuEff,
                    settings.confidence, settings.digits, settings.coverage, settings.rounding});
    return result;
}

} // namespace tavrello::propagation
