// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>

namespace tavrello::fitting {

// A straight line by least squares, y = a + b·x, or y = b·x through the origin, from sums about
// the (weighted) means, which keep a large common offset of the data out of the sums. Through
// the origin the sums are taken about 0, so that every figure below reads the same in both.
struct LineSolution {
    bool intercept = true;
    double a = 0;
    double b = 0;
    // Σw (n without weights), the weighted means (0 through the origin), and the sums
    // Σw(x − x̄)², Σw(x − x̄)(y − ȳ), Σw(y − ȳ)² about them.
    double sumW = 0;
    double xMean = 0;
    double yMean = 0;
    double sxx = 0;
    double sxy = 0;
    double syy = 0;
    // Σw·v², v_i = y_i − (a + b·x_i).
    double sse = 0;

    // v = y − (a + b·x), taken about the means so that it does not carry the rounding of a.
    double residual(double x, double y) const { return (y - yMean) - b * (x - xMean); }

    // u²(b) and u²(a) per unit of variance of unit weight: multiplied by s² without weights, as
    // they are with the weights 1/u².
    double slopeVariance() const { return 1 / sxx; }
    double interceptVariance() const { return intercept ? 1 / sumW + xMean * xMean / sxx : 0; }
    // 1 − Σw·v²/Σw(y − ȳ)²: R², uncentred through the origin.
    double rSquared() const { return syy > 0 ? 1 - sse / syy : 1; }
};

// Over at least two points whose x are not all equal (through the origin: not all 0); weights
// empty for all 1, else positive.
LineSolution solveLine(std::span<const double> x, std::span<const double> y,
                       std::span<const double> weights, bool intercept);

// How independent uncertainties u_i of the y_i carry into b and a: √Σ(∂b/∂y_i·u_i)² and
// √Σ(∂a/∂y_i·u_i)², b and a being linear in the y_i.
struct Carried {
    double b = 0;
    double a = 0;
};
Carried carried(const LineSolution& line, std::span<const double> x,
                std::span<const double> weights, std::span<const double> u);

} // namespace tavrello::fitting
