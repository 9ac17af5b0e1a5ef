// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"
#include "analysis/uncertainty.h"
#include "fitting/data_set.h"
#include "fitting/least_squares.h"
#include "fitting/refusal.h"
#include "fitting/successive_differences.h"
#include "fitting/transform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::fitting {

enum class FitMethod { LeastSquares, ThroughOrigin, SuccessiveDifferences };
inline constexpr std::array<FitMethod, 3> allFitMethods = {
    FitMethod::LeastSquares, FitMethod::ThroughOrigin, FitMethod::SuccessiveDifferences};

// "least_squares", "through_origin", "successive_differences".
std::string_view methodKey(FitMethod method);
std::optional<FitMethod> methodFromKey(std::string_view key);
// "最小二乘法", "过原点的最小二乘法", "逐差法".
std::string_view methodName(FitMethod method);

// How a standard uncertainty u is expanded to U = k·u and U is written. The factor and the
// result line are made from these in one place (expandedEstimate).
struct Expansion {
    Confidence confidence = Confidence::P95;
    // Significant digits of U: 1 or 2, and how U is rounded to them.
    int digits = 2;
    Rounding rounding = Rounding::HalfEven;
    // k from Student's t at P and ν, or a fixed k.
    Coverage coverage = Coverage::Student;
};

struct FitSettings {
    FitMethod method = FitMethod::LeastSquares;
    // Applied to x and to y before the fit.
    Transform xTransform = Transform::None;
    Transform yTransform = Transform::None;
    // u(y) of every point that has none of its own. Least squares with u(y) weights each point
    // by 1/u²; the successive differences take no weights.
    std::optional<double> commonU;
    // The instrument's allowance Δ_仪 of y: adds u_B = Δ_仪/√3 of each y, carried into b and a.
    std::optional<double> instrumentError;
    std::string slopeSymbol = "b";
    std::string interceptSymbol = "a";
    Expansion expansion;
};

// Throws AnalysisError (BadSetting) with a message in Chinese for a setting outside its range.
void checkFitSettings(const FitSettings& settings);

// The common u(y) as typed: nothing for a blank text, else a positive number that
// checkFitSettings takes. Throws AnalysisError (BadSetting) with a message that quotes the text.
// (The allowance Δ_仪 is read by allowanceFromText, analysis/settings.h.)
std::optional<double> uncertaintyFromText(std::string_view text);

// A fitted parameter with its uncertainty and result line.
struct Estimate {
    double value = 0;
    // From the scatter of the points (or, weighted, from the given u(y_i)); from the instrument's
    // allowance; both combined.
    double uA = 0;
    double uB = 0;
    double u = 0;
    // ν of uA, or Welch–Satterthwaite's where uB adds to it; nothing for infinitely many.
    DegreesOfFreedom nu;
    double k = 0;
    double U = 0;
    std::string line;
};

struct Fit {
    FitSettings settings;
    Quantity x;
    Quantity y;
    std::vector<Point> points;
    std::size_t n = 0;
    // The quantities fitted (x and y transformed), and the standard uncertainty of each y
    // fitted, where the fit is weighted.
    std::vector<double> X;
    std::vector<double> Y;
    std::vector<double> uY;

    // The unweighted least-squares line of the model (with intercept for the successive
    // differences), and its figures: r and the course's u(b) = b·√((1/r² − 1)/(n − 2)) with an
    // intercept only; R² uncentred through the origin.
    LineSolution plain;
    std::optional<double> r;
    double r2 = 0;
    std::optional<double> courseSlopeU;
    // The method's figures from the scatter of the points, unweighted: s and ν (s_δ and m − 1
    // for the successive differences), s_b, and s_a where there is an intercept.
    double s = 0;
    std::int64_t nu = 0;
    double sB = 0;
    std::optional<double> sA;

    // With u(y): the line weighted by 1/u², its sums in those weights; χ² = Σv²/u² is its sse,
    // with n − 2 (through the origin n − 1) degrees of freedom.
    std::optional<LineSolution> weighted;
    std::optional<Differences> differences;
    // u_B(y) = Δ_仪/√3, where the allowance is given.
    std::optional<double> instrumentU;

    // The line stated, its residuals v_i = y_i − ŷ_i, and the standardised residuals v_i/s
    // (weighted: v_i/u_i). Points beyond 3 are flagged, not removed.
    double a = 0;
    double b = 0;
    std::vector<double> residuals;
    std::vector<double> standardised;
    std::vector<int> flagged;
    // √(Σv²/ν) of those residuals, ν = n − 2 (through the origin n − 1): s itself for least
    // squares, the scale of the standardised residuals without weights.
    double residualS = 0;

    Estimate slope;
    // None through the origin and for the successive differences.
    std::optional<Estimate> intercept;

    bool hasIntercept() const { return settings.method != FitMethod::ThroughOrigin; }
    // The names and units of the quantities fitted: "ln I", "t".
    std::string xName() const;
    std::string yName() const;
    std::string slopeUnit() const;
    std::string interceptUnit() const;
    // "ln I = a + b·t", "y = b·x".
    std::string model() const;
};

// The fit of the points by the method in the settings. Refuses (as a value, with a message in
// Chinese naming the point) fewer than 3 points, all x equal, a transform undefined at a point,
// points some of which lack u(y), and what the successive differences cannot take. Throws
// AnalysisError for settings outside their ranges.
// The fit keeps the data: pass it with std::move where it is not needed afterwards.
Outcome<Fit> fitLine(DataSet data, const FitSettings& settings = {});

// "r = 0.99987": to two significant digits of 1 − |r|, four decimals at least; for a line
// through the origin "R² = …", uncentred.
std::string correlationLine(const Fit& fit);

// The result lines: the slope's, the intercept's where there is one, and the correlation's.
std::vector<std::string> resultLines(const Fit& fit);

} // namespace tavrello::fitting
