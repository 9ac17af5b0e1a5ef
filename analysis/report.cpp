// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/report.h"

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

// Each criterion's name as the sentences give it, and short, as a table's header does; in the
// order of Criterion.
struct CriterionWords {
    std::string_view name;
    std::string_view shortName;
};
constexpr CriterionWords criterionWords[] = {{"拉依达准则（3σ准则）", "拉依达"},
                                             {"格拉布斯准则", "格拉布斯"},
                                             {"罗曼诺夫斯基准则（t检验准则）", "罗曼诺夫斯基"},
                                             {"肖维勒准则", "肖维勒"}};
static_assert(std::size(criterionWords) == allCriteria.size());

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

std::string valueName(int position) {
    return "x_" + std::to_string(position);
}

std::string valueName(const Round& round) {
    return valueName(round.position);
}

// A run of rounds longer than this is told by its first and its last ones.
constexpr std::size_t roundsTold = 12;
constexpr std::size_t firstRoundsTold = 10;
// So many removed values are named one by one.
constexpr std::size_t removalsNamed = 50;

// "第1轮（n = 15，x̄ = 20.404，s = 0.032689）："
std::string roundOpening(const Round& round, std::size_t number) {
    return "第" + count(number) + "轮（n = " + count(round.n) +
           "，x̄ = " + meanNumber(round.mean, round.s) + "，s = " + sentenceNumber(round.s) + "）：";
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
    const std::string suspect = opening + valueName(round) + " = " + round.text + " 的 |v| 最大，";
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

// The rounds, "；" between them and "。" after the last.
std::string roundSentences(const CriterionOutcome& outcome) {
    const std::vector<Round>& rounds = outcome.rounds;
    const bool cut = rounds.size() > roundsTold;
    std::string text;
    for (std::size_t index = 0; index < rounds.size(); ++index) {
        if (cut && index == firstRoundsTold) {
            const std::size_t skipped = rounds.size() - 1 - firstRoundsTold;
            text += "……（第" + count(index + 1) + "轮至第" + count(index + skipped) + "轮共 " +
                    count(skipped) + " 轮，每轮剔除一个值，从略）；";
            index += skipped;
        }
        text += roundSentence(outcome, rounds[index], index + 1);
        text += index + 1 < rounds.size() ? "；" : "。";
    }
    return text;
}

std::string removalsNamedIn(const std::vector<int>& removed) {
    std::string text;
    for (std::size_t index = 0; index < removed.size() && index < removalsNamed; ++index) {
        text += (index > 0 ? "、" : "") + valueName(removed[index]);
    }
    if (removed.size() > removalsNamed) {
        text += "等";
    }
    return text;
}

std::string percentOf(std::size_t part, std::size_t whole) {
    return significantText(100.0 * static_cast<double>(part) / static_cast<double>(whole), 2) +
           " %";
}

// The cells of one criterion's column: the round that removed each value, by position.
std::unordered_map<int, std::size_t> removalRounds(const CriterionOutcome& outcome) {
    std::unordered_map<int, std::size_t> rounds;
    for (std::size_t round = 0; round < outcome.removed.size(); ++round) {
        rounds[outcome.removed[round]] = round + 1;
    }
    return rounds;
}

// The round that tested each value, by position: looked up once per value of the table.
std::unordered_map<int, const Round*> testingRounds(const CriterionOutcome& outcome) {
    std::unordered_map<int, const Round*> rounds;
    for (const Round& round : outcome.rounds) {
        rounds.emplace(round.position, &round);
    }
    return rounds;
}

std::string detailOf(const Round& round) {
    return "统计量 " + sentenceNumber(round.statistic) + "，临界值 " +
           sentenceNumber(round.critical);
}

} // namespace

std::string_view criterionName(Criterion criterion) {
    return criterionWords[static_cast<std::size_t>(criterion)].name;
}

std::string_view criterionShortName(Criterion criterion) {
    return criterionWords[static_cast<std::size_t>(criterion)].shortName;
}

std::string sentenceNumber(double value) {
    return significantText(value, sentenceDigits);
}

std::string meanNumber(double mean, double s) {
    if (s == 0 || mean == 0 || !std::isfinite(mean) || !std::isfinite(s)) {
        return sentenceNumber(mean);
    }
    // Values of many digits that differ only in their last ones keep those digits.
    const int spreadPlace = shortestDecimal(s).leadingPlace() - 2;
    const int digits = shortestDecimal(mean).leadingPlace() - spreadPlace + 1;
    return significantText(mean, std::clamp(digits, sentenceDigits, 17));
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
    text += roundSentences(outcome);
    if (!outcome.rounds.empty() && outcome.rounds.back().removed) {
        text += "剩余 " + count(outcome.kept.size()) + " 个值，少于 " + count(minimum) +
                " 个，不再检验。";
    }
    if (outcome.removed.empty()) {
        return text + "没有剔除任何值。";
    }
    return text + "共剔除 " + count(outcome.removed.size()) + " 个值：" +
           removalsNamedIn(outcome.removed) + "。";
}

