// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/inputs.h"

#include "analysis/report.h"
#include "analysis/series_text.h"

#include <cmath>

namespace tavrello::propagation {

namespace {

struct KindWords {
    InputKind kind;
    std::string_view name;
    std::string_view key;
};
constexpr KindWords kindWords[] = {{InputKind::Series, "测量列", "series"},
                                   {InputKind::Single, "单次测量", "single"},
                                   {InputKind::Known, "已知", "known"},
                                   {InputKind::Constant, "常数", "constant"}};

struct DistributionWords {
    Distribution distribution;
    std::string_view name;
    std::string_view key;
    std::string_view divisor;
};
constexpr DistributionWords distributionWords[] = {
    {Distribution::Uniform, "均匀", "uniform", "√3"},
    {Distribution::Triangular, "三角", "triangular", "√6"},
    {Distribution::Arcsine, "反正弦", "arcsine", "√2"},
    {Distribution::Normal, "正态", "normal", "3"}};

const KindWords& wordsOf(InputKind kind) {
    for (const KindWords& words : kindWords) {
        if (words.kind == kind) {
            return words;
        }
    }
    return kindWords[0];
}

const DistributionWords& wordsOf(Distribution distribution) {
    for (const DistributionWords& words : distributionWords) {
        if (words.distribution == distribution) {
            return words;
        }
    }
    return distributionWords[0];
}

// The input's name and kind, to open a message: "单次测量 m".
std::string who(const StatedInput& stated) {
    return std::string(kindName(stated.kind)) + " " + stated.name;
}

[[noreturn]] void refuse(const std::string& message) {
    throw AnalysisError(AnalysisError::Problem::BadSetting, message);
}

// A number the input needs, as typed; `what` names it in the message.
double number(const StatedInput& stated, const std::string& text, const std::string& what) {
    const ValueText value = readValue(text);
    if (text.empty()) {
        refuse(who(stated) + "缺少" + what + "。");
    }
    if (value.problem == ValueText::Problem::NotANumber) {
        refuse(who(stated) + "的" + what + "“" + quotedPiece(text) + "”不是一个数。");
    }
    if (value.problem == ValueText::Problem::OutOfRange) {
        refuse(who(stated) + "的" + what + "“" + quotedPiece(text) +
               "”超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间。");
    }
    return value.value + 0.0;
}

double nonNegative(const StatedInput& stated, const std::string& text, const std::string& what) {
    const double value = number(stated, text, what);
    if (value < 0) {
        refuse(who(stated) + "的" + what + "不能为负。");
    }
    return value;
}

void series(const StatedInput& stated, Settings settings, Input& input) {
    std::vector<Reading> readings;
    for (const std::string& text : stated.readings) {
        const int position = static_cast<int>(readings.size()) + 1;
        readings.emplace_back(
            position, number(stated, text, "第 " + std::to_string(position) + " 个读数"), text);
    }
    try {
        settings.instrumentError = allowanceFromText(stated.allowance);
        settings.symbol = stated.name;
        settings.unit = stated.unit;
        input.series = analyse(readings, settings);
    } catch (const AnalysisError& error) {
        refuse(who(stated) + "：" + error.what());
    }
    const UncertaintyResult& result = input.series->result;
    input.estimate = result.mean;
    input.uA = result.uA;
    input.uB = result.uB;
    input.u = result.uC;
    input.allowance = result.instrumentError;
    if (result.nuEff) {
        input.nu = static_cast<double>(*result.nuEff);
    }
    input.estimateText = meanNumber(result.mean, result.s);
}

void single(const StatedInput& stated, Input& input) {
    input.estimate = number(stated, stated.value, "读数");
    input.allowance = nonNegative(stated, stated.allowance, "仪器允差");
    input.uB = *input.allowance / distributionDivisor(stated.distribution);
    input.u = input.uB;
}

void known(const StatedInput& stated, Input& input) {
    input.estimate = number(stated, stated.value, "估计值");
    input.uB = nonNegative(stated, stated.uncertainty, "标准不确定度");
    input.u = input.uB;
    if (!stated.dof.empty() && stated.dof != "∞") {
        const double nu = number(stated, stated.dof, "自由度");
        if (!(nu > 0)) {
            refuse(who(stated) + "的自由度应为正数。");
        }
        input.nu = nu;
    }
}

} // namespace

std::string_view kindName(InputKind kind) {
    return wordsOf(kind).name;
}

std::string_view kindKey(InputKind kind) {
    return wordsOf(kind).key;
}

std::string_view distributionName(Distribution distribution) {
    return wordsOf(distribution).name;
}

std::string_view distributionKey(Distribution distribution) {
    return wordsOf(distribution).key;
}

double distributionDivisor(Distribution distribution) {
    switch (distribution) {
    case Distribution::Uniform:
        return std::sqrt(3.0);
    case Distribution::Triangular:
        return std::sqrt(6.0);
    case Distribution::Arcsine:
        return std::sqrt(2.0);
    case Distribution::Normal:
        return 3;
    }
    return 1;
}

std::string_view divisorText(Distribution distribution) {
    return wordsOf(distribution).divisor;
}

Checked<Input> evaluateInput(const StatedInput& stated, const Settings& settings) {
    Input input;
    input.stated = stated;
    try {
        switch (stated.kind) {
        case InputKind::Series:
            series(stated, settings, input);
            break;
        case InputKind::Single:
            single(stated, input);
            break;
        case InputKind::Known:
            known(stated, input);
            break;
        case InputKind::Constant:
            input.estimate = number(stated, stated.value, "值");
            break;
        }
    } catch (const AnalysisError& error) {
        return Problem{error.what(), std::nullopt};
    }
    if (input.estimateText.empty()) {
        input.estimateText = stated.value;
    }
    return input;
}

std::string evaluationType(const Input& input) {
    switch (input.stated.kind) {
    case InputKind::Series:
        return input.allowance ? "A, B" : "A";
    case InputKind::Constant:
        return "—";
    default:
        return "B";
    }
}

} // namespace tavrello::propagation
