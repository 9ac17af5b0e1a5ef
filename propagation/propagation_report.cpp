// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/propagation_report.h"

#include "analysis/report.h"
#include "propagation/notation.h"
#include "report/json_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavrello::propagation {

namespace {

std::string number(double value) {
    return sentenceNumber(value);
}

std::string nuText(std::optional<double> nu) {
    return nu ? significantText(*nu, 4) : "∞";
}

std::string percent(double value) {
    return significantText(value, 3) + " %";
}

std::string withUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
}

// Both notations of one piece of a formula, built side by side.
struct Forms {
    std::string text;
    std::string html;

    Forms& operator+=(const Forms& more) {
        text += more.text;
        html += more.html;
        return *this;
    }
    Forms& operator+=(const std::string& plain) {
        text += plain;
        html += report::escapedHtml(plain);
        return *this;
    }
};

Forms name(const std::string& typed) {
    return {nameText(typed, Style::Text), nameText(typed, Style::Html)};
}

// "∂ρ/∂d".
Forms partial(const Model& model, std::size_t index) {
    Forms forms{"∂", "∂"};
    forms += name(model.symbol);
    forms += "/∂";
    forms += name(model.names[index]);
    return forms;
}

// "u(d)", "u²(d)".
Forms uOf(const std::string& typed, bool squared) {
    Forms forms{squared ? "u²(" : "u(", squared ? "u<sup>2</sup>(" : "u("};
    forms += name(typed);
    forms += ")";
    return forms;
}

Forms ucOf(const Model& model) {
    Forms forms{"u_c(", "u<sub>c</sub>("};
    forms += name(model.symbol);
    forms += ")";
    return forms;
}

// The estimates as the worked steps put them in: negative ones and those with a power of ten in
// parentheses.
std::vector<std::string> estimateTexts(const Propagation& propagation) {
    std::vector<std::string> texts;
    for (const Input& input : propagation.inputs) {
        const std::string& text = input.estimateText;
        const bool wrap = text.starts_with('-') || text.find_first_of("eE×") != std::string::npos;
        texts.push_back(wrap ? "(" + text + ")" : text);
    }
    return texts;
}

// "f = formula = numbers put in = value", in both notations.
report::Paragraph workedStep(Forms left, const Expression& expression,
                             const Propagation& propagation, double value) {
    const std::vector<std::string> values = estimateTexts(propagation);
    for (const Style style : {Style::Text, Style::Html}) {
        const std::string formula =
            expressionText(expression, {style, propagation.model.names, {}});
        const std::string numbers =
            expressionText(expression, {style, propagation.model.names, values});
        std::string& out = style == Style::Text ? left.text : left.html;
        out += " = " + formula;
        if (numbers != formula) {
            out += " = " + numbers;
        }
        out += " = " + number(value);
    }
    return {left.text, left.html};
}

std::string distributionLabel(const Input& input) {
    switch (input.stated.kind) {
    case InputKind::Series:
        return input.allowance ? "t、均匀" : "t";
    case InputKind::Single:
        return std::string(distributionName(input.stated.distribution));
    case InputKind::Known:
        return input.nu ? "t" : "正态";
    case InputKind::Constant:
        break;
    }
    return "—";
}

