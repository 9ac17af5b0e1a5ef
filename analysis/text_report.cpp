// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/text_report.h"

#include "analysis/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace tavrello {

namespace {

constexpr int sentenceDigits = 6;

std::string count(std::size_t n) {
    return std::to_string(n);
}

std::string shortestText(double value) {
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string alphaText(double alpha) {
    return shortestText(alpha);
}

std::string valueName(const Round& round) {
    return "x_" + std::to_string(round.position);
}

// Columns a text takes in a monospaced face: CJK characters take two, combining marks none.
std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead < 0x80   ? lead
                        : lead < 0xE0 ? lead & 0x1F
                        : lead < 0xF0 ? lead & 0x0F
                                      : lead & 0x07;
        for (std::size_t i = 1; i < length && at + i < utf8.size(); ++i) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        at += length;
        if (code >= 0x300 && code <= 0x36F) {
            continue;
        }
        const bool wide =
            (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
            (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
            (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - std::min(width, displayWidth(text)), ' ');
}

// "第1轮（n = 15，x̄ = 20.404，s = 0.032689）："
std::string roundOpening(const Round& round, std::size_t number) {
    return "第" + count(number) + "轮（n = " + count(round.n) +
           "，x̄ = " + sentenceNumber(round.mean) + "，s = " + sentenceNumber(round.s) + "）：";
}

// "G = |v|/s = 3.1815 ≥ G(15, 0.05) = 2.40904，剔除"; without a name the bound is written alone.
std::string comparison(const Round& round, std::string_view statistic, std::string_view passes,
                       std::string_view fails, const std::string& critical) {
    return std::string(statistic) + " = " + sentenceNumber(round.statistic) + " " +
           std::string(round.removed ? fails : passes) + " " +
           (critical.empty() ? "" : critical + " = ") + sentenceNumber(round.critical) +
           (round.removed ? "，剔除" : "，保留");
}

std::string roundSentence(const CriterionOutcome& outcome, const Round& round, std::size_t number) {
    const std::string opening = roundOpening(round, number);
    if (round.s == 0) {
        return opening + "所有值相等，没有值偏离平均值，保留";
    }
    const std::string suspect =
        opening + valueName(round) + " = " + shortestText(round.value) + " 的 |v| 最大，";
    const std::string n = count(round.n);
    const std::string alpha = outcome.alpha ? alphaText(*outcome.alpha) : "";
    switch (outcome.criterion) {
    case Criterion::Pauta:
        return suspect + comparison(round, "|v|/s", "≤", ">", "");
    case Criterion::Grubbs:
        return suspect + comparison(round, "G = |v|/s", "<", "≥", "G(" + n + ", " + alpha + ")");
    case Criterion::Chauvenet:
        return suspect + comparison(round, "|v|/s", "≤", ">", "Z_c(" + n + ")");
    case Criterion::Romanovsky:
        if (std::isinf(round.statistic)) {
            return suspect + "其余 " + count(round.n - 1) + " 个值全部相等（s′ = 0）而 " +
                   valueName(round) + " 与之不同，剔除";
        }
        return suspect + "以其余 " + count(round.n - 1) + " 个值的 x̄′、s′ 计算，" +
               comparison(round, "|x_j − x̄′|/s′", "<", "≥", "K(" + n + ", " + alpha + ")");
    }
    return suspect;
}

std::string residualSummary(const SystematicChecks& checks) {
    return "Δ = " + sentenceNumber(checks.residualSums.delta) +
           "，max|v_i| = " + sentenceNumber(checks.residualSums.limit);
}

} // namespace

std::string_view criterionName(Criterion criterion) {
    switch (criterion) {
    case Criterion::Pauta:
        return "拉依达准则（3σ准则）";
    case Criterion::Grubbs:
        return "格拉布斯准则";
    case Criterion::Romanovsky:
        return "罗曼诺夫斯基准则（t检验准则）";
    case Criterion::Chauvenet:
        return "肖维勒准则";
    }
    return {};
}

std::string sentenceNumber(double value) {
    return significantText(value, sentenceDigits);
}

std::optional<int> columnPlace(std::span<const double> column) {
    double largest = 0;
    for (const double value : column) {
        largest = std::max(largest, std::abs(value));
    }
    if (largest == 0) {
        return 0;
    }
    const int leading = shortestDecimal(largest).leadingPlace();
    if (leading < -4 || leading >= sentenceDigits) {
        return std::nullopt;
    }
    // As many decimals as the most precise of the numbers needs, six digits of the largest at
    // most: rounding noise of the residuals does not show, 0.016 stays 0.016.
    const int finest = leading - (sentenceDigits - 1);
    int place = std::min(leading, 0);
    for (const double value : column) {
        const DecimalNumber rounded = roundedToPlace(shortestDecimal(value), finest);
        if (!rounded.isZero()) {
            place = std::min(place, rounded.exponent);
        }
    }
    return place;
}

std::string columnNumber(double value, std::optional<int> place) {
    if (!place) {
        return sentenceNumber(value);
    }
    return fixedText(value, *place);
}

std::string criterionVerdict(const CriterionOutcome& outcome, std::size_t seriesCount) {
    std::string text(criterionName(outcome.criterion));
    if (outcome.alpha) {
        text += "（α = " + alphaText(*outcome.alpha) + "）";
    }
    text += "：";
    const std::size_t minimum = minimumCount(outcome.criterion);
    if (outcome.tooFew) {
        return text + "至少需要 " + count(minimum) + " 个数据，本测量列只有 " + count(seriesCount) +
               " 个，未作检验。";
    }
    if (outcome.criterion == Criterion::Pauta && seriesCount <= 10) {
        text += "拉依达准则在 n ≤ 10 时不能剔除任何值（|v|/s 不可能超过 (n − 1)/√n < 3）。";
    }
    for (std::size_t index = 0; index < outcome.rounds.size(); ++index) {
        text += roundSentence(outcome, outcome.rounds[index], index + 1);
        text += index + 1 < outcome.rounds.size() ? "；" : "。";
    }
    if (!outcome.rounds.empty() && outcome.rounds.back().removed) {
        text += "剩余 " + count(outcome.kept.size()) + " 个值，少于 " + count(minimum) +
                " 个，不再检验。";
    }
    if (outcome.removed.empty()) {
        return text + "没有剔除任何值。";
    }
    text += "共剔除 " + count(outcome.removed.size()) + " 个值：";
    for (std::size_t index = 0; index < outcome.removed.size(); ++index) {
        text += (index > 0 ? "、x_" : "x_") + std::to_string(outcome.removed[index]);
    }
    return text + "。";
}

std::string residualSumsSentence(const SystematicChecks& checks) {
    const std::string opening = "残余误差校核法：" + residualSummary(checks) + "，";
    if (checks.residualSums.limit == 0) {
        return opening + "所有值相同，未发现线性系统误差。";
    }
    return opening + (checks.residualSums.suspect ? "|Δ| ≥ max|v_i|，怀疑存在线性系统误差。"
                                                  : "|Δ| < max|v_i|，未发现线性系统误差。");
}

std::string abbeHelmertSentence(const SystematicChecks& checks) {
    const AbbeHelmert& check = checks.abbeHelmert;
    return "阿卑-赫梅特准则：C = |Σv_i·v_(i+1)| = " + sentenceNumber(check.c) +
           "，√(n − 1)·s² = " + sentenceNumber(check.limit) + "，" +
           (check.suspect ? "C > √(n − 1)·s²，怀疑存在周期性系统误差。"
                          : "C ≤ √(n − 1)·s²，未发现周期性系统误差。");
}

std::string twoFormulasSentence(const SystematicChecks& checks) {
    const TwoFormulas& check = checks.twoFormulas;
    const std::string opening = "计算数据比较法：σ1 = " + sentenceNumber(check.sigma1) +
                                "（贝塞尔公式），σ2 = " + sentenceNumber(check.sigma2) +
                                "（彼得斯公式），";
    if (!check.u) {
        return opening + "u 无定义（σ1 = 0），未发现系统误差。";
    }
    return opening + "u = σ2/σ1 − 1 = " + sentenceNumber(*check.u) +
           "，2/√(n − 1) = " + sentenceNumber(check.limit) + "，" +
           (check.suspect ? "|u| ≥ 2/√(n − 1)，怀疑存在系统误差。"
                          : "|u| < 2/√(n − 1)，未发现系统误差。");
}

std::string uncertaintyBudget(const UncertaintyResult& result) {
    std::string text = "A类标准不确定度 u_A = s/√n = " + sentenceNumber(result.uA) + "\n";
    if (result.instrumentError) {
        text += "B类标准不确定度 u_B = Δ/√3 = " + sentenceNumber(result.uB) +
                "（仪器允差 Δ = " + sentenceNumber(*result.instrumentError) + "，均匀分布）\n";
    } else {
        text += "B类标准不确定度 u_B = 0（未给出仪器允差）\n";
    }
    text += "合成标准不确定度 u_c = √(u_A² + u_B²) = " + sentenceNumber(result.uC) + "\n";
    text += "有效自由度 ν_eff = (n − 1)·(u_c/u_A)⁴ = " +
            (result.nuEff ? std::to_string(*result.nuEff) : std::string("∞")) + "\n";
    text += "包含因子 k = " + sentenceNumber(result.k) +
            "（P = " + std::string(confidenceLabel(result.confidence)) +
            (result.nuEff ? "，t 分布" : "，正态分布") + "）\n";
    text += "扩展不确定度 U = k·u_c = " + sentenceNumber(result.U) + "\n";
    return text;
}

std::string residualTable(const Analysis& analysis) {
    std::vector<double> values;
    for (const Reading& reading : analysis.readings) {
        values.push_back(reading.value);
    }
    std::vector<double> squares;
    for (const double v : analysis.residuals) {
        squares.push_back(v * v);
    }
    const std::optional<int> xPlace = columnPlace(values);
    const std::optional<int> vPlace = columnPlace(analysis.residuals);
    const std::optional<int> squarePlace = columnPlace(squares);

    std::vector<std::vector<std::string>> rows;
    rows.push_back({"序号", "x_i", "v_i", "v_i²"});
    for (const Criterion criterion : allCriteria) {
        rows.front().push_back(std::string(criterionName(criterion)));
    }
    std::array<std::unordered_map<int, std::size_t>, 4> removedIn;
    for (const Criterion criterion : allCriteria) {
        const std::vector<int>& removed = analysis.outcome(criterion).removed;
        for (std::size_t round = 0; round < removed.size(); ++round) {
            removedIn[static_cast<std::size_t>(criterion)][removed[round]] = round + 1;
        }
    }
    for (std::size_t i = 0; i < analysis.readings.size(); ++i) {
        const int position = analysis.readings[i].position;
        std::vector<std::string> row = {std::to_string(position), columnNumber(values[i], xPlace),
                                        columnNumber(analysis.residuals[i], vPlace),
                                        columnNumber(squares[i], squarePlace)};
        for (const auto& removed : removedIn) {
            const auto found = removed.find(position);
            row.push_back(found == removed.end() ? "" : "第" + count(found->second) + "轮剔除");
        }
        rows.push_back(row);
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], displayWidth(row[column]));
        }
    }
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += padded(row[column], widths[column] + 2);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        table += line + "\n";
    }
    return table;
}

