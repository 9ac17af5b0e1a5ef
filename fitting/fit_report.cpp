// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/fit_report.h"

#include "analysis/number_format.h"
#include "analysis/report.h"

#include <cmath>
#include <span>

namespace tavrello::fitting {

namespace {

// So many flagged points are named one by one.
constexpr std::size_t flagsNamed = 20;
// Beyond this, no point's |v_i|/s can exceed 3: |v_i| ≤ √Σv² = s·√ν.
constexpr std::int64_t mostDegreesWithoutFlags = 9;

std::string number(double value) {
    return sentenceNumber(value);
}

// A number as a factor of a product or the subtrahend of a difference: "(-0.1)".
std::string operand(const std::string& text) {
    return text.starts_with('-') ? "(" + text + ")" : text;
}

std::string count(std::int64_t n) {
    return std::to_string(n);
}

std::string degrees(DegreesOfFreedom nu) {
    return nu ? std::to_string(*nu) : std::string("∞");
}

bool weighted(const Fit& fit) {
    return fit.weighted.has_value();
}

// One column of numbers as the table writes it.
std::vector<std::string> column(std::span<const double> values) {
    const std::optional<int> place = columnPlace(values);
    std::vector<std::string> cells;
    cells.reserve(values.size());
    for (const double value : values) {
        cells.push_back(columnNumber(value, place));
    }
    return cells;
}

std::string residualScaleName(const Fit& fit) {
    return weighted(fit) ? "v_i/u_i" : "v_i/s";
}

// The fitted line's sums, in the words of the unweighted line with an intercept.
std::string interceptSteps(const Fit& fit) {
    const LineSolution& line = fit.plain;
    const double n = static_cast<double>(fit.n);
    const double sumX2 = line.sxx + n * line.xMean * line.xMean;
    const double xSpread = std::sqrt(line.sxx / (n - 1));
    const double ySpread = std::sqrt(line.syy / (n - 1));
    std::string text = "x̄ = Σx_i/n = " + meanNumber(line.xMean, xSpread) +
                       "，ȳ = Σy_i/n = " + meanNumber(line.yMean, ySpread) + "\n";
    text += "Σ(x_i − x̄)² = " + number(line.sxx) + "，Σ(y_i − ȳ)² = " + number(line.syy) +
            "，Σ(x_i − x̄)(y_i − ȳ) = " + number(line.sxy) + "\n";
    if (fit.differences) {
        return text;
    }
    text += "b = Σ(x_i − x̄)(y_i − ȳ)/Σ(x_i − x̄)² = " + number(line.sxy) + "/" + number(line.sxx) +
            " = " + number(line.b) + "\n";
    text += "a = ȳ − b·x̄ = " + meanNumber(line.yMean, ySpread) + " − " + operand(number(line.b)) +
            "×" + operand(meanNumber(line.xMean, xSpread)) + " = " + number(line.a) + "\n";
    text += "r = Σ(x_i − x̄)(y_i − ȳ)/√(Σ(x_i − x̄)²·Σ(y_i − ȳ)²) = " +
            (fit.r ? number(*fit.r) : std::string("无定义（Σ(y_i − ȳ)² = 0）")) + "\n";
    text += "s = √(Σv_i²/(n − 2)) = √(" + number(line.sse) + "/" + count(fit.nu) +
            ") = " + number(fit.s) + "\n";
    text += "s_b = s/√Σ(x_i − x̄)² = " + number(fit.s) + "/√" + number(line.sxx) + " = " +
            number(fit.sB) + "\n";
    text += "s_a = s_b·√(Σx_i²/n) = " + number(fit.sB) + "×√(" + number(sumX2) + "/" +
            count(static_cast<std::int64_t>(fit.n)) + ") = " + number(fit.sA.value_or(0));
    if (fit.courseSlopeU) {
        const double r = *fit.r;
        text += "\n按 u(b) = |b|·√((1/r² − 1)/(n − 2)) 计算：u(b) = " + number(std::abs(line.b)) +
                "×√(" + number(1 / (r * r) - 1) + "/" + count(fit.nu) +
                ") = " + number(*fit.courseSlopeU) + "，与 s_b 相同";
    }
    return text;
}

std::string originSteps(const Fit& fit) {
    const LineSolution& line = fit.plain;
    return "Σx_i² = " + number(line.sxx) + "，Σx_i·y_i = " + number(line.sxy) +
           "，Σy_i² = " + number(line.syy) + "\nb = Σx_i·y_i/Σx_i² = " + number(line.sxy) + "/" +
           number(line.sxx) + " = " + number(line.b) + "\ns = √(Σv_i²/(n − 1)) = √(" +
           number(line.sse) + "/" + count(fit.nu) + ") = " + number(fit.s) +
           "\ns_b = s/√Σx_i² = " + number(fit.s) + "/√" + number(line.sxx) + " = " +
           number(fit.sB) + "\nR² = 1 − Σv_i²/Σy_i² = 1 − " + number(line.sse) + "/" +
           number(line.syy) + " = " + number(fit.r2) + "（过原点，未减去平均值）";
}

std::string weightedSteps(const Fit& fit) {
    const LineSolution& line = *fit.weighted;
    const std::string chi = "\nχ² = Σw_i·v_i² = " + number(line.sse) + "，ν = n − " +
                            (fit.hasIntercept() ? "2" : "1") + " = " + count(fit.nu) +
                            "，χ²/ν = " + number(line.sse / static_cast<double>(fit.nu));
    std::string text = "按 w_i = 1/u(y_i)² 加权，u(y_i) 视为已知（自由度为 ∞）：\n";
    if (!fit.hasIntercept()) {
        return text + "Σw_i·x_i² = " + number(line.sxx) + "，Σw_i·x_i·y_i = " + number(line.sxy) +
               "\nb = Σw_i·x_i·y_i/Σw_i·x_i² = " + number(line.b) +
               "\nu(b) = 1/√Σw_i·x_i² = " + number(fit.slope.uA) + chi;
    }
    return text + "Σw_i = " + number(line.sumW) + "，x̄_w = Σw_i·x_i/Σw_i = " + number(line.xMean) +
           "，ȳ_w = Σw_i·y_i/Σw_i = " + number(line.yMean) +
           "\nΣw_i(x_i − x̄_w)² = " + number(line.sxx) +
           "，Σw_i(x_i − x̄_w)(y_i − ȳ_w) = " + number(line.sxy) +
           "\nb = Σw_i(x_i − x̄_w)(y_i − ȳ_w)/Σw_i(x_i − x̄_w)² = " + number(line.b) +
           "\na = ȳ_w − b·x̄_w = " + number(line.a) +
           "\nu(b) = 1/√Σw_i(x_i − x̄_w)² = " + number(fit.slope.uA) +
           "\nu(a) = √(1/Σw_i + x̄_w²/Σw_i(x_i − x̄_w)²) = " + number(fit.intercept->uA) + chi;
}

std::string differencesSteps(const Fit& fit) {
    const Differences& d = *fit.differences;
    const std::string m = count(static_cast<std::int64_t>(d.m));
    const std::string span = "(" + m + "×" + number(d.dx) + ")";
    return "n = 2m = " + count(static_cast<std::int64_t>(fit.n)) + "，m = " + m +
           "，x 等间距，Δx = " + number(d.dx) + "\nδ̄ = Σδ_i/m = " + number(d.mean) +
           "\ns_δ = √(Σ(δ_i − δ̄)²/(m − 1)) = " + number(d.s) +
           "\nu_A(δ̄) = s_δ/√m = " + number(d.uA) + "\nb = δ̄/(m·Δx) = " + number(d.mean) + "/" +
           span + " = " + number(d.slope) + "\nu_A(b) = u_A(δ̄)/(m·Δx) = " + number(d.uA) + "/" +
           span + " = " + number(fit.sB) + "，ν = m − 1 = " + count(fit.nu) +
           "\na = ȳ − b·x̄ = " + number(fit.a) +
           "（用于拟合值与残差）\n残差的标准差 s = √(Σv_i²/(n − 2)) = " + number(fit.residualS) +
           "（用于标准化残差 v_i/s）";
}

std::string instrumentSteps(const Fit& fit) {
    if (!fit.instrumentU) {
        return "未计入仪器误差（未给出 Δ_仪）";
    }
    const std::string opening = "计入仪器误差：Δ_仪 = " + number(*fit.settings.instrumentError) +
                                "，u_B(y) = Δ_仪/√3 = " + number(*fit.instrumentU) + "\n";
    if (fit.differences) {
        return opening + "u_B(δ̄) = Δ_仪/√3 = " + number(*fit.instrumentU) +
               "，u_B(b) = u_B(δ̄)/(m·Δx) = " + number(fit.slope.uB);
    }
    const bool plain = !weighted(fit) && fit.settings.yTransform == Transform::None;
    std::string text = opening;
    if (plain && fit.hasIntercept()) {
        text += "u_B(b) = u_B(y)/√Σ(x_i − x̄)² = " + number(fit.slope.uB) +
                "，u_B(a) = u_B(b)·√(Σx_i²/n) = " + number(fit.intercept->uB);
    } else if (plain) {
        text += "u_B(b) = u_B(y)/√Σx_i² = " + number(fit.slope.uB);
    } else {
        if (fit.settings.yTransform != Transform::None) {
            text += "u_B(" + fit.yName() + "_i) = |d(" + fit.yName() + ")/d" + fit.y.name +
                    "|·u_B(y)\n";
        }
        text += "u_B(b) = √Σ(∂b/∂y_i·u_B(y_i))² = " + number(fit.slope.uB);
        if (fit.intercept) {
            text += "，u_B(a) = √Σ(∂a/∂y_i·u_B(y_i))² = " + number(fit.intercept->uB);
        }
    }
    return text;
}

std::string expansionSteps(const Fit& fit, const Estimate& estimate, const std::string& symbol) {
    std::string text;
    const std::string u = "u(" + symbol + ")";
    if (estimate.uB > 0) {
        text += "u_c(" + symbol + ") = √(u_A² + u_B²) = " + number(estimate.u);
        text += estimate.uA > 0 && fit.nu > 0 && !weighted(fit)
                    ? "，ν_eff = ν·(u_c/u_A)⁴ = " + degrees(estimate.nu) + "\n"
                    : "\n";
    }
    const Expansion& expansion = fit.settings.expansion;
    const std::string label(confidenceLabel(expansion.confidence));
    const std::string from = expansion.coverage == Coverage::Student
                                 ? "（P = " + label + "，ν = " + degrees(estimate.nu) +
                                       (estimate.nu ? "，t 分布" : "，正态分布") + "）"
                                 : std::string("（取定值）");
    text += symbol + "：包含因子 k = " + number(estimate.k) + from + "，U = k·" +
            (estimate.uB > 0 ? "u_c" : u) + " = " + number(estimate.U);
    return text;
}

std::vector<std::string> flagNotes(const Fit& fit) {
    std::vector<std::string> notes;
    const std::int64_t lineNu = static_cast<std::int64_t>(fit.n) - (fit.hasIntercept() ? 2 : 1);
    if (!weighted(fit) && lineNu <= mostDegreesWithoutFlags) {
        notes.push_back("只有 " + count(static_cast<std::int64_t>(fit.n)) +
                        " 个点时，任何点的 |v_i|/s 都不会超过 √ν = " +
                        number(std::sqrt(static_cast<double>(lineNu))) +
                        "（|v_i| ≤ √Σv_i²），标准化残差超过 3 的检查查不出离群点；请看残差图。");
    }
    std::string named;
    for (std::size_t i = 0; i < fit.flagged.size() && i < flagsNamed; ++i) {
        named += (i > 0 ? "、" : "") + count(fit.flagged[i]);
    }
    if (!fit.flagged.empty()) {
        notes.push_back("第 " + named + (fit.flagged.size() > flagsNamed ? " 等" : "") +
                        " 个点的标准化残差 " + residualScaleName(fit) +
                        " 超过 3，可能含有粗大误差：已在表中标出，没有剔除，请核对。");
    }
    return notes;
}

std::vector<std::string> otherNotes(const Fit& fit) {
    std::vector<std::string> notes;
    if (weighted(fit)) {
        notes.push_back("χ²/ν 远大于 1，说明给出的 u(y_i) 偏小或数据不在一条直线上；远小于 1，"
                        "说明 u(y_i) 偏大。不加权的 s、s_b 等列在计算过程中以资比较。");
    }
    const bool uGiven =
        fit.settings.commonU || std::any_of(fit.points.begin(), fit.points.end(),
                                            [](const Point& point) { return point.u.has_value(); });
    if (fit.differences && uGiven) {
        notes.push_back("逐差法不使用各点的 u(y)，不确定度由 δ_i 的分散求出。");
    }
    return notes;
}

std::string settingsParagraph(const Fit& fit) {
    std::string text = "拟合方法：" + std::string(methodName(fit.settings.method)) +
                       (weighted(fit) ? "，按 1/u(y_i)² 加权" : "") + "\n拟合式：" + fit.model() +
                       "\n数据点数 n = " + count(static_cast<std::int64_t>(fit.n));
    // Only the letters that stand for another name.
    std::string meanings;
    for (const auto& [letter, name] : {std::pair{"x", fit.xName()}, std::pair{"y", fit.yName()}}) {
        if (name != letter) {
            meanings += (meanings.empty() ? "" : "，") + std::string(letter) + " 指 " + name;
        }
    }
    if (!meanings.empty()) {
        text += "\n下面各式中的 " + meanings;
    }
    return text;
}

} // namespace

report::Table dataTable(const Fit& fit) {
    report::Table table;
    table.header = {"序号", quantityHeader(fit.x), quantityHeader(fit.y)};
    table.spokenHeader = {"序号", fit.x.name, fit.y.name};
    std::vector<std::vector<std::string>> columns(3);
    for (const Point& point : fit.points) {
        columns[0].push_back(count(point.position));
        columns[1].push_back(typedValue(point.xText, point.x));
        columns[2].push_back(typedValue(point.yText, point.y));
    }
    const auto add = [&](std::string header, std::string spoken, std::vector<std::string> cells) {
        table.header.push_back(std::move(header));
        table.spokenHeader.push_back(std::move(spoken));
        columns.push_back(std::move(cells));
    };
    if (!fit.uY.empty()) {
        std::vector<std::string> cells;
        for (const Point& point : fit.points) {
            cells.push_back(point.u ? typedValue(point.uText, *point.u)
                                    : number(*fit.settings.commonU));
        }
        add("u(" + fit.y.name + ")", "y 的标准不确定度", std::move(cells));
    }
    if (fit.settings.xTransform != Transform::None) {
        add(fit.xName(), fit.xName(), column(fit.X));
    }
    if (fit.settings.yTransform != Transform::None) {
        add(fit.yName(), fit.yName(), column(fit.Y));
    }
    std::vector<double> fitted(fit.n);
    for (std::size_t i = 0; i < fit.n; ++i) {
        fitted[i] = fit.Y[i] - fit.residuals[i];
    }
    add("ŷ_i", "拟合值", column(fitted));
    add("v_i", "残差 v i", column(fit.residuals));
    std::vector<std::string> standardised;
    for (const double z : fit.standardised) {
        standardised.push_back(fixedText(z, -2));
    }
    add(residualScaleName(fit), "标准化残差", std::move(standardised));

    table.emphasisMeaning = "标准化残差超过 3，已标出，未剔除";
    table.rows.resize(fit.n);
    table.emphasised.resize(fit.n);
    for (std::size_t i = 0; i < fit.n; ++i) {
        for (std::vector<std::string>& cells : columns) {
            table.rows[i].push_back(std::move(cells[i]));
        }
        table.emphasised[i] = std::abs(fit.standardised[i]) > 3;
    }
    return table;
}

std::optional<report::Table> differencesTable(const Fit& fit) {
    if (!fit.differences) {
        return std::nullopt;
    }
    const Differences& d = *fit.differences;
    const bool asTyped =
        fit.settings.xTransform == Transform::None && fit.settings.yTransform == Transform::None;
    const std::vector<std::string> xs = column(fit.X);
    const std::vector<std::string> ys = column(fit.Y);
    const auto x = [&](std::size_t i) {
        return asTyped ? typedValue(fit.points[i].xText, fit.points[i].x) : xs[i];
    };
    const auto y = [&](std::size_t i) {
        return asTyped ? typedValue(fit.points[i].yText, fit.points[i].y) : ys[i];
    };
    report::Table table;
    table.header = {"i", "x_i", "y_i", "x_(i+m)", "y_(i+m)", "δ_i = y_(i+m) − y_i"};
    table.spokenHeader = {"i", "x i", "y i", "x i 加 m", "y i 加 m", "逐差 delta i"};
    const std::vector<std::string> deltas = column(d.deltas);
    for (std::size_t i = 0; i < d.m; ++i) {
        const std::size_t low = d.order[i];
        const std::size_t high = d.order[i + d.m];
        table.rows.push_back(
            {count(static_cast<std::int64_t>(i + 1)), x(low), y(low), x(high), y(high), deltas[i]});
    }
    return table;
}

std::string workedSteps(const Fit& fit) {
    std::string text = weighted(fit) ? "不加权的拟合（供比较）：\n" : "";
    if (fit.differences) {
        text += interceptSteps(fit) + differencesSteps(fit);
    } else if (fit.hasIntercept()) {
        text += interceptSteps(fit);
    } else {
        text += originSteps(fit);
    }
    if (weighted(fit)) {
        text += "\n" + weightedSteps(fit);
    }
    text += "\n" + instrumentSteps(fit) + "\n" +
            expansionSteps(fit, fit.slope, fit.settings.slopeSymbol);
    if (fit.intercept) {
        text += "\n" + expansionSteps(fit, *fit.intercept, fit.settings.interceptSymbol);
    }
    return text;
}

std::string plotDescription(const Fit& fit) {
    std::string text = "以 " + fit.xName() + " 为横轴、" + fit.yName() + " 为纵轴的 " +
                       count(static_cast<std::int64_t>(fit.n)) + " 个数据点与拟合直线 " +
                       fit.model();
    if (fit.flagged.empty()) {
        return text + "；没有标出的点。";
    }
    text += "；标出的点：";
    for (std::size_t i = 0; i < fit.flagged.size() && i < flagsNamed; ++i) {
        text += (i > 0 ? "、第 " : "第 ") + count(fit.flagged[i]) + " 个";
    }
    return text + (fit.flagged.size() > flagsNamed ? "等。" : "。");
}

report::Document fitReport(const Fit& fit) {
    report::Document document{"直线拟合报告", {}};
    auto& blocks = document.blocks;
    blocks.push_back(report::Paragraph{settingsParagraph(fit)});
    blocks.push_back(dataTable(fit));
    if (std::optional<report::Table> differences = differencesTable(fit)) {
        blocks.push_back(std::move(*differences));
    }
    blocks.push_back(report::Figure{plotDescription(fit)});
    blocks.push_back(report::Heading{"计算过程："});
    blocks.push_back(report::Paragraph{workedSteps(fit)});
    for (std::vector<std::string> notes : {flagNotes(fit), otherNotes(fit)}) {
        for (std::string& note : notes) {
            blocks.push_back(report::Note{std::move(note)});
        }
    }
    blocks.push_back(report::Result{"斜率", fit.slope.line});
    if (fit.intercept) {
        blocks.push_back(report::Result{"截距", fit.intercept->line});
    }
    blocks.push_back(
        report::Result{fit.hasIntercept() ? "相关系数" : "决定系数", correlationLine(fit)});
    return document;
}

} // namespace tavrello::fitting
