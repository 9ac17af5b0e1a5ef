// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The straight-line fit on its own, no window: a fit of 10⁶ points by each method (with the
// points' texts, as read from a file), with weights and with a linearising transform, and the
// reading and writing of the data file of 10⁶ lines. Prints a Markdown table: median and 90th
// percentile of 7 runs, CPU time.
#include "fitting/data_set.h"
#include "fitting/fit_json.h"
#include "fitting/line_fit.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace tavrello::fitting;

namespace {

constexpr int runs = 7;
constexpr std::size_t count = 1000000;

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

// Process CPU time, so that other work on a shared machine does not enter the figure; the work
// is single-threaded, and on an idle machine its wall time is the same. `prepare` runs outside
// the timing.
template <typename Prepare, typename Work> void row(const char* what, Prepare prepare, Work work) {
    std::vector<double> seconds;
    for (int run = 0; run <= runs; ++run) {
        prepare();
        const std::clock_t start = std::clock();
        work();
        // The first run warms the allocator and the caches.
        if (run > 0) {
            seconds.push_back(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
        }
    }
    std::printf("| %s | %d | %.1f ms | %.1f ms |\n", what, runs, percentile(seconds, 0.5) * 1e3,
                percentile(seconds, 0.9) * 1e3);
}

template <typename Work> void row(const char* what, Work work) {
    row(
        what, [] {}, work);
}

// A line with noise, x equally spaced, every value with a text as typed.
std::string dataText() {
    std::mt19937_64 generator(20260101);
    std::normal_distribution<double> noise(0, 0.05);
    std::string text = "F (N)\tx (mm)\tu(x) (mm)\n";
    char line[96];
    for (std::size_t i = 0; i < count; ++i) {
        const double x = 0.001 * static_cast<double>(i);
        std::snprintf(line, sizeof line, "%.3f\t%.4f\t0.05\n", x,
                      2.5 + 1.98 * x + noise(generator));
        text += line;
    }
    return text;
}

// The fit of a fresh copy of the data, made outside the timing and handed over as the command
// line hands over what it read.
void fitRow(const char* what, const DataSet& data, const FitSettings& settings) {
    DataSet copy;
    row(
        what, [&] { copy = data; },
        [&] {
            if (!std::holds_alternative<Fit>(fitLine(std::move(copy), settings))) {
                std::fprintf(stderr, "the fit was refused\n");
                std::exit(1);
            }
        });
}

} // namespace

int main() {
    const std::string text = dataText();
    const DataSet data = std::get<DataSet>(readDataText(text));
    DataSet unweighted = data;
    for (Point& point : unweighted.points) {
        point.u.reset();
    }

    std::printf("| work, 10⁶ points | runs | median | 90th percentile |\n");
    std::printf("|---|---:|---:|---:|\n");
    fitRow("least squares", unweighted, {});
    FitSettings origin;
    origin.method = FitMethod::ThroughOrigin;
    fitRow("least squares through the origin", unweighted, origin);
    fitRow("least squares weighted by 1/u²", data, {});
    FitSettings logarithm;
    logarithm.yTransform = Transform::Ln;
    logarithm.instrumentError = 0.01;
    fitRow("least squares of ln y, with Δ_仪", unweighted, logarithm);
    FitSettings differences;
    differences.method = FitMethod::SuccessiveDifferences;
    fitRow("successive differences", unweighted, differences);
    row("reading the data file", [&] { readDataText(text); });
    row("writing the data file", [&] { writeDataText(data); });
    const Fit fitted = std::get<Fit>(fitLine(data));
    row("JSON of the weighted fit", [&] { fitJson(fitted); });
    return 0;
}
