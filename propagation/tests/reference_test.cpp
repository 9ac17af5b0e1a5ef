// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The published worked examples (reference/README.md), each a task file, against the figures
// printed for them.

#include "propagation/propagate.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <sstream>

namespace tavrello::propagation {
namespace {

std::string fileText(const std::string& name) {
    std::ifstream file(std::string(TAVRELLO_REFERENCE_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Figure {
    std::string name;
    std::string printed;
};

// The figures by file, in the order of figures.tsv.
std::map<std::string, std::vector<Figure>> figures() {
    std::map<std::string, std::vector<Figure>> byFile;
    std::istringstream lines(fileText("figures.tsv"));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream cells(line);
        std::string file;
        Figure figure;
        std::getline(cells, file, '\t');
        std::getline(cells, figure.name, '\t');
        std::getline(cells, figure.printed, '\t');
        byFile[file].push_back(figure);
    }
    return byFile;
}

// Half a unit of the last digit printed.
double halfUnit(const std::string& printed) {
    const std::size_t e = printed.find_first_of("eE");
    const std::string mantissa = printed.substr(0, e);
    const std::size_t point = mantissa.find('.');
    const int decimals =
        point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    const int exponent = e == std::string::npos ? 0 : std::stoi(printed.substr(e + 1));
    return 0.5 * std::pow(10.0, exponent - decimals);
}

// Five standard deviations of the Monte Carlo noise of a figure: of the mean, of the standard
// deviation (with room for heavy tails), of a quantile at the interval's ends.
double noise(const std::string& name, const MonteCarloResult& mc, double p) {
    const double m = static_cast<double>(mc.draws);
    if (name == "mc.y") {
        return 5 * mc.sd / std::sqrt(m);
    }
    if (name == "mc.u") {
        return 10 * mc.sd / std::sqrt(m);
    }
    const double tail = (1 - p) / 2;
    const double z = p > 0.98 ? 2.5758 : 1.96;
    const double density = std::exp(-z * z / 2) / std::sqrt(2 * std::numbers::pi);
    return 5 * std::sqrt(tail * (1 - tail) / m) / density * mc.sd;
}

double rootSumSquare(const std::string& names, const std::function<double(std::size_t)>& of,
                     const Propagation& done) {
    double sum = 0;
    std::istringstream list(names);
    for (std::string name; std::getline(list, name, ',');) {
        const auto found = std::find(done.model.names.begin(), done.model.names.end(), name);
        EXPECT_NE(found, done.model.names.end()) << name;
        const double value = of(static_cast<std::size_t>(found - done.model.names.begin()));
        sum += value * value;
    }
    return std::sqrt(sum);
}

double computed(const std::string& name, const Propagation& done) {
    const GumResult& gum = done.gum;
    const std::size_t dot = name.find('.');
    const std::string head = name.substr(0, dot);
    if (head == "in" || head == "contrib") {
        const std::string rest = name.substr(dot + 1);
        const std::string names = head == "in" ? rest.substr(0, rest.rfind('.')) : rest;
        const bool estimate = head == "in" && rest.ends_with(".y");
        return rootSumSquare(
            names,
            [&](std::size_t i) {
                if (head == "contrib") {
                    return std::abs(gum.sensitivities[i]) * done.inputs[i].u;
                }
                return estimate ? done.inputs[i].estimate : done.inputs[i].u;
            },
            done);
    }
    const MonteCarloResult* mc = done.monteCarlo ? &*done.monteCarlo : nullptr;
    const std::map<std::string, std::function<double()>> table = {
        {"gum.y", [&] { return gum.y; }},
        {"gum.u", [&] { return gum.uc; }},
        {"gum.u2", [&] { return gum.uc * gum.uc; }},
        {"gum.nu_eff", [&] { return static_cast<double>(gum.nuEff.value_or(-1)); }},
        {"gum.k", [&] { return gum.k; }},
        {"gum.U", [&] { return gum.U; }},
        {"gum.low", [&] { return gum.y - gum.U; }},
        {"gum.high", [&] { return gum.y + gum.U; }},
        {"mc.y", [&] { return mc->mean; }},
        {"mc.u", [&] { return mc->sd; }},
        {"mc.low", [&] { return mc->interval[0]; }},
        {"mc.high", [&] { return mc->interval[1]; }},
        {"mc.shortest.low", [&] { return mc->shortest[0]; }},
        {"mc.shortest.high", [&] { return mc->shortest[1]; }},
        {"val.d_low", [&] { return mc->validation->dLow; }},
        {"val.d_high", [&] { return mc->validation->dHigh; }},
        {"val.ok", [&] { return mc->validation->validated ? 1.0 : 0.0; }},
    };
    return table.at(name)();
}

TEST(ReferenceExamples, AgreeWithThePublishedFigures) {
    for (const auto& [file, expected] : figures()) {
        SCOPED_TRACE(file);
        const Checked<ReadTask> read = readTask(fileText(file));
        ASSERT_TRUE(read) << read.problem().text();
        Checked<Propagation> done = propagate(read->task, &read->lines);
        ASSERT_TRUE(done) << done.problem().text();
        const bool monteCarlo = std::any_of(expected.begin(), expected.end(), [](const Figure& f) {
            return f.name.starts_with("mc.") || f.name.starts_with("val.");
        });
        if (monteCarlo) {
            addMonteCarlo(done.value());
            ASSERT_TRUE(done->monteCarlo) << done->monteCarloRefusal->text();
        }
        const double p = confidenceFraction(read->task.settings.judgement.confidence);
        for (const Figure& figure : expected) {
            const bool random = figure.name.starts_with("mc.") || figure.name.starts_with("val.d");
            const std::string noiseOf = figure.name.starts_with("val.") ? "mc.low" : figure.name;
            const double allowed =
                halfUnit(figure.printed) + (random ? noise(noiseOf, *done->monteCarlo, p) : 0);
            EXPECT_NEAR(computed(figure.name, done.value()), std::stod(figure.printed), allowed)
                << figure.name;
        }
    }
}

// With correlated series (H.2) the Monte Carlo method refuses rather than drawing them
// independently, and the GUM result stands.
TEST(ReferenceExamples, CorrelatedSeriesAreRefusedByMonteCarlo) {
    const Checked<std::string> report =
        runTask(fileText("gum-h2-R.txt"), {}, OutputFormat::Text, true);
    ASSERT_TRUE(report) << report.problem().text();
    EXPECT_NE(report.value().find("只对正态分布的输入量处理相关"), std::string::npos);
    EXPECT_NE(report.value().find("R = (127.73 ± 0.14) Ω, P = 95 %, k = 1.96, ν = ∞"),
              std::string::npos)
        << report.value();
}

} // namespace
} // namespace tavrello::propagation