std::string textReport(const Analysis& analysis) {
    const UncertaintyResult& result = analysis.result;
    const std::string chosen(criterionName(analysis.settings.criterion));
    std::string text = "测量列数据处理报告\n\n";
    text += "测量次数 n = " + count(analysis.n) + "\n";
    text += "算术平均值 x̄ = Σx_i/n = " + sentenceNumber(analysis.mean) + "\n";
    text += "标准差（贝塞尔公式）s = √(Σv_i²/(n − 1)) = " + sentenceNumber(analysis.s) + "\n";
    text += "平均值的标准差 s_x̄ = s/√n = " + sentenceNumber(analysis.sMean) + "\n\n";
    text += residualTable(analysis) + "\n";
    text += "粗大误差判别（每个准则各自对整个测量列逐轮检验，每轮只检验 |v| 最大的值）：\n";
    for (const CriterionOutcome& outcome : analysis.criteria) {
        text += criterionVerdict(outcome, analysis.n) + "\n";
    }
    text += "\n系统误差校核（按" + chosen + "保留的 " + count(analysis.systematic.n) +
            " 个值，x̄ = " + sentenceNumber(analysis.systematic.mean) +
            "，s = " + sentenceNumber(analysis.systematic.s) + "）：\n";
    text += residualSumsSentence(analysis.systematic) + "\n";
    text += abbeHelmertSentence(analysis.systematic) + "\n";
    text += twoFormulasSentence(analysis.systematic) + "\n\n";
    text += "不确定度评定（按" + chosen + "保留的 " + count(result.n) +
            " 个值，x̄ = " + sentenceNumber(result.mean) + "）：\n";
    text += uncertaintyBudget(result) + "\n";
    text += "测量结果：" + result.text + "\n";
    return text;
}

} // namespace tavrello
