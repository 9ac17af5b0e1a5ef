// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/settings.h"

#include "analysis/series_text.h"
#include "analysis/statistics.h"

namespace tavrello {

namespace {

constexpr char allowanceRange[] = "应为 0，或绝对值在 1e-100 到 1e100 之间的数";

[[noreturn]] void refuse(const std::string& message) {
    throw AnalysisError(AnalysisError::Problem::BadSetting, message);
}

// What is wrong with an allowance, in words to follow its name; empty when it can be used.
std::string allowanceProblem(double allowance) {
    if (allowance < 0) {
        return "不能为负。";
    }
    if (!isAnalysableValue(allowance)) {
        return std::string("超出了范围：") + allowanceRange + "。";
    }
    return {};
}

std::string_view trimmedText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::optional<double> alphaFromKey(std::string_view key) {
    for (const std::string_view alpha : alphaKeys) {
        if (alpha == key) {
            return *readWholeNumber(alpha);
        }
    }
    return std::nullopt;
}

void checkSettings(const Settings& settings) {
    if (settings.alpha != 0.05 && settings.alpha != 0.01) {
        refuse("显著性水平 α 只能取 0.05 或 0.01。");
    }
    if (settings.digits != 1 && settings.digits != 2) {
        refuse("不确定度的有效位数只能取 1 或 2。");
    }
    if (settings.instrumentError) {
        if (const std::string problem = allowanceProblem(*settings.instrumentError);
            !problem.empty()) {
            refuse("仪器允差 Δ_仪" + problem);
        }
    }
}

std::optional<double> allowanceFromText(std::string_view text) {
    if (trimmedText(text).empty()) {
        return std::nullopt;
    }
    const std::string quoted = "仪器允差 Δ_仪“" + quotedPiece(trimmedText(text)) + "”";
    const ValueText allowance = readValue(text);
    if (allowance.problem == ValueText::Problem::NotANumber) {
        refuse(quoted + "不是一个数。");
    }
    if (allowance.problem == ValueText::Problem::OutOfRange) {
        refuse(quoted + "超出了范围：" + allowanceRange + "。");
    }
    if (const std::string problem = allowanceProblem(allowance.value); !problem.empty()) {
        refuse(quoted + problem);
    }
    // + 0 writes -0 as 0.
    return allowance.value + 0.0;
}

std::string symbolFromText(std::string_view text) {
    const std::string_view symbol = trimmedText(text);
    return symbol.empty() ? "x" : std::string(symbol);
}

std::string unitFromText(std::string_view text) {
    return std::string(trimmedText(text));
}

} // namespace tavrello