std::string inputSentence(const Input& input) {
    const StatedInput& stated = input.stated;
    const std::string head = std::string(kindName(stated.kind)) + " " + stated.name;
    switch (stated.kind) {
    case InputKind::Series: {
        const UncertaintyResult& r = input.series->result;
        std::string text = head + "：n = " + std::to_string(r.n) +
                           "（剔除后），x̄ = " + withUnit(input.estimateText, stated.unit) +
                           "，s = " + number(r.s) + "，u_A = s/√n = " + number(r.uA);
        if (input.allowance) {
            text += "；Δ_仪 = " + withUnit(stated.allowance, stated.unit) +
                    "，u_B = Δ_仪/√3 = " + number(r.uB) +
                    "，u = √(u_A² + u_B²) = " + number(input.u);
        }
        return text + "，ν = " + nuText(input.nu) + "。";
    }
    case InputKind::Single:
        return head + " = " + withUnit(stated.value, stated.unit) +
               "：Δ_仪 = " + withUnit(stated.allowance, stated.unit) + "，" +
               std::string(distributionName(stated.distribution)) + "分布，u = Δ_仪/" +
               std::string(divisorText(stated.distribution)) + " = " + number(input.u) +
               "，ν = ∞。";
    case InputKind::Known:
        return head + " = " + withUnit(stated.value, stated.unit) +
               "：u = " + withUnit(stated.uncertainty, stated.unit) + "，ν = " + nuText(input.nu) +
               "。";
    case InputKind::Constant:
        return head + " = " + withUnit(stated.value, stated.unit) + "（精确值）。";
    }
    return head;
}

void inputsSection(const Propagation& propagation, std::vector<report::Block>& blocks) {
    blocks.emplace_back(std::in_place_type<report::Heading>, "输入量");
    for (const Input& input : propagation.inputs) {
        blocks.emplace_back(std::in_place_type<report::Paragraph>, inputSentence(input));
        if (input.series) {
            const Analysis& series = *input.series;
            blocks.emplace_back(std::in_place_type<report::Paragraph>,
                                criterionVerdict(series.chosen(), series.n));
        }
    }
    for (const std::string& note : propagation.notes) {
        blocks.emplace_back(std::in_place_type<report::Note>, note);
    }
}

report::Table budgetTable(const Propagation& propagation) {
    report::Table table;
    table.header = {"输入量", "估计值",        "u(x_i)", "类型",         "分布",
                    "ν_i",    "c_i = ∂f/∂x_i", "c_i",    "|c_i|·u(x_i)", "占 u_c² 的比例"};
    table.spokenHeader = {"",           "",         "u x i",        "", "", "nu i",
                          "c i 的公式", "c i 的值", "c i 乘 u x i", ""};
    for (const BudgetRow& row : propagation.gum.rows) {
        const Input& input = propagation.inputs[row.name];
        table.rows.push_back({nameText(input.stated.name, Style::Text),
                              withUnit(input.estimateText, input.stated.unit), number(input.u),
                              evaluationType(input), distributionLabel(input), nuText(input.nu),
                              propagation.model.derivativeForms[row.name].text, number(row.c),
                              number(row.contribution), percent(row.share)});
    }
    return table;
}

// u_c(ρ) = √((∂ρ/∂m)²u²(m) + … + 2(∂ρ/∂d)(∂ρ/∂h)r(d,h)u(d)u(h)) = √(…) = value.
report::Paragraph combinedStep(const Propagation& propagation) {
    const Model& model = propagation.model;
    const GumResult& gum = propagation.gum;
    Forms symbolic = ucOf(model);
    symbolic += " = √(";
    std::string numbers = " = √(";
    for (std::size_t at = 0; at < gum.rows.size(); ++at) {
        const BudgetRow& row = gum.rows[at];
        symbolic += at > 0 ? " + (" : "(";
        symbolic += partial(model, row.name);
        symbolic += Forms{")²", ")<sup>2</sup>"};
        symbolic += uOf(model.names[row.name], true);
        numbers += (at > 0 ? " + (" : "(") + number(row.c) + "×" +
                   number(propagation.inputs[row.name].u) + ")²";
    }
    for (const Correlation& r : propagation.correlations) {
        symbolic += " + 2(";
        symbolic += partial(model, r.first);
        symbolic += ")(";
        symbolic += partial(model, r.second);
        symbolic += ")r(" + model.names[r.first] + ", " + model.names[r.second] + ")";
        symbolic += uOf(model.names[r.first], false);
        symbolic += uOf(model.names[r.second], false);
        numbers += " + 2×" + number(gum.sensitivities[r.first]) + "×" +
                   number(gum.sensitivities[r.second]) + "×" + number(r.r) + "×" +
                   number(propagation.inputs[r.first].u) + "×" +
                   number(propagation.inputs[r.second].u);
    }
    symbolic += ")" + numbers + ") = " + number(gum.uc);
    return {symbolic.text, symbolic.html};
}

