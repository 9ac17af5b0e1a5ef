// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/statistics.h"

#include <algorithm>
#include <charconv>

namespace tavrello {

std::string typedText(const Reading& reading) {
    if (!reading.text.empty()) {
        return reading.text;
    }
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, reading.value).ptr};
}

double residualRounding(std::span<const double> values) {
    double largest = 0;
    for (const double value : values) {
        largest = std::max(largest, std::abs(value));
    }
    return residualRounding(largest);
}

bool isAnalysableValue(double value) {
    const double magnitude = std::abs(value);
    return magnitude == 0 || (magnitude >= smallestMagnitude && magnitude <= largestMagnitude);
}

Summary summarise(std::span<const double> values) {
    Summary summary;
    summary.n = values.size();
    if (values.empty()) {
        return summary;
    }
    // Summing the differences from the first value keeps a large common offset out of the sum
    // and makes the mean of equal values exact.
    const double first = values.front();
    CompensatedSum differences;
    for (const double value : values) {
        differences.add(value - first);
    }
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double n = static_cast<double>(values.size());
    summary.mean = std::clamp(first + differences.value() / n, *lowest, *highest);
    if (values.size() < 2) {
        return summary;
    }
    CompensatedSum squares;
    for (const double value : values) {
        const double residual = value - summary.mean;
        squares.add(residual * residual);
    }
    summary.s = std::sqrt(squares.value() / (n - 1));
    summary.sMean = summary.s / std::sqrt(n);
    return summary;
}

std::vector<double> residuals(std::span<const double> values, double mean) {
    std::vector<double> result;
    result.reserve(values.size());
    for (const double value : values) {
        result.push_back(value - mean);
    }
    return result;
}

} // namespace tavrello
