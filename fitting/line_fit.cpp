// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/line_fit.h"

#include "analysis/number_format.h"
#include "analysis/report.h"
#include "analysis/series_text.h"
#include "analysis/statistics.h"
#include "analysis/uncertainty.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace tavrello::fitting {

namespace {

struct MethodRow {
    FitMethod method;
    std::string_view key;
    std::string_view name;
};
constexpr MethodRow methodRows[] = {
    {FitMethod::LeastSquares, "least_squares", "最小二乘法"},
    {FitMethod::ThroughOrigin, "through_origin", "过原点的最小二乘法"},
    {FitMethod::SuccessiveDifferences, "successive_differences", "逐差法"},
};

const MethodRow& methodRow(FitMethod method) {
    return *std::find_if(std::begin(methodRows), std::end(methodRows),
                         [method](const MethodRow& row) { return row.method == method; });
}

constexpr double flagLimit = 3;
constexpr int fewestPoints = 3;

[[noreturn]] void refuseSetting(const std::string& message) {
    throw AnalysisError(AnalysisError::Problem::BadSetting, message);
}

// "第 4 个点", with its line where it came from a file and a detail: "第 4 个点（第 5 行，x = 2）".
std::string pointName(const Point& point, const std::string& detail = {}) {
    std::string inside = point.line > 0 ? "第 " + std::to_string(point.line) + " 行" : "";
    if (!detail.empty()) {
        inside += (inside.empty() ? "" : "，") + detail;
    }
    return "第 " + std::to_string(point.position) + " 个点" +
           (inside.empty() ? "" : "（" + inside + "）");
}

Refusal refusalAt(Refusal::Problem problem, const Point& point, const std::string& message) {
    return {problem, message, point.line, point.position, {}};
}

// A refusal about the data as a whole.
Refusal refusal(Refusal::Problem problem, const std::string& message) {
    return {problem, message, 0, 0, {}};
}

// One axis of the points as fitted.
struct Axis {
    Transform transform;
    const std::string& name;
    double Point::*value;
    std::string Point::*text;
    std::vector<double>& out;
    // |f′| at each point, which carries an uncertainty of the value; left empty for none.
    std::vector<double>* slopes = nullptr;
};

// The value as fitted, where it is defined and in range.
std::optional<double> fittedValue(const Axis& axis, const Point& point) {
    const double raw = point.*axis.value;
    const std::optional<double> value =
        axis.transform == Transform::None ? raw : transformed(axis.transform, raw);
    if (!value || !isAnalysableValue(*value)) {
        return std::nullopt;
    }
    return value;
}

// Why the point has no value as fitted.
Refusal axisRefusal(const Axis& axis, const Point& point) {
    const std::string fittedName = transformedName(axis.transform, axis.name);
    const std::string raw = axis.name + " = " + typedValue(point.*axis.text, point.*axis.value);
    const std::optional<double> value = transformed(axis.transform, point.*axis.value);
    if (!value) {
        return refusalAt(Refusal::Problem::TransformUndefined, point,
                         pointName(point) + "的 " + raw + "，不能取 " + fittedName + "（" +
                             std::string(domainText(axis.transform)) + "）。");
    }
    const std::string shown =
        axis.transform == Transform::None ? raw : fittedName + " = " + sentenceNumber(*value);
    return refusalAt(Refusal::Problem::BadValue, point,
                     pointName(point) + "的 " + shown + " 超出了范围：" + std::string(valueRange) +
                         "。");
}

// Both axes in one pass over the points, which are large (their texts) and many; withU counts
// the points that have u(y).
std::optional<Refusal> transformPoints(const std::vector<Point>& points, std::span<const Axis> axes,
                                       std::size_t& withU) {
    for (const Axis& axis : axes) {
        axis.out.resize(points.size());
        if (axis.slopes && axis.transform != Transform::None) {
            axis.slopes->resize(points.size());
        }
    }
    withU = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& point = points[i];
        for (const Axis& axis : axes) {
            const std::optional<double> value = fittedValue(axis, point);
            if (!value) {
                return axisRefusal(axis, point);
            }
            axis.out[i] = *value;
            if (axis.slopes && !axis.slopes->empty()) {
                (*axis.slopes)[i] = sensitivity(axis.transform, point.*axis.value);
            }
        }
        withU += point.u ? 1 : 0;
    }
    return std::nullopt;
}