// p·u(x)/x written as the textbooks do: u(m)/m, 2u(d)/d, u(L)/(2L).
Forms relativeTerm(const std::string& typed, const Rational& power) {
    const std::string numerator =
        power.numerator.starts_with('-') ? power.numerator.substr(1) : power.numerator;
    Forms forms;
    if (numerator != "1") {
        forms += numerator;
    }
    forms += uOf(typed, false);
    forms += "/";
    if (power.isWhole()) {
        forms += name(typed);
        return forms;
    }
    forms += "(" + power.denominator;
    forms += name(typed);
    forms += ")";
    return forms;
}

std::optional<report::Paragraph> relativeStep(const Propagation& propagation) {
    const GumResult& gum = propagation.gum;
    if (!gum.relativeUc) {
        return std::nullopt;
    }
    const Model& model = propagation.model;
    Forms forms = ucOf(model);
    forms += "/|";
    forms += name(model.symbol);
    forms += "| = √(";
    std::string numbers = " = √(";
    bool first = true;
    for (const BudgetRow& row : gum.rows) {
        const Rational& power = (*model.powers)[row.name];
        if (power.value == 0) {
            continue;
        }
        const Input& input = propagation.inputs[row.name];
        forms += first ? "(" : " + (";
        forms += relativeTerm(model.names[row.name], power);
        forms += Forms{")²", ")<sup>2</sup>"};
        const double p = std::abs(power.value);
        numbers += std::string(first ? "(" : " + (") + (p == 1 ? "" : number(p) + "×") +
                   number(input.u) + "/" + input.estimateText + ")²";
        first = false;
    }
    forms += ")" + numbers + ") = " + percent(100 * *gum.relativeUc);
    forms += "，即 u_c = " + number(*gum.relativeUc * std::abs(gum.y)) + "，与上式相同";
    return report::Paragraph{forms.text, forms.html};
}

std::string degreesSentence(const Propagation& propagation) {
    const GumResult& gum = propagation.gum;
    if (gum.correlated) {
        return "输入量之间有相关（r ≠ 0），韦尔奇–萨特思韦特公式不再适用，ν_eff 取 ∞。";
    }
    if (!gum.nuEffExact) {
        return "各输入量的自由度均为 ∞，ν_eff = ∞。";
    }
    return "ν_eff = u_c⁴/Σ[(c_i·u(x_i))⁴/ν_i] = " + number(*gum.nuEffExact) + "，取整为 " +
           nuText(gum.nuEff ? std::optional<double>(static_cast<double>(*gum.nuEff))
                            : std::nullopt) +
           "。";
}

std::string coverageSentence(const Propagation& propagation) {
    const GumResult& gum = propagation.gum;
    const Settings& settings = propagation.task.settings.judgement;
    std::string text;
    switch (settings.coverage) {
    case Coverage::Student:
        text = "k = t_p(ν_eff)，p = (1 + P)/2，P = " +
               std::string(confidenceLabel(settings.confidence)) + "：k = " + fixedText(gum.k, -2);
        break;
    case Coverage::K1:
        return "k = 1：结果以合成标准不确定度 u_c 表示。";
    default:
        text = "k = " + std::string(coverageKey(settings.coverage)) + "（约定取值）";
    }
    text += "；U = k·u_c = " + number(gum.U);
    if (gum.relative) {
        text += "，E = U/|" + propagation.model.symbol + "| = " + percent(100 * *gum.relative);
    }
    return text + "。";
}

