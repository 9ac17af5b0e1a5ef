// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/settings.h"
#include "propagation/formula_text.h"
#include "propagation/inputs.h"
#include "propagation/monte_carlo.h"
#include "propagation/problem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::propagation {

// A correlation coefficient as typed.
struct StatedCorrelation {
    std::string first;
    std::string second;
    std::string coefficient;

    bool operator==(const StatedCorrelation&) const = default;
};

// How the task is worked: the analysis's settings for the series and the result line (criterion,
// α, confidence, digits, rounding, coverage), the angle unit, and the Monte Carlo draws and seed.
struct TaskSettings {
    Settings judgement;
    Angle angle = Angle::Radians;
    std::uint64_t draws = defaultDraws;
    std::uint64_t seed = defaultSeed;
};

// Everything an indirect measurement needs, as typed: what the window's 保存…/打开… and the
// command line share.
struct Task {
    // "ρ = 4*m/(π*d^2*h)".
    std::string model;
    std::string unit;
    std::vector<StatedInput> inputs;
    std::vector<StatedCorrelation> correlations;
    TaskSettings settings;
};

// Where each statement of a task file stands, so that what later steps find wrong with it names
// its line: the model's line and the character its formula starts at, and each input's and
// correlation's line.
struct TaskLines {
    int model = 0;
    int modelColumn = 0;
    std::vector<int> inputs;
    std::vector<int> correlations;
};

struct ReadTask {
    Task task;
    TaskLines lines;
};

// A task file: plain UTF-8, one statement a line, "#" to the line's end a comment. Each statement
// opens with a keyword, Chinese or English (模型 model, 测量列 series, 单次测量 single, 已知
// known, 常数 constant, 相关 correlation, 设置 settings). A problem names line, character and
// piece.
Checked<ReadTask> readTask(std::string_view text);

// The task as a file that reads back as the same task, with the Chinese keywords.
std::string writeTask(const Task& task);

// One setting by its key, Chinese or English (置信概率 confidence, 包含因子 coverage, 修约
// rounding, 判别准则 criterion, 显著性水平 alpha, 有效位数 digits, 角度 angle, 抽样次数 draws,
// 种子 seed), its value as typed: the settings statement and the command line's options share it.
// A problem's message names the key and quotes the value.
std::optional<Problem> applySetting(TaskSettings& settings, std::string_view key,
                                    std::string_view value);

} // namespace tavrello::propagation
