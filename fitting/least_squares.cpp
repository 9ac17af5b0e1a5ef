// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/least_squares.h"

#include "analysis/statistics.h"

#include <cmath>

namespace tavrello::fitting {

namespace {

double weight(std::span<const double> weights, std::size_t i) {
    return weights.empty() ? 1 : weights[i];
}

// Σw·v/Σw, the sum taken from the first value so that equal values give it exactly.
double weightedMean(std::span<const double> values, std::span<const double> weights, double sumW) {
    const double first = values.front();
    CompensatedSum sum;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sum.add(weight(weights, i) * (values[i] - first));
    }
    return first + sum.value() / sumW;
}

} // namespace

LineSolution solveLine(std::span<const double> x, std::span<const double> y,
                       std::span<const double> weights, bool intercept) {
    LineSolution line;
    line.intercept = intercept;
    CompensatedSum sumW;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sumW.add(weight(weights, i));
    }
    line.sumW = sumW.value();
    if (intercept) {
        line.xMean = weightedMean(x, weights, line.sumW);
        line.yMean = weightedMean(y, weights, line.sumW);
    }
    CompensatedSum sxx;
    CompensatedSum sxy;
    CompensatedSum syy;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double w = weight(weights, i);
        const double dx = x[i] - line.xMean;
        const double dy = y[i] - line.yMean;
        sxx.add(w * dx * dx);
        sxy.add(w * dx * dy);
        syy.add(w * dy * dy);
    }
    line.sxx = sxx.value();
    line.sxy = sxy.value();
    line.syy = syy.value();
    line.b = line.sxy / line.sxx;
    line.a = line.yMean - line.b * line.xMean;

    CompensatedSum sse;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double v = line.residual(x[i], y[i]);
        sse.add(weight(weights, i) * v * v);
    }
    line.sse = sse.value();
    return line;
}

Carried carried(const LineSolution& line, std::span<const double> x,
                std::span<const double> weights, std::span<const double> u) {
    CompensatedSum slope;
    CompensatedSum intercept;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double w = weight(weights, i);
        const double db = w * (x[i] - line.xMean) / line.sxx;
        const double da = line.intercept ? w / line.sumW - line.xMean * db : 0;
        slope.add(db * db * u[i] * u[i]);
        intercept.add(da * da * u[i] * u[i]);
    }
    return {std::sqrt(slope.value()), std::sqrt(intercept.value())};
}

} // namespace tavrello::fitting