void gumSection(const Propagation& propagation, std::vector<report::Block>& blocks) {
    const Model& model = propagation.model;
    blocks.push_back(report::Heading{"估计值与灵敏系数"});
    blocks.push_back(workedStep(name(model.symbol), model.value, propagation, propagation.gum.y));
    for (const BudgetRow& row : propagation.gum.rows) {
        blocks.push_back(
            workedStep(partial(model, row.name), model.derivatives[row.name], propagation, row.c));
    }
    blocks.push_back(report::Heading{"不确定度分量一览表"});
    blocks.push_back(budgetTable(propagation));
    if (propagation.gum.correlated) {
        blocks.push_back(report::Note{"有相关的输入量时，各分量所占比例之和不等于 100 %。"});
    }
    blocks.push_back(report::Heading{"合成标准不确定度与扩展不确定度"});
    blocks.push_back(combinedStep(propagation));
    if (std::optional<report::Paragraph> relative = relativeStep(propagation)) {
        blocks.push_back(report::Paragraph{"函数为幂的乘积，取对数后求微分，得相对不确定度："});
        blocks.push_back(*relative);
    }
    blocks.push_back(report::Paragraph{degreesSentence(propagation)});
    blocks.push_back(report::Paragraph{coverageSentence(propagation)});
}

std::string interval(const std::array<double, 2>& limits, double spread) {
    std::string text(1, '[');
    text += meanNumber(limits[0], spread);
    text += ", ";
    text += meanNumber(limits[1], spread);
    return text + "]";
}

void monteCarloSection(const Propagation& propagation, std::vector<report::Block>& blocks) {
    blocks.push_back(report::Heading{"蒙特卡洛法（JCGM 101）"});
    if (propagation.monteCarloRefusal) {
        blocks.push_back(report::Note{propagation.monteCarloRefusal->text()});
        return;
    }
    const MonteCarloResult& mc = *propagation.monteCarlo;
    const std::string P(confidenceLabel(propagation.task.settings.judgement.confidence));
    std::string text = "M = " + std::to_string(mc.draws) + " 次抽样（种子 " +
                       std::to_string(mc.seed) + "）：平均值 " + meanNumber(mc.mean, mc.sd) +
                       "，标准偏差 " + number(mc.sd) + "；" + P + " 概率对称包含区间 " +
                       interval(mc.interval, mc.sd) + "，最短包含区间 " +
                       interval(mc.shortest, mc.sd) + "。";
    if (mc.invalid > 0) {
        text += "有 " + std::to_string(mc.invalid) + " 次抽样落在公式无定义处，未计入。";
    }
    blocks.push_back(report::Paragraph{text});
    blocks.push_back(report::Figure{"直方图：" + std::to_string(mc.draws - mc.invalid) + " 个 " +
                                    propagation.model.symbol +
                                    " 值的分布，叠加不确定度传播律给出的分布曲线。"});
    if (!mc.validation) {
        blocks.push_back(report::Note{"u_c = 0，无法按 JCGM 101 第 8 章验证。"});
        return;
    }
    const Validation& v = *mc.validation;
    blocks.push_back(report::Paragraph{
        "验证（JCGM 101 第 8 章）：u_c 取两位有效数字，数值容差 δ = " + number(v.delta) +
        "；不确定度传播律的 " + P + " 包含区间 [" + meanNumber(v.low, mc.sd) + ", " +
        meanNumber(v.high, mc.sd) + "] 与最短包含区间相比，d_low = " + number(v.dLow) +
        "，d_high = " + number(v.dHigh) +
        (v.validated ? "，均不大于 δ：不确定度传播律的结果得到验证。"
                     : "，不都小于 δ：不确定度传播律的结果未得到验证，宜采用蒙特卡洛法的结果。")});
}

} // namespace