double slopeAt(const std::vector<double>& slopes, std::size_t i) {
    return slopes.empty() ? 1 : slopes[i];
}

// u of each y as fitted, or a refusal where some points have u(y) and others none.
std::optional<Refusal> uncertaintiesOf(Fit& fit, std::size_t withU,
                                       const std::vector<double>& ySlopes) {
    if (withU == 0 && !fit.settings.commonU) {
        return std::nullopt;
    }
    fit.uY.resize(fit.n);
    for (std::size_t i = 0; i < fit.n; ++i) {
        const Point& point = fit.points[i];
        const std::optional<double> u = point.u ? point.u : fit.settings.commonU;
        if (!u) {
            return refusalAt(Refusal::Problem::MissingUncertainty, point,
                             pointName(point) +
                                 "没有 u(y)，而别的点有。请给出每个点的 u(y)，或给出统一的 u(y)。");
        }
        const double carried = slopeAt(ySlopes, i) * *u;
        if (!(carried > 0 && isAnalysableValue(carried))) {
            return refusalAt(Refusal::Problem::BadValue, point,
                             pointName(point) + "的 u(" + fit.yName() +
                                 ") = " + sentenceNumber(carried) + " 不能用来加权：" +
                                 std::string(positiveRange) + "。");
        }
        fit.uY[i] = carried;
    }
    return std::nullopt;
}

std::optional<Refusal> spreadOf(const Fit& fit) {
    if (fit.settings.method == FitMethod::ThroughOrigin) {
        if (std::all_of(fit.X.begin(), fit.X.end(), [](double x) { return x == 0; })) {
            return refusal(Refusal::Problem::AllXEqual,
                           "所有点的 " + fit.xName() + " 都为 0，无法拟合过原点的直线。");
        }
        return std::nullopt;
    }
    const double first = fit.X.front();
    if (std::all_of(fit.X.begin(), fit.X.end(), [first](double x) { return x == first; })) {
        const std::string value = fit.settings.xTransform == Transform::None
                                      ? typedValue(fit.points.front().xText, first)
                                      : sentenceNumber(first);
        return refusal(Refusal::Problem::AllXEqual, "所有点的 " + fit.xName() + " 都相等（" +
                                                        fit.xName() + " = " + value +
                                                        "），无法拟合直线。");
    }
    return std::nullopt;
}

// The weighted line, its sums in the weights 1/u² themselves. It is solved in the weights
// (u_min/u)², at most 1, so that neither they nor the sums overflow; what it would carry of an
// allowance is taken there too, as it does not depend on the weights' scale.
LineSolution weightedLine(const Fit& fit, const std::vector<double>& gB, double& uBb, double& uBa) {
    const double uMin = *std::min_element(fit.uY.begin(), fit.uY.end());
    std::vector<double> weights(fit.n);
    for (std::size_t i = 0; i < fit.n; ++i) {
        const double ratio = uMin / fit.uY[i];
        weights[i] = ratio * ratio;
    }
    LineSolution line = solveLine(fit.X, fit.Y, weights, fit.hasIntercept());
    if (!gB.empty()) {
        const Carried instrument = carried(line, fit.X, weights, gB);
        uBb = instrument.b;
        uBa = instrument.a;
    }
    const double scale = 1 / (uMin * uMin);
    for (double* sum : {&line.sumW, &line.sxx, &line.sxy, &line.syy, &line.sse}) {
        *sum *= scale;
    }
    return line;
}

