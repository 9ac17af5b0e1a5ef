// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/line_fit.h"
#include "fitting/tests/fit_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace tavrello::fitting {
namespace {

constexpr FitMethod methods[] = {FitMethod::LeastSquares, FitMethod::ThroughOrigin,
                                 FitMethod::SuccessiveDifferences};

FitSettings with(FitMethod method) {
    FitSettings settings;
    settings.method = method;
    return settings;
}

// x = x0, x0 + dx, …: equally spaced, as the successive differences want them.
std::vector<double> spaced(double x0, double dx, int n) {
    std::vector<double> x;
    for (int i = 0; i < n; ++i) {
        x.push_back(x0 + dx * i);
    }
    return x;
}

TEST(LineFit, PointsOnALineGiveThatLineWithNoScatter) {
    struct Row {
        double x0, dx, a, b;
    };
    // A large common offset of x defeats sums of x² taken about 0.
    const Row rows[] = {{0, 1, 3, 2}, {1, 0.5, -4, -0.25}, {1e8, 1, 0.5, 3}, {-2, 0.125, 0, 8}};
    for (const Row& row : rows) {
        const std::vector<double> x = spaced(row.x0, row.dx, 8);
        std::vector<double> y;
        for (const double value : x) {
            y.push_back(row.a + row.b * value);
        }
        for (const FitMethod method : methods) {
            if (method == FitMethod::ThroughOrigin && row.a != 0) {
                continue;
            }
            const Fit fit = fitted(numberedPoints(x, y), with(method));
            const double scale = std::abs(row.a) + std::abs(row.b * x.back());
            EXPECT_NEAR(fit.b, row.b, 1e-12 * std::abs(row.b)) << methodKey(method);
            EXPECT_NEAR(fit.a, row.a, 1e-12 * scale) << methodKey(method);
            EXPECT_LE(fit.s, 1e-12 * scale) << methodKey(method);
            EXPECT_TRUE(fit.flagged.empty());
        }
    }
}

TEST(LineFit, TheOrderOfThePointsChangesNothing) {
    const std::vector<double> x = spaced(0.5, 0.5, 10);
    const std::vector<double> y = {1.02, 2.11, 2.95, 4.08, 5.01, 5.93, 7.12, 7.96, 9.05, 9.98};
    for (const FitMethod method : methods) {
        const Fit forward = fitted(numberedPoints(x, y), with(method));
        std::vector<double> xs(x.rbegin(), x.rend());
        std::vector<double> ys(y.rbegin(), y.rend());
        std::rotate(xs.begin(), xs.begin() + 3, xs.end());
        std::rotate(ys.begin(), ys.begin() + 3, ys.end());
        const Fit shuffled = fitted(numberedPoints(xs, ys), with(method));
        EXPECT_NEAR(shuffled.b, forward.b, 1e-14) << methodKey(method);
        EXPECT_NEAR(shuffled.a, forward.a, 1e-14) << methodKey(method);
        EXPECT_NEAR(shuffled.s, forward.s, 1e-14) << methodKey(method);
        EXPECT_EQ(resultLines(shuffled), resultLines(forward)) << methodKey(method);
    }
}

TEST(LineFit, DifferencesAndLeastSquaresAgreeOnALine) {
    const std::vector<double> x = spaced(2, 0.1, 12);
    std::vector<double> y;
    for (const double value : x) {
        y.push_back(1.5 - 0.7 * value);
    }
    const Fit leastSquares = fitted(numberedPoints(x, y));
    const Fit differences = fitted(numberedPoints(x, y), with(FitMethod::SuccessiveDifferences));
    EXPECT_NEAR(differences.b, leastSquares.b, 1e-13);
    EXPECT_NEAR(differences.a, leastSquares.a, 1e-13);
    EXPECT_EQ(differences.differences->m, 6u);
}

TEST(LineFit, TheCourseFormOfTheSlopesUncertaintyIsSb) {
    const std::vector<std::vector<double>> ys = {{0.1, 2.3, 3.9, 6.2, 8.1, 9.8},
                                                 {5, 4.1, 2.7, 2.2, 0.9, -0.3},
                                                 {1, 1.5, 1.2, 1.9, 1.4, 2.2}};
    for (const std::vector<double>& y : ys) {
        const Fit fit = fitted(numberedPoints(spaced(0, 1, 6), y));
        ASSERT_TRUE(fit.courseSlopeU.has_value());
        EXPECT_NEAR(*fit.courseSlopeU, fit.sB, 1e-12 * fit.sB);
        EXPECT_DOUBLE_EQ(fit.slope.uA, fit.sB);
    }
}

TEST(LineFit, EqualWeightsGiveTheUnweightedLine) {
    const std::vector<double> x = spaced(0, 1, 6);
    const std::vector<double> y = {0.1, 2.3, 3.9, 6.2, 8.1, 9.8};
    FitSettings settings;
    settings.commonU = 0.2;
    const Fit plain = fitted(numberedPoints(x, y));
    const Fit weighted = fitted(numberedPoints(x, y), settings);
    EXPECT_NEAR(weighted.b, plain.b, 1e-14);
    EXPECT_NEAR(weighted.a, plain.a, 1e-14);
    // The given u replaces the scatter: u(b) = u/√Σ(x − x̄)², χ² = Σv²/u².
    EXPECT_NEAR(weighted.slope.uA, 0.2 / std::sqrt(plain.plain.sxx), 1e-15);
    EXPECT_NEAR(weighted.weighted->sse, plain.plain.sse / 0.04, 1e-12);
    EXPECT_FALSE(weighted.slope.nu.has_value());
}

TEST(LineFit, LinearisedCurvesComeOutStraight) {
    struct Row {
        Transform x, y;
    };
    const Row rows[] = {{Transform::None, Transform::Ln},
                        {Transform::None, Transform::Lg},
                        {Transform::Reciprocal, Transform::None},
                        {Transform::Square, Transform::SquareRoot},
                        {Transform::Ln, Transform::Reciprocal}};
    const std::vector<double> x = spaced(1, 0.5, 7);
    for (const Row& row : rows) {
        // y such that f_y(y) = 0.4 + 0.3·f_x(x), found by bisection so as not to restate f.
        std::vector<double> y;
        for (const double value : x) {
            const double target = 0.4 + 0.3 * *transformed(row.x, value);
            double low = 1e-3;
            double high = 1e3;
            const bool rising = *transformed(row.y, 2.0) > *transformed(row.y, 1.0);
            for (int step = 0; step < 200; ++step) {
                const double middle = std::sqrt(low * high);
                (*transformed(row.y, middle) < target) == rising ? low = middle : high = middle;
            }
            y.push_back(low);
        }
        FitSettings settings;
        settings.xTransform = row.x;
        settings.yTransform = row.y;
        const Fit fit = fitted(numberedPoints(x, y), settings);
        EXPECT_NEAR(fit.b, 0.3, 1e-9) << transformKey(row.x) << " " << transformKey(row.y);
        EXPECT_NEAR(fit.a, 0.4, 1e-9) << transformKey(row.x) << " " << transformKey(row.y);
    }
}

TEST(Transform, CarriesAnUncertaintyByItsDerivative) {
    for (const Transform transform : allTransforms) {
        for (const double value : {0.37, 2.5, 40.0}) {
            const double h = 1e-6 * value;
            const double slope =
                (*transformed(transform, value + h) - *transformed(transform, value - h)) / (2 * h);
            EXPECT_NEAR(sensitivity(transform, value), std::abs(slope), 1e-6 * std::abs(slope))
                << transformKey(transform) << " at " << value;
        }
    }
}

TEST(LineFit, AFarPointIsFlaggedButKept) {
    std::vector<double> y;
    for (int i = 0; i < 20; ++i) {
        y.push_back(1 + 0.5 * i + (i % 2 == 0 ? 0.01 : -0.01));
    }
    y[13] += 1;
    const Fit fit = fitted(numberedPoints(spaced(0, 1, 20), y));
    EXPECT_EQ(fit.flagged, std::vector<int>{14});
    EXPECT_EQ(fit.residuals.size(), 20u);
    EXPECT_EQ(fit.nu, 18);
}

TEST(LineFit, TheInstrumentTermAddsToTheScatter) {
    const std::vector<double> x = spaced(0, 1, 6);
    const std::vector<double> y = {0.1, 2.3, 3.9, 6.2, 8.1, 9.8};
    FitSettings settings;
    settings.instrumentError = 0.3;
    const Fit fit = fitted(numberedPoints(x, y), settings);
    const double uB = 0.3 / std::sqrt(3.0) / std::sqrt(fit.plain.sxx);
    EXPECT_NEAR(fit.slope.uB, uB, 1e-15);
    EXPECT_NEAR(fit.slope.u, std::hypot(fit.sB, uB), 1e-15);
    // Welch–Satterthwaite: more degrees of freedom than the scatter's alone.
    EXPECT_GT(*fit.slope.nu, fit.nu);
}

} // namespace
} // namespace tavrello::fitting