report::Document propagationReport(const Propagation& propagation) {
    const Model& model = propagation.model;
    report::Document document;
    document.title = "间接测量：" + model.symbol;
    auto& blocks = document.blocks;
    blocks.push_back(report::Heading{"测量模型"});
    Forms formula = name(model.symbol);
    formula += " = ";
    formula += Forms{model.typed.text, model.typed.html};
    if (!propagation.task.unit.empty()) {
        formula += "（单位 " + propagation.task.unit + "）";
    }
    blocks.push_back(report::Paragraph{formula.text, formula.html});
    if (model.angle == Angle::Degrees) {
        blocks.push_back(report::Note{"角度以度计：三角函数的自变量、反三角函数的值都以度为单位，"
                                      "偏导数中的 π/180 把度化为弧度。"});
    }
    inputsSection(propagation, blocks);
    gumSection(propagation, blocks);
    if (propagation.monteCarlo || propagation.monteCarloRefusal) {
        monteCarloSection(propagation, blocks);
    }
    blocks.push_back(report::Result{"测量结果", propagation.gum.text});
    return document;
}

std::string propagationJson(const Propagation& propagation) {
    const GumResult& gum = propagation.gum;
    report::JsonWriter json;
    json.beginObject();
    json.key("model").string(propagation.model.source);
    json.key("symbol").string(propagation.model.symbol);
    json.key("unit").string(propagation.task.unit);
    json.key("value").number(gum.y);
    json.key("inputs").beginArray();
    for (std::size_t index = 0; index < propagation.inputs.size(); ++index) {
        const Input& input = propagation.inputs[index];
        const auto row = std::find_if(gum.rows.begin(), gum.rows.end(),
                                      [index](const BudgetRow& r) { return r.name == index; });
        const bool listed = row != gum.rows.end();
        json.beginObject();
        json.key("name").string(input.stated.name);
        json.key("kind").string(kindKey(input.stated.kind));
        json.key("estimate").number(input.estimate);
        json.key("u").number(input.u);
        json.key("nu").number(input.nu);
        json.key("c").number(gum.sensitivities[index]);
        json.key("c_text").string(propagation.model.derivativeForms[index].text);
        json.key("contribution").number(listed ? row->contribution : 0.0);
        json.key("share").number(listed ? row->share : 0.0);
        json.endObject();
    }
    json.endArray();
    json.key("u_c").number(gum.uc);
    json.key("nu_eff");
    if (gum.nuEff) {
        json.integer(*gum.nuEff);
    } else {
        json.null();
    }
    json.key("k").number(gum.k);
    json.key("U").number(gum.U);
    json.key("relative").number(gum.relative);
    json.key("text").string(gum.text);
    json.key("monte_carlo");
    if (const std::optional<MonteCarloResult>& mc = propagation.monteCarlo) {
        json.beginObject();
        json.key("draws").integer(static_cast<std::int64_t>(mc->draws));
        json.key("seed");
        if (mc->seed <= static_cast<std::uint64_t>(INT64_MAX)) {
            json.integer(static_cast<std::int64_t>(mc->seed));
        } else {
            json.string(std::to_string(mc->seed));
        }
        json.key("mean").number(mc->mean);
        json.key("sd").number(mc->sd);
        json.key("interval").numbers(mc->interval);
        json.key("shortest").numbers(mc->shortest);
        json.key("invalid").integer(static_cast<std::int64_t>(mc->invalid));
        const std::optional<Validation>& v = mc->validation;
        json.key("delta").number(v ? std::optional<double>(v->delta) : std::nullopt);
        json.key("d_low").number(v ? std::optional<double>(v->dLow) : std::nullopt);
        json.key("d_high").number(v ? std::optional<double>(v->dHigh) : std::nullopt);
        json.key("validated");
        if (v) {
            json.boolean(v->validated);
        } else {
            json.null();
        }
        json.endObject();
    } else {
        json.null();
    }
    if (propagation.monteCarloRefusal) {
        json.key("monte_carlo_refusal").string(propagation.monteCarloRefusal->text());
    }
    json.endObject();
    return json.text();
}

} // namespace tavrello::propagation
