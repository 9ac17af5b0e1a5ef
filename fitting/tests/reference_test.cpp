// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/line_fit.h"
#include "fitting/tests/fit_helpers.h"

#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tavrello::fitting {
namespace {

std::vector<std::vector<std::string>> readRows(const std::string& name) {
    std::ifstream file(std::string(TAVRELLO_REFERENCE_DIR) + "/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        std::istringstream stream(line);
        std::vector<std::string>& cells = rows.emplace_back();
        for (std::string cell; std::getline(stream, cell, '\t');) {
            cells.push_back(cell);
        }
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}

// Each certified quantity from the fit; the ANOVA table's regression sum of squares is what R²
// leaves of Σ(y − ȳ)² (through the origin, of Σy²).
const std::map<std::string, std::function<double(const Fit&)>> ours = {
    {"B0", [](const Fit& fit) { return fit.a; }},
    {"B0_sd", [](const Fit& fit) { return fit.sA.value_or(NAN); }},
    {"B1", [](const Fit& fit) { return fit.b; }},
    {"B1_sd", [](const Fit& fit) { return fit.sB; }},
    {"residual_sd", [](const Fit& fit) { return fit.s; }},
    {"r_squared", [](const Fit& fit) { return fit.r2; }},
    {"df_residual", [](const Fit& fit) { return static_cast<double>(fit.nu); }},
    {"ss_regression", [](const Fit& fit) { return fit.r2 * fit.plain.syy; }},
    {"ms_regression", [](const Fit& fit) { return fit.r2 * fit.plain.syy; }},
    {"ss_residual", [](const Fit& fit) { return fit.plain.sse; }},
    {"ms_residual", [](const Fit& fit) { return fit.s * fit.s; }},
    {"f", [](const Fit& fit) { return fit.r2 * fit.plain.syy / (fit.s * fit.s); }},
};

TEST(CertifiedData, EveryValueAgreesToTenSignificantDigits) {
    std::map<std::string, DataSet> data;
    std::map<std::string, FitSettings> settings;
    for (const std::vector<std::string>& row : readRows("strd_observations.tsv")) {
        DataSet& set = data[row[0]];
        set.points.push_back(
            std::get<Point>(readPoint(static_cast<int>(set.points.size() + 1), row[3], row[2])));
        settings[row[0]].method =
            row[1] == "true" ? FitMethod::LeastSquares : FitMethod::ThroughOrigin;
    }
    std::map<std::string, Fit> fits;
    for (const auto& [name, set] : data) {
        fits[name] = fitted(set, settings[name]);
    }
    for (const std::vector<std::string>& row : readRows("strd_certified.tsv")) {
        const double certified = std::stod(row[2]);
        const double value = ours.at(row[1])(fits.at(row[0]));
        EXPECT_LE(std::abs(value - certified), 1e-10 * std::abs(certified))
            << row[0] << " " << row[1] << ": " << value << " against " << row[2];
    }
}

} // namespace
} // namespace tavrello::fitting
