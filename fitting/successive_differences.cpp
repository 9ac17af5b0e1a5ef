// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/successive_differences.h"

#include "analysis/report.h"
#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace tavrello::fitting {

namespace {

constexpr double spacingTolerance = 1e-9;
constexpr std::size_t fewestPoints = 4;

// The index in x order of the first gap that differs from the first one, if any.
std::optional<std::size_t> unequalGap(std::span<const double> x,
                                      const std::vector<std::size_t>& order) {
    const double first = x[order[1]] - x[order[0]];
    for (std::size_t i = 1; i + 1 < order.size(); ++i) {
        const double gap = x[order[i + 1]] - x[order[i]];
        if (std::abs(gap - first) > spacingTolerance * std::abs(first)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

Outcome<Differences> successiveDifferences(std::span<const double> x, std::span<const double> y,
                                           std::span<const int> positions,
                                           const std::function<std::string(std::size_t)>& label) {
    const std::size_t n = x.size();
    if (n < fewestPoints) {
        return Refusal{Refusal::Problem::TooFewPoints,
                       "逐差法至少需要 " + std::to_string(fewestPoints) + " 个数据点，现在只有 " +
                           std::to_string(n) + " 个。",
                       0,
                       0,
                       {}};
    }
    Differences differences;
    std::vector<std::size_t>& order = differences.order;
    order.resize(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [x](std::size_t left, std::size_t right) { return x[left] < x[right]; });

    const std::optional<std::size_t> gap = unequalGap(x, order);
    // Without the point of largest x: an even number of at least 4, equally spaced.
    const bool dropHelps = (!gap || *gap == n - 2) && (n - 1) % 2 == 0 && n - 1 >= fewestPoints;
    const std::string offer =
        dropHelps ? "去掉最后一个点，即" + label(order[n - 1]) + "，就可以用逐差法。"
                  : std::string();
    const auto refuse = [&](Refusal::Problem problem, const std::string& message) {
        Refusal refusal{problem, message + offer, 0, 0, {}};
        if (dropHelps) {
            refusal.droppable = positions[order[n - 1]];
        }
        return refusal;
    };
    if (gap) {
        const auto distance = [&](std::size_t i) {
            return label(order[i]) + "与" + label(order[i + 1]) + "相距 " +
                   sentenceNumber(x[order[i + 1]] - x[order[i]]);
        };
        return refuse(Refusal::Problem::UnequalSpacing, "逐差法要求 x 等间距，但按 x 排序后" +
                                                            distance(0) + "，" + distance(*gap) +
                                                            "。");
    }
    if (n % 2 != 0) {
        return refuse(Refusal::Problem::OddCount,
                      "逐差法要求数据点的个数为偶数，现在有 " + std::to_string(n) + " 个。");
    }

    const std::size_t m = n / 2;
    differences.m = m;
    differences.dx = (x[order[n - 1]] - x[order[0]]) / static_cast<double>(n - 1);
    differences.deltas.reserve(m);
    for (std::size_t i = 0; i < m; ++i) {
        differences.deltas.push_back(y[order[i + m]] - y[order[i]]);
    }
    const Summary summary = summarise(differences.deltas);
    differences.mean = summary.mean;
    differences.s = summary.s;
    differences.uA = summary.sMean;
    differences.slope = differences.mean / (static_cast<double>(m) * differences.dx);
    return differences;
}

} // namespace tavrello::fitting
