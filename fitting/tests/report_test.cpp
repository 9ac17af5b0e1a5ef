// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/fit_json.h"
#include "fitting/fit_report.h"
#include "fitting/tests/fit_helpers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello::fitting {
namespace {

// A spring stretched by 0 … 7 N, its extension in mm.
DataSet spring() {
    DataSet data = typedPoints({{"0.0", "0.00"},
                                {"1.0", "2.10"},
                                {"2.0", "4.05"},
                                {"3.0", "6.01"},
                                {"4.0", "7.95"},
                                {"5.0", "10.02"},
                                {"6.0", "12.00"},
                                {"7.0", "13.98"}});
    data.x = {"F", "N"};
    data.y = {"x", "mm"};
    return data;
}

template <typename Block> std::vector<Block> blocksOf(const report::Document& document) {
    std::vector<Block> found;
    for (const report::Block& block : document.blocks) {
        if (const Block* wanted = std::get_if<Block>(&block)) {
            found.push_back(*wanted);
        }
    }
    return found;
}

// The expected figures were worked out apart from the program: the sums in exact rational
// arithmetic on the decimal data, t from the regularised incomplete beta function.
TEST(FitReport, StatesTheResultAsTheCoursesDo) {
    struct Row {
        FitMethod method;
        std::vector<std::string> lines;
        // A step of the calculation with its numbers.
        std::string step;
    };
    const Row rows[] = {
        {FitMethod::LeastSquares,
         {"b = (1.991 ± 0.016) mm/N, P = 95 %, k = 2.45, ν = 6, E = 0.80 %",
          "a = (0.047 ± 0.067) mm, P = 95 %, k = 2.45, ν = 6, E = 140 %", "r = 0.999968"},
         "b = Σ(x_i − x̄)(y_i − ȳ)/Σ(x_i − x̄)² = 83.605/42 = 1.9906"},
        {FitMethod::SuccessiveDifferences,
         {"b = (1.9869 ± 0.0082) mm/N, P = 95 %, k = 3.18, ν = 3, E = 0.41 %", "r = 0.999968"},
         "b = δ̄/(m·Δx) = 7.9475/(4×1) = 1.98687"},
    };
    for (const Row& row : rows) {
        FitSettings settings;
        settings.method = row.method;
        const Fit fit = fitted(spring(), settings);
        EXPECT_EQ(resultLines(fit), row.lines);
        const report::Document document = fitReport(fit);
        const std::string text = report::plainText(document);
        EXPECT_NE(text.find(row.step), std::string::npos) << text;
        EXPECT_EQ(blocksOf<report::Result>(document).size(), row.lines.size());
        EXPECT_EQ(blocksOf<report::Figure>(document).size(), 1u);
    }
    // A fixed k, as some courses state the slope.
    FitSettings fixed;
    fixed.expansion.coverage = Coverage::K2;
    EXPECT_EQ(resultLines(fitted(spring(), fixed)).front(),
              "b = (1.991 ± 0.013) mm/N, k = 2, E = 0.65 %");
}

TEST(FitReport, LaysOutTheDifferencesAsTheTextbookDoes) {
    FitSettings settings;
    settings.method = FitMethod::SuccessiveDifferences;
    const Fit fit = fitted(spring(), settings);
    const std::vector<report::Table> tables = blocksOf<report::Table>(fitReport(fit));
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].rows.size(), 8u);
    const std::vector<std::vector<std::string>> deltas = {
        {"1", "0.0", "0.00", "4.0", "7.95", "7.95"},
        {"2", "1.0", "2.10", "5.0", "10.02", "7.92"},
        {"3", "2.0", "4.05", "6.0", "12.00", "7.95"},
        {"4", "3.0", "6.01", "7.0", "13.98", "7.97"}};
    EXPECT_EQ(tables[1].rows, deltas);
    const std::string json = fitJson(fit);
    EXPECT_NE(json.find("\"method\":\"successive_differences\""), std::string::npos);
    EXPECT_NE(json.find("\"deltas\":[7.95,7.92,7.95,7.97"), std::string::npos) << json;
    EXPECT_NE(json.find("\"U_a\":null"), std::string::npos);
}

TEST(FitReport, MarksAFlaggedPointAndNamesTheLinearisedQuantities) {
    DataSet data;
    data.x = {"t", "s"};
    data.y = {"I", "mA"};
    for (int i = 0; i < 16; ++i) {
        const double y = 50 * std::exp(-0.2 * i) * (i == 9 ? 1.5 : 1 + 0.002 * (i % 3 - 1));
        data.points.push_back({i + 1, 0, static_cast<double>(i), y, std::nullopt, {}, {}, {}});
    }
    FitSettings settings;
    settings.yTransform = Transform::Ln;
    const Fit fit = fitted(data, settings);
    EXPECT_EQ(fit.model(), "ln I = a + b·t");
    EXPECT_TRUE(fit.slope.line.find(") s⁻¹, P = 95 %") != std::string::npos) << fit.slope.line;
    const report::Document document = fitReport(fit);
    const report::Table table = blocksOf<report::Table>(document).front();
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        EXPECT_EQ(table.isEmphasised(row), row == 9) << row;
    }
    EXPECT_NE(fitJson(fit).find("\"flagged\":[10]"), std::string::npos);
}

TEST(Transform, NamesTheQuantityAndItsUnit) {
    struct Row {
        Transform transform;
        std::string name, unit, fittedName, fittedUnit, slopeUnitOverS;
    };
    const Row rows[] = {
        {Transform::None, "F", "N", "F", "N", "N/s"},
        {Transform::Ln, "U_R", "V", "ln U_R", "", "s⁻¹"},
        {Transform::Lg, "p", "kPa", "lg p", "", "s⁻¹"},
        {Transform::Reciprocal, "T", "K", "1/T", "K⁻¹", "K⁻¹/s"},
        {Transform::Square, "v", "m/s", "v²", "(m/s)²", "(m/s)²/s"},
        {Transform::SquareRoot, "U_R", "m²", "√(U_R)", "(m²)^(1/2)", "(m²)^(1/2)/s"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(transformedName(row.transform, row.name), row.fittedName);
        EXPECT_EQ(transformedUnit(row.transform, row.unit), row.fittedUnit);
        EXPECT_EQ(quotientUnit(row.fittedUnit, "s"), row.slopeUnitOverS);
    }
    EXPECT_EQ(quotientUnit("N", "m/s"), "N/(m/s)");
}

} // namespace
} // namespace tavrello::fitting
