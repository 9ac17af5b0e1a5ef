// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/json_report.h"
#include "analysis/report.h"
#include "analysis/tests/numbered_readings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello {
namespace {

const std::vector<double> five = {10.1, 10.3, 10.2, 10.4, 10.0};
// Orifice diameters as typed; Grubbs' criterion at 0.05 removes box 8.
const std::vector<std::string> fifteen = {"20.42", "20.43", "20.40", "20.43", "20.42",
                                          "20.43", "20.39", "20.30", "20.40", "20.43",
                                          "20.42", "20.41", "20.39", "20.39", "20.40"};

TEST(JsonReport, HasTheKeysInOrderAndNullsWhereNoNumberIs) {
    const std::string json = jsonReport(analyse(numbered(five)));
    const char* keys[] = {
        "{\"n\":5,\"values\":[10.1,10.3,10.2,10.4,10],",
        "\"texts\":[\"10.1\",\"10.3\",\"10.2\",\"10.4\",\"10\"],\"mean\":10.2,",
        "\"s\":",
        "\"s_mean\":",
        "\"residuals\":[",
        "\"criteria\":{",
        "\"pauta\":{\"alpha\":null,\"rounds\":[{\"position\":4,\"value\":10.4,",
        "\"critical\":3,\"removed\":false}],\"removed\":[],",
        "\"warnings\":[{\"kind\":\"cannot_remove\",\"text\":\"拉依达准则",
        "\"grubbs\":{\"alpha\":0.05,",
        "\"warnings\":[]}",
        "\"romanovsky\":",
        "\"chauvenet\":",
        "\"chosen\":\"grubbs\"",
        "\"systematic\":{\"residual_sums\":{\"delta\":",
        "\"abbe_helmert\":{\"c\":",
        "\"two_formulas\":{\"u\":",
        "\"result\":{\"symbol\":\"x\",\"unit\":\"\",\"n\":5,\"mean\":10.2,",
        "\"nu_eff\":4,",
        "\"confidence\":0.95,",
        "\"relative\":0.01924",
        "\"text\":\"x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4, E = 1.9 %\"}}"};
    std::size_t at = 0;
    for (const char* key : keys) {
        const std::size_t found = json.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " after " << json.substr(0, at);
        at = found;
    }
    EXPECT_EQ(at + std::string(keys[std::size(keys) - 1]).size(), json.size());

    Settings settings;
    settings.confidence = Confidence::Sigma1;
    const std::string nulls = jsonReport(analyse(numbered({5, 5, 5, 5, 0}), settings));
    for (const char* part :
         {"\"rounds\":[{\"position\":5,\"value\":0,\"statistic\":null,", "\"u\":null,",
          "\"nu_eff\":null,", "\"confidence\":0.6826894921370859,", "\"kind\":\"removes_much\""}) {
        EXPECT_NE(nulls.find(part), std::string::npos) << part;
    }
    EXPECT_NE(jsonReport(analyse(numbered({-1, 1}))).find("\"relative\":null,"), std::string::npos);
}

TEST(TextReport, SaysWhatEachCheckFound) {
    struct Row {
        std::vector<Reading> series;
        std::vector<const char*> parts;
    };
    const Row rows[] = {
        {numbered(five),
         {"测量次数 n = 5\n", "注意：拉依达准则（3σ准则）在 n ≤ 10 时不能剔除任何值",
          "残余误差校核法：Δ = 0，max|v_i| = 0.2，|Δ| < max|v_i|，未发现线性系统误差。",
          // C = √(n − 1)·s² = 0.05 exactly: a tie, so nothing is suspected.
          "C = |Σv_i·v_(i+1)| = 0.05，√(n − 1)·s² = 0.05，C ≤ √(n − 1)·s²，未发现",
          "计算数据比较法：σ1 = 0.158114（贝塞尔公式）", "u_B = 0（未给出仪器允差 Δ_仪）",
          "相对不确定度 E = U/|x̄| = 1.9 %\n",
          "\n\n测量结果：x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4, E = 1.9 %\n"}},
        // Values as typed, in the table and the sentences.
        {typed(fifteen),
         {"8     20.30  -0.104  0.010816  第1轮剔除  第1轮剔除         第1轮剔除     第1轮剔除",
          "x_8 = 20.30 的 |v| 最大，G = |v|/s = 3.1815 ≥ G(15, 0.05) = 2.40904，剔除；第2轮（n = "
          "14，",
          "共剔除 1 个值：x_8。", "按格拉布斯准则保留的 14 个值",
          "|Δ| ≥ max|v_i|，怀疑存在线性系统误差。", "ν_eff = (n − 1)·(u_c/u_A)⁴ = 13\n"}},
        // |Δ| = max|v_i| = 0.1 exactly: a tie, and the rule says ≥.
        {typed({"120.60", "120.70", "120.50", "120.50", "120.60", "120.70", "120.60"}),
         {"Δ = -0.1，max|v_i| = 0.1，|Δ| ≥ max|v_i|，怀疑存在线性系统误差。"}},
        {numbered({1, 2, 10}),
         {"罗曼诺夫斯基准则（t检验准则）（α = 0.05）：至少需要 4 个数据，本测量列只有 3 个",
          "3     10   5.66667   32.1111  保留    保留              未检验        保留"}},
        {numbered({5, 5, 5, 5, 9}),
         {"其余 4 个值全部相等（s′ = 0）而 x_5 与之不同，剔除",
          "注意：罗曼诺夫斯基准则（t检验准则）剔除了 1 个值，占测量列的 20 %，超过 10 %。",
          "u 无定义（σ1 = 0），未发现系统误差。"}},
        {numbered({5, 5, 5, 9}), {"剔除。剩余 3 个值，少于 4 个，不再检验。共剔除 1 个值：x_4。"}},
        // Values of many digits keep the digits that tell them apart.
        {typed({"10000000.1", "10000000.2", "10000000.3", "10000000.4"}),
         {"x̄ = Σx_i/n = 10000000.25\n", "x_1 = 10000000.1 的 |v| 最大",
          "x = (10000000.25 ± 0.21)"}},
    };
    for (const Row& row : rows) {
        const std::string report = textReport(analyse(row.series));
        for (const char* part : row.parts) {
            EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
        }
    }
    const std::string longer = textReport(analyse(typed(fifteen)));
    EXPECT_EQ(longer.find("n ≤ 10"), std::string::npos);
}

// The report bolds what the chosen criterion removes, whatever the others do, and marks that
// criterion's column: 3σ cannot remove from 8 values what Grubbs' criterion does.
TEST(TextReport, EmphasisesTheChosenCriterionsRemovals) {
    const std::vector<Reading> eight = numbered({10.1, 10.2, 10.0, 10.1, 10.2, 10.9, 10.1, 10.0});
    Settings settings;
    settings.criterion = Criterion::Pauta;
    const report::Table table = residualTable(analyse(eight, settings));
    EXPECT_EQ(table.rows[5][5], "第1轮剔除");
    EXPECT_FALSE(table.isEmphasised(5));
    EXPECT_EQ(table.header[4], "拉依达（所选）");
    EXPECT_EQ(table.spoken(4), "拉依达准则（3σ准则）（所选）");
    EXPECT_TRUE(residualTable(analyse(eight)).isEmphasised(5));
}

} // namespace
} // namespace tavrello