std::string warningText(CriterionWarning warning, const CriterionOutcome& outcome,
                        std::size_t seriesCount) {
    const std::string name(criterionName(outcome.criterion));
    switch (warning) {
    case CriterionWarning::CannotRemove:
        return name + "在 n ≤ 10 时不能剔除任何值（|v|/s 不可能超过 (n − 1)/√n < 3）。";
    case CriterionWarning::BeyondTables: {
        const std::string largest = count(largestTabulated(outcome.criterion).value_or(0));
        const std::string small =
            outcome.criterion == Criterion::Romanovsky ? "是小样本检验，" : std::string();
        return name + small + "其临界值表只到 n = " + largest + "，本测量列有 " +
               count(seriesCount) + " 个值，超出了表的范围，判别结论仅供参考。";
    }
    case CriterionWarning::RemovesMuch:
        return name + "剔除了 " + count(outcome.removed.size()) + " 个值，占测量列的 " +
               percentOf(outcome.removed.size(), seriesCount) +
               "，超过 10 %。剔除这么多值，更可能是测量列不服从正态分布或准则不适用，"
               "而不是粗大误差。";
    }
    return {};
}

std::string roundDetail(const CriterionOutcome& outcome, int position) {
    const auto round = std::find_if(outcome.rounds.begin(), outcome.rounds.end(),
                                    [position](const Round& r) { return r.position == position; });
    return round == outcome.rounds.end() ? std::string() : detailOf(*round);
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
        text += "B类标准不确定度 u_B = Δ_仪/√3 = " + sentenceNumber(result.uB) +
                "（仪器允差 Δ_仪 = " + sentenceNumber(*result.instrumentError) + "，均匀分布）\n";
    } else {
        text += "B类标准不确定度 u_B = 0（未给出仪器允差 Δ_仪）\n";
    }
    text += "合成标准不确定度 u_c = √(u_A² + u_B²) = " + sentenceNumber(result.uC) + "\n";
    text += "有效自由度 ν_eff = (n − 1)·(u_c/u_A)⁴ = " +
            (result.nuEff ? std::to_string(*result.nuEff) : std::string("∞")) + "\n";
    if (result.coverage == Coverage::Student) {
        text += "包含因子 k = " + sentenceNumber(result.k) +
                "（P = " + std::string(confidenceLabel(result.confidence)) +
                (result.nuEff ? "，t 分布" : "，正态分布") + "）\n";
    } else {
        text += "包含因子 k = " + sentenceNumber(result.k) + "（取定值）\n";
    }
    text += "扩展不确定度 U = k·u_c = " + sentenceNumber(result.U);
    if (result.relative) {
        text += "\n相对不确定度 E = U/|x̄| = " + relativeText(*result.relative);
    }
    return text;
}

report::Table residualTable(const Analysis& analysis) {
    const std::size_t count = analysis.readings.size();
    std::vector<double> squares;
    squares.reserve(count);
    for (const double v : analysis.residuals) {
        squares.push_back(v * v);
    }
    const std::optional<int> vPlace = columnPlace(analysis.residuals);
    const std::optional<int> squarePlace = columnPlace(squares);

    report::Table table;
    table.header = {"序号", "x_i", "v_i", "v_i²"};
    table.spokenHeader = {"序号", "x i", "残差 v i", "v i 的平方"};
    std::vector<std::unordered_map<int, std::size_t>> removedIn;
    std::vector<std::unordered_map<int, const Round*>> testedIn;
    for (const CriterionOutcome& outcome : analysis.criteria) {
        const bool chosen = outcome.criterion == analysis.settings.criterion;
        const std::string mark = chosen ? "（所选）" : "";
        table.header.push_back(std::string(criterionShortName(outcome.criterion)) + mark);
        table.spokenHeader.push_back(std::string(criterionName(outcome.criterion)) + mark);
        removedIn.push_back(removalRounds(outcome));
        testedIn.push_back(testingRounds(outcome));
    }
    const std::unordered_map<int, std::size_t>& chosenRemovals =
        removedIn[static_cast<std::size_t>(analysis.settings.criterion)];
    table.emphasisMeaning =
        "已按" + std::string(criterionName(analysis.settings.criterion)) + "剔除，不计入结果";
    table.rows.reserve(count);
    table.details.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Reading& reading = analysis.readings[i];
        std::vector<std::string> row = {std::to_string(reading.position), typedText(reading),
                                        columnNumber(analysis.residuals[i], vPlace),
                                        columnNumber(squares[i], squarePlace)};
        std::vector<std::string> details(row.size());
        for (std::size_t criterion = 0; criterion < removedIn.size(); ++criterion) {
            const CriterionOutcome& outcome = analysis.criteria[criterion];
            const auto found = removedIn[criterion].find(reading.position);
            row.push_back(outcome.tooFew ? "未检验"
                          : found == removedIn[criterion].end()
                              ? "保留"
                              : "第" + std::to_string(found->second) + "轮剔除");
            const auto tested = testedIn[criterion].find(reading.position);
            details.push_back(tested == testedIn[criterion].end() ? std::string()
                                                                  : detailOf(*tested->second));
        }
        table.rows.push_back(std::move(row));
        table.details.push_back(std::move(details));
        table.emphasised.push_back(chosenRemovals.contains(reading.position));
    }
    return table;
}