// The expanded estimate and its line: the one place where k and U's writing are decided.
Estimate expandedEstimate(const Expansion& expansion, double value, double uA, DegreesOfFreedom nuA,
                          double uB, const std::string& symbol, const std::string& unit) {
    Estimate estimate;
    estimate.value = value;
    estimate.uA = uA;
    estimate.uB = uB;
    estimate.u = std::hypot(uA, uB);
    if (uB == 0) {
        estimate.nu = nuA;
    } else if (uA > 0 && nuA) {
        const double ratio = estimate.u / uA;
        estimate.nu = truncatedDegrees(static_cast<double>(*nuA) * ratio * ratio * ratio * ratio,
                                       64 * std::numeric_limits<double>::epsilon());
    }
    estimate.k = coverageFactor(expansion.coverage, expansion.confidence, estimate.nu);
    estimate.U = estimate.k * estimate.u;
    estimate.line =
        resultLine({symbol, unit, value, estimate.U, estimate.k, estimate.nu, expansion.confidence,
                    expansion.digits, expansion.coverage, expansion.rounding});
    return estimate;
}

void plainFigures(Fit& fit) {
    fit.plain = solveLine(fit.X, fit.Y, {}, fit.hasIntercept());
    const LineSolution& line = fit.plain;
    fit.nu = static_cast<std::int64_t>(fit.n) - (fit.hasIntercept() ? 2 : 1);
    fit.s = std::sqrt(line.sse / static_cast<double>(fit.nu));
    fit.sB = fit.s * std::sqrt(line.slopeVariance());
    fit.r2 = line.rSquared();
    if (fit.hasIntercept()) {
        fit.sA = fit.s * std::sqrt(line.interceptVariance());
        if (line.syy > 0) {
            fit.r = std::clamp(line.sxy / std::sqrt(line.sxx * line.syy), -1.0, 1.0);
            fit.r2 = *fit.r * *fit.r;
        }
    }
    if (fit.settings.method == FitMethod::LeastSquares && fit.r && *fit.r != 0) {
        const double r = *fit.r;
        fit.courseSlopeU =
            std::abs(line.b) * std::sqrt((1 / (r * r) - 1) / static_cast<double>(fit.nu));
    }
}

// The residuals about the line through (x̄, ȳ) with the slope b, their standardised values and
// the points beyond the limit; lineNu: the degrees of freedom of the residuals' scale.
void residualsOf(Fit& fit, const LineSolution& line, std::int64_t lineNu) {
    fit.residuals.resize(fit.n);
    fit.standardised.resize(fit.n);
    CompensatedSum squares;
    for (std::size_t i = 0; i < fit.n; ++i) {
        const double v = line.residual(fit.X[i], fit.Y[i]);
        fit.residuals[i] = v;
        squares.add(v * v);
    }
    fit.residualS = std::sqrt(squares.value() / static_cast<double>(lineNu));
    for (std::size_t i = 0; i < fit.n; ++i) {
        const double v = fit.residuals[i];
        const double scale = fit.uY.empty() ? fit.residualS : fit.uY[i];
        fit.standardised[i] = v == 0 ? 0 : v / scale;
        if (std::abs(fit.standardised[i]) > flagLimit) {
            fit.flagged.push_back(fit.points[i].position);
        }
    }
}

void leastSquaresEstimates(Fit& fit, const std::vector<double>& gB) {
    const Expansion& expansion = fit.settings.expansion;
    double uBb = 0;
    double uBa = 0;
    double uAb = fit.sB;
    double uAa = fit.sA.value_or(0);
    DegreesOfFreedom nuA = fit.nu;
    const LineSolution* stated = &fit.plain;
    if (!fit.uY.empty()) {
        fit.weighted = weightedLine(fit, gB, uBb, uBa);
        stated = &*fit.weighted;
        // The given u(y_i) are taken as known: their degrees of freedom are infinite.
        uAb = std::sqrt(stated->slopeVariance());
        uAa = std::sqrt(stated->interceptVariance());
        nuA = std::nullopt;
    } else if (!gB.empty()) {
        const Carried instrument = carried(fit.plain, fit.X, {}, gB);
        uBb = instrument.b;
        uBa = instrument.a;
    }
    fit.a = stated->a;
    fit.b = stated->b;
    residualsOf(fit, *stated, fit.nu);
    fit.slope = expandedEstimate(expansion, fit.b, uAb, nuA, uBb, fit.settings.slopeSymbol,
                                 fit.slopeUnit());
    if (fit.hasIntercept()) {
        fit.intercept = expandedEstimate(expansion, fit.a, uAa, nuA, uBa,
                                         fit.settings.interceptSymbol, fit.interceptUnit());
    }
}

