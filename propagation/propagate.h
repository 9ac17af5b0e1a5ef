// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/gum.h"
#include "propagation/inputs.h"
#include "propagation/model.h"
#include "propagation/monte_carlo.h"
#include "propagation/task.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrello::propagation {

// An indirect measurement worked through: the model, the inputs in the order of its names, the
// GUM's budget and result, and, once it has run, the Monte Carlo method's.
struct Propagation {
    Task task;
    Model model;
    std::vector<Input> inputs;
    std::vector<Correlation> correlations;
    GumResult gum;
    std::optional<MonteCarloResult> monteCarlo;
    // Why the Monte Carlo method gave no result, where it was run and refused.
    std::optional<Problem> monteCarloRefusal;
    // What the reader should know: inputs the formula does not use.
    std::vector<std::string> notes;
};

// Parses the model, binds each of its names to its input, evaluates the inputs and the GUM
// budget; Monte Carlo is left to monteCarlo(), which the window runs on a worker thread. Given
// the lines of a task file, a problem is placed on its line.
Checked<Propagation> propagate(const Task& task, const TaskLines* lines = nullptr);

// Runs the Monte Carlo method with the task's draws, seed and confidence, and keeps its result
// or its refusal; the threads, the cancel flag and the progress are taken from `run`.
void addMonteCarlo(Propagation& propagation, MonteCarloOptions run = {});

// What the command line writes.
enum class OutputFormat { Text, Html, Json };

// A task file's text in, with settings overridden by (key, value) pairs as applySetting takes
// them, worked through; Monte Carlo included unless left out. A problem names its line.
Checked<Propagation> workTask(std::string_view taskText,
                              std::span<const std::pair<std::string, std::string>> overrides,
                              bool withMonteCarlo = true);

// The same, and the report out.
Checked<std::string> runTask(std::string_view taskText,
                             std::span<const std::pair<std::string, std::string>> overrides,
                             OutputFormat format, bool withMonteCarlo = true);

} // namespace tavrello::propagation
