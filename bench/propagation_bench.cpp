// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Indirect measurement alone, no window: the GUM of a six-input formula from its text to the
// result line, and the Monte Carlo method for ρ = 4m/(πd²h) with 10⁶ and 10⁷ draws, with the
// peak resident memory after each. Prints a Markdown table.

#include "propagation/propagate.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace tavrello::propagation;

namespace {

double seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

Propagation worked(const char* text) {
    Checked<ReadTask> read = readTask(text);
    Checked<Propagation> done = propagate(read->task, &read->lines);
    if (!done) {
        std::fprintf(stderr, "%s\n", done.problem().text().c_str());
        std::exit(1);
    }
    return std::move(done).value();
}

constexpr const char* sixInputs =
    "模型 Y = 4*π^2*(L + d/2)/T^2*(1 + θ^2/16)*k/m\n"
    "测量列 L = 0.9871 0.9874 0.9869 0.9872 0.9873 0.9870 仪器允差 0.0005\n"
    "测量列 T = 1.9937 1.9941 1.9935 1.9940 1.9938 仪器允差 0.001\n"
    "单次测量 d = 0.0215 仪器允差 0.00002\n"
    "已知 θ = 0.08 不确定度 0.005 自由度 8\n"
    "单次测量 k = 1.002 仪器允差 0.001 分布 三角\n"
    "已知 m = 1 不确定度 0.0001\n";

constexpr const char* density = "模型 ρ = 4*m/(π*d^2*h)\n"
                                "测量列 d = 2.001 2.003 2.000 2.002 2.001 2.004 仪器允差 0.004\n"
                                "单次测量 m = 52.33 仪器允差 0.02\n"
                                "已知 h = 4.027 不确定度 0.002 自由度 10\n";

} // namespace

int main() {
    // Warm up the symbolic library's tables once, as the window's first formula does.
    worked(sixInputs);
    std::vector<double> times;
    for (int run = 0; run < 201; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const Propagation done = worked(sixInputs);
        times.push_back(seconds(std::chrono::steady_clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    std::printf("| work | time | peak resident memory (MB) | target |\n|---|---:|---:|---:|\n");
    std::printf("| GUM, six inputs, text to result line (median of 201) | %.2f ms | %.1f | < 5 ms "
                "|\n",
                times[times.size() / 2] * 1e3, peakMegabytes());
    const Propagation rho = worked(density);
    for (const std::uint64_t draws : {std::uint64_t{1'000'000}, std::uint64_t{10'000'000}}) {
        MonteCarloOptions options;
        options.draws = draws;
        const auto start = std::chrono::steady_clock::now();
        const Checked<MonteCarloResult> mc =
            monteCarlo(rho.model, rho.inputs, rho.correlations, rho.gum, options);
        const double time = seconds(std::chrono::steady_clock::now() - start);
        std::printf("| Monte Carlo of ρ = 4m/(πd²h), M = %llu | %.2f s | %.1f | %s |\n",
                    static_cast<unsigned long long>(draws), time, peakMegabytes(),
                    draws == 1'000'000 ? "< 1 s" : "< 10 s, < 200 MB");
        if (!mc) {
            return 1;
        }
    }
}