std::optional<Refusal> differencesEstimates(Fit& fit) {
    std::vector<int> positions;
    positions.reserve(fit.n);
    for (const Point& point : fit.points) {
        positions.push_back(point.position);
    }
    const auto label = [&fit](std::size_t i) {
        const Point& point = fit.points[i];
        const std::string value = fit.settings.xTransform == Transform::None
                                      ? typedValue(point.xText, point.x)
                                      : sentenceNumber(fit.X[i]);
        return pointName(point, fit.xName() + " = " + value);
    };
    Outcome<Differences> outcome = successiveDifferences(fit.X, fit.Y, positions, label);
    if (Refusal* refusal = std::get_if<Refusal>(&outcome)) {
        return std::move(*refusal);
    }
    const Differences& differences = fit.differences.emplace(std::get<Differences>(outcome));
    const double span = static_cast<double>(differences.m) * differences.dx;
    fit.nu = static_cast<std::int64_t>(differences.m) - 1;
    fit.s = differences.s;
    fit.sB = differences.uA / span;
    fit.sA.reset();
    fit.b = differences.slope;
    fit.a = fit.plain.yMean - fit.b * fit.plain.xMean;
    LineSolution line = fit.plain;
    line.b = fit.b;
    line.a = fit.a;
    // The residuals' own scale has n − 2 degrees of freedom, as that of any line with an
    // intercept.
    residualsOf(fit, line, static_cast<std::int64_t>(fit.n) - 2);
    // The courses take the allowance on the difference read off the instrument: u_B(δ̄) = Δ_仪/√3.
    const double uB = fit.instrumentU.value_or(0) / span;
    fit.slope = expandedEstimate(fit.settings.expansion, fit.b, fit.sB, fit.nu, uB,
                                 fit.settings.slopeSymbol, fit.slopeUnit());
    return std::nullopt;
}

// r and R² to two significant digits of what they lack of 1, which tell how straight the line
// is; four decimals at least, ten at most.
std::string nearOneText(double value) {
    const DecimalNumber gap = shortestDecimal(1 - std::abs(value));
    const int place = gap.isZero() ? 0 : std::max(std::min(-4, gap.leadingPlace() - 1), -10);
    return fixedText(value, place);
}

bool allFinite(const Fit& fit) {
    const auto finite = [](double value) { return std::isfinite(value); };
    return finite(fit.a) && finite(fit.b) && finite(fit.slope.U) &&
           (!fit.intercept || finite(fit.intercept->U)) &&
           std::all_of(fit.residuals.begin(), fit.residuals.end(), finite);
}

} // namespace

std::string_view methodKey(FitMethod method) {
    return methodRow(method).key;
}

std::optional<FitMethod> methodFromKey(std::string_view key) {
    for (const MethodRow& row : methodRows) {
        if (row.key == key) {
            return row.method;
        }
    }
    return std::nullopt;
}

std::string_view methodName(FitMethod method) {
    return methodRow(method).name;
}

void checkFitSettings(const FitSettings& settings) {
    if (settings.expansion.digits != 1 && settings.expansion.digits != 2) {
        refuseSetting("不确定度的有效位数只能取 1 或 2。");
    }
    if (const std::optional<double> u = settings.commonU; u && !(*u > 0 && isAnalysableValue(*u))) {
        refuseSetting("统一的 u(y)" + std::string(positiveRange) + "。");
    }
    if (const std::optional<double> allowance = settings.instrumentError;
        allowance && !(*allowance >= 0 && isAnalysableValue(*allowance))) {
        refuseSetting("仪器允差 Δ_仪" + std::string(valueRange) + "。");
    }
    if (settings.method == FitMethod::SuccessiveDifferences && settings.instrumentError &&
        settings.yTransform != Transform::None) {
        refuseSetting("逐差法的仪器允差只用于未经变换的 y：Δ_仪 是 y 的允差，而不是 " +
                      transformedName(settings.yTransform, "y") + " 的。");
    }
}

