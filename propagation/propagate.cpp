// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/propagate.h"

#include "analysis/series_text.h"
#include "propagation/propagation_report.h"

#include <algorithm>

namespace tavrello::propagation {

namespace {

// The statement's line, where the task came from a file.
Problem onLine(Problem problem, const TaskLines* lines, const std::vector<int> TaskLines::*which,
               std::size_t index, const std::string& piece) {
    if (lines != nullptr && index < (lines->*which).size() && !problem.place) {
        problem.place = TextPlace{(lines->*which)[index], 1, piece};
    }
    return problem;
}

std::optional<std::size_t> indexOf(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - names.begin());
}

// Each name of the model with its input; inputs the formula does not use are noted.
Checked<std::vector<std::size_t>> bindNames(const Task& task, const Model& model,
                                            const TaskLines* lines,
                                            std::vector<std::string>& notes) {
    std::vector<std::string> given;
    for (const StatedInput& input : task.inputs) {
        given.push_back(input.name);
    }
    std::vector<std::size_t> bound;
    for (std::size_t name = 0; name < model.names.size(); ++name) {
        const std::optional<std::size_t> input = indexOf(given, model.names[name]);
        if (!input) {
            Problem problem{"公式中的 " + model.names[name] +
                                " 没有给出输入量：请以 测量列、单次测量、已知 或 常数 给出它。",
                            TextPlace{0, model.nameColumns[name], model.names[name]}};
            return lines ? placedOnLine(problem, lines->model, lines->modelColumn - 1) : problem;
        }
        bound.push_back(*input);
    }
    for (const std::string& name : given) {
        if (!indexOf(model.names, name)) {
            notes.push_back("输入量 " + name + " 没有出现在公式中，未计入。");
        }
    }
    return bound;
}

Checked<std::vector<Correlation>> correlationsOf(const Task& task, const Propagation& done,
                                                 const TaskLines* lines) {
    std::vector<Correlation> correlations;
    for (std::size_t index = 0; index < task.correlations.size(); ++index) {
        const StatedCorrelation& stated = task.correlations[index];
        const auto refuse = [&](const std::string& message) {
            return onLine(Problem{message, std::nullopt}, lines, &TaskLines::correlations, index,
                          stated.first);
        };
        for (const std::string& name : {stated.first, stated.second}) {
            const bool given =
                std::any_of(task.inputs.begin(), task.inputs.end(),
                            [&name](const StatedInput& in) { return in.name == name; });
            if (!given) {
                return refuse("没有名为 " + name + " 的输入量。");
            }
        }
        const std::optional<std::size_t> first = indexOf(done.model.names, stated.first);
        const std::optional<std::size_t> second = indexOf(done.model.names, stated.second);
        // An input the formula does not use is noted already; so are its correlations.
        if (!first || !second) {
            continue;
        }
        for (const std::size_t name : {*first, *second}) {
            if (done.inputs[name].stated.kind == InputKind::Constant) {
                return refuse("常数 " + done.model.names[name] + " 没有不确定度，不能有相关系数。");
            }
        }
        const ValueText r = readValue(stated.coefficient);
        if (r.problem != ValueText::Problem::None || r.value < -1 || r.value > 1) {
            return refuse("相关系数“" + quotedPiece(stated.coefficient) +
                          "”应为 −1 到 1 之间的数。");
        }
        correlations.push_back({std::min(*first, *second), std::max(*first, *second), r.value});
    }
    return correlations;
}

} // namespace

Checked<Propagation> propagate(const Task& task, const TaskLines* lines) {
    Propagation done;
    done.task = task;
    Checked<Model> model = parseModel(task.model, task.settings.angle);
    if (!model) {
        return lines ? placedOnLine(model.problem(), lines->model, lines->modelColumn - 1)
                     : model.problem();
    }
    done.model = std::move(model).value();
    Checked<std::vector<std::size_t>> bound = bindNames(task, done.model, lines, done.notes);
    if (!bound) {
        return bound.problem();
    }
    for (const std::size_t index : bound.value()) {
        Checked<Input> input = evaluateInput(task.inputs[index], task.settings.judgement);
        if (!input) {
            return onLine(input.problem(), lines, &TaskLines::inputs, index,
                          task.inputs[index].name);
        }
        done.inputs.push_back(std::move(input).value());
    }
    Checked<std::vector<Correlation>> correlations = correlationsOf(task, done, lines);
    if (!correlations) {
        return correlations.problem();
    }
    done.correlations = std::move(correlations).value();
    Checked<GumResult> result =
        gum(done.model, done.inputs, done.correlations, task.settings.judgement, task.unit);
    if (!result) {
        return result.problem();
    }
    done.gum = std::move(result).value();
    return done;
}

void addMonteCarlo(Propagation& propagation, MonteCarloOptions run) {
    const TaskSettings& settings = propagation.task.settings;
    run.draws = settings.draws;
    run.seed = settings.seed;
    run.confidence = settings.judgement.confidence;
    Checked<MonteCarloResult> result = monteCarlo(propagation.model, propagation.inputs,
                                                  propagation.correlations, propagation.gum, run);
    if (result) {
        propagation.monteCarlo = std::move(result).value();
    } else {
        propagation.monteCarloRefusal = result.problem();
    }
}

Checked<Propagation> workTask(std::string_view taskText,
                              std::span<const std::pair<std::string, std::string>> overrides,
                              bool withMonteCarlo) {
    Checked<ReadTask> read = readTask(taskText);
    if (!read) {
        return read.problem();
    }
    for (const auto& [key, value] : overrides) {
        if (std::optional<Problem> problem = applySetting(read.value().task.settings, key, value)) {
            return *problem;
        }
    }
    Checked<Propagation> done = propagate(read->task, &read->lines);
    if (done && withMonteCarlo) {
        addMonteCarlo(done.value());
    }
    return done;
}

Checked<std::string> runTask(std::string_view taskText,
                             std::span<const std::pair<std::string, std::string>> overrides,
                             OutputFormat format, bool withMonteCarlo) {
    Checked<Propagation> done = workTask(taskText, overrides, withMonteCarlo);
    if (!done) {
        return done.problem();
    }
    switch (format) {
    case OutputFormat::Json:
        return propagationJson(done.value());
    case OutputFormat::Html:
        return report::html(propagationReport(done.value()));
    case OutputFormat::Text:
        break;
    }
    return report::plainText(propagationReport(done.value()));
}

} // namespace tavrello::propagation