std::string plotDescription(const Analysis& analysis) {
    std::string text = "按输入框序号画出的 " + count(analysis.readings.size()) +
                       " 个测量值，以及保留值的平均值线、x̄ ± s 带和 x̄ ± 3s 虚线";
    const std::vector<int>& removed = analysis.chosen().removed;
    if (removed.empty()) {
        return text + "；没有剔除的值。";
    }
    text += "；画成叉的剔除值：";
    for (std::size_t index = 0; index < removed.size() && index < removalsNamed; ++index) {
        const auto reading =
            std::find_if(analysis.readings.begin(), analysis.readings.end(),
                         [&](const Reading& r) { return r.position == removed[index]; });
        text += (index > 0 ? "、第 " : "第 ") + count(static_cast<std::size_t>(removed[index])) +
                " 个（" + typedText(*reading) + "）";
    }
    return text + (removed.size() > removalsNamed ? "等。" : "。");
}

report::Document analysisReport(const Analysis& analysis) {
    const UncertaintyResult& result = analysis.result;
    const std::string chosen(criterionName(analysis.settings.criterion));
    report::Document document{"测量列数据处理报告", {}};
    auto& blocks = document.blocks;
    blocks.push_back(report::Paragraph{
        "测量次数 n = " + count(analysis.n) +
        "\n算术平均值 x̄ = Σx_i/n = " + meanNumber(analysis.mean, analysis.s) +
        "\n标准差（贝塞尔公式）s = √(Σv_i²/(n − 1)) = " + sentenceNumber(analysis.s) +
        "\n平均值的标准差 s_x̄ = s/√n = " + sentenceNumber(analysis.sMean)});
    blocks.push_back(residualTable(analysis));
    blocks.push_back(report::Figure{plotDescription(analysis)});
    blocks.push_back(report::Heading{"粗大误差判别（所选：" + chosen +
                                     "；每个准则各自对整个测量列逐轮检验，每轮只检验 |v| "
                                     "最大的值）："});
    for (const CriterionOutcome& outcome : analysis.criteria) {
        blocks.push_back(report::Paragraph{criterionVerdict(outcome, analysis.n)});
        for (const CriterionWarning warning : outcome.warnings) {
            blocks.push_back(report::Note{warningText(warning, outcome, analysis.n)});
        }
    }
    const SystematicChecks& checks = analysis.systematic;
    blocks.push_back(report::Heading{"系统误差校核（按" + chosen + "保留的 " + count(checks.n) +
                                     " 个值，x̄ = " + meanNumber(checks.mean, checks.s) +
                                     "，s = " + sentenceNumber(checks.s) + "）："});
    blocks.push_back(report::Paragraph{residualSumsSentence(checks)});
    blocks.push_back(report::Paragraph{abbeHelmertSentence(checks)});
    blocks.push_back(report::Paragraph{twoFormulasSentence(checks)});
    blocks.push_back(report::Heading{"不确定度评定（按" + chosen + "保留的 " + count(result.n) +
                                     " 个值，x̄ = " + meanNumber(result.mean, result.s) + "）："});
    blocks.push_back(report::Paragraph{uncertaintyBudget(result)});
    blocks.push_back(report::Result{"测量结果", result.text});
    return document;
}

std::string textReport(const Analysis& analysis) {
    return report::plainText(analysisReport(analysis));
}

} // namespace tavrello