std::optional<double> uncertaintyFromText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const ValueText u = readValue(text);
    if (u.problem != ValueText::Problem::None || !(u.value > 0)) {
        const std::string_view shown =
            text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
        refuseSetting("统一的 u(y)“" + quotedPiece(shown) + "”" + std::string(positiveRange) +
                      "。");
    }
    return u.value;
}

std::string Fit::xName() const {
    return transformedName(settings.xTransform, x.name);
}

std::string Fit::yName() const {
    return transformedName(settings.yTransform, y.name);
}

std::string Fit::slopeUnit() const {
    return quotientUnit(transformedUnit(settings.yTransform, y.unit),
                        transformedUnit(settings.xTransform, x.unit));
}

std::string Fit::interceptUnit() const {
    return transformedUnit(settings.yTransform, y.unit);
}

std::string Fit::model() const {
    const std::string slopeTerm = settings.slopeSymbol + "·" + xName();
    return yName() + " = " +
           (hasIntercept() ? settings.interceptSymbol + " + " + slopeTerm : slopeTerm);
}

Outcome<Fit> fitLine(DataSet data, const FitSettings& settings) {
    checkFitSettings(settings);
    Fit fit;
    fit.settings = settings;
    fit.x = std::move(data.x);
    fit.y = std::move(data.y);
    fit.points = std::move(data.points);
    fit.n = fit.points.size();
    if (fit.n < fewestPoints) {
        return refusal(Refusal::Problem::TooFewPoints,
                       "直线拟合至少需要 " + std::to_string(fewestPoints) + " 个数据点，现在只有 " +
                           std::to_string(fit.n) + " 个。");
    }
    std::vector<double> ySlopes;
    const Axis axes[] = {
        {settings.xTransform, fit.x.name, &Point::x, &Point::xText, fit.X},
        {settings.yTransform, fit.y.name, &Point::y, &Point::yText, fit.Y, &ySlopes}};
    std::size_t withU = 0;
    if (std::optional<Refusal> refusal = transformPoints(fit.points, axes, withU)) {
        return std::move(*refusal);
    }
    if (std::optional<Refusal> refusal = spreadOf(fit)) {
        return std::move(*refusal);
    }
    std::vector<double> gB;
    if (settings.instrumentError) {
        fit.instrumentU = *settings.instrumentError / std::sqrt(3.0);
        gB.resize(fit.n);
        for (std::size_t i = 0; i < fit.n; ++i) {
            gB[i] = slopeAt(ySlopes, i) * *fit.instrumentU;
        }
    }
    plainFigures(fit);
    if (settings.method == FitMethod::SuccessiveDifferences) {
        if (std::optional<Refusal> refusal = differencesEstimates(fit)) {
            return std::move(*refusal);
        }
    } else {
        if (std::optional<Refusal> refusal = uncertaintiesOf(fit, withU, ySlopes)) {
            return std::move(*refusal);
        }
        leastSquaresEstimates(fit, gB);
    }
    if (!allFinite(fit)) {
        return refusal(Refusal::Problem::BadValue,
                       "数据的数量级相差过大，在双精度下无法可靠地拟合。请换用合适的单位。");
    }
    return fit;
}

std::string correlationLine(const Fit& fit) {
    if (!fit.hasIntercept()) {
        return "R² = " + nearOneText(fit.r2) + "（过原点，未减去平均值）";
    }
    if (!fit.r) {
        return "r 无定义（所有点的 " + fit.yName() + " 都相等）";
    }
    return "r = " + nearOneText(*fit.r);
}

std::vector<std::string> resultLines(const Fit& fit) {
    std::vector<std::string> lines = {fit.slope.line};
    if (fit.intercept) {
        lines.push_back(fit.intercept->line);
    }
    lines.push_back(correlationLine(fit));
    return lines;
}

} // namespace tavrello::fitting
