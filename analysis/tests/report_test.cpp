// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/json_report.h"
#include "analysis/tests/numbered_readings.h"
#include "analysis/text_report.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello {
namespace {

const std::vector<double> five = {10.1, 10.3, 10.2, 10.4, 10.0};
const std::vector<double> fifteen = {20.42, 20.43, 20.40, 20.43, 20.42, 20.43, 20.39, 20.30,
                                     20.40, 20.43, 20.42, 20.41, 20.39, 20.39, 20.40};

TEST(JsonReport, HasTheKeysInOrderAndNullsWhereNoNumberIs) {
    const std::string json = jsonReport(analyse(numbered(five)));
    const char* keys[] = {"{\"n\":5,\"values\":[10.1,10.3,10.2,10.4,10],\"mean\":10.2,",
                          "\"s\":",
                          "\"s_mean\":",
                          "\"residuals\":[",
                          "\"criteria\":{",
                          "\"pauta\":{\"alpha\":null,\"rounds\":[{\"position\":4,\"value\":10.4,",
                          "\"critical\":3,\"removed\":false}],\"removed\":[]}",
                          "\"grubbs\":{\"alpha\":0.05,",
                          "\"romanovsky\":",
                          "\"chauvenet\":",
                          "\"chosen\":\"grubbs\"",
                          "\"systematic\":{\"residual_sums\":{\"delta\":",
                          "\"abbe_helmert\":{\"c\":",
                          "\"two_formulas\":{\"u\":",
                          "\"result\":{\"n\":5,\"mean\":10.2,\"u_a\":",
                          "\"nu_eff\":4,",
                          "\"confidence\":0.95,",
                          "\"text\":\"x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4\"}}"};
    std::size_t at = 0;
    for (const char* key : keys) {
        const std::size_t found = json.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " after " << json.substr(0, at);
        at = found;
    }
    EXPECT_EQ(at + std::string(keys[std::size(keys) - 1]).size(), json.size());

    Settings settings;
    settings.confidence = Confidence::Sigma1;
    const std::string nulls = jsonReport(analyse(numbered({5, 5, 5, 5, 9}), settings));
    for (const char* part :
         {"\"rounds\":[{\"position\":5,\"value\":9,\"statistic\":null,", "\"u\":null,",
          "\"nu_eff\":null,", "\"confidence\":0.6826894921370859,"}) {
        EXPECT_NE(nulls.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(jsonString("a\"b\\c\nd\x01é"), "\"a\\\"b\\\\c\\nd\\u0001é\"");
}

TEST(TextReport, SaysWhatEachCheckFound) {
    struct Row {
        std::vector<double> values;
        std::vector<const char*> parts;
    };
    const Row rows[] = {
        {five,
         {"测量次数 n = 5\n", "拉依达准则在 n ≤ 10 时不能剔除任何值",
          "残余误差校核法：Δ = 0，max|v_i| = 0.2，|Δ| < max|v_i|，未发现线性系统误差。",
          "计算数据比较法：σ1 = 0.158114（贝塞尔公式）", "u_B = 0（未给出仪器允差）",
          "测量结果：x = (10.20 ± 0.20), P = 95 %, k = 2.78, ν = 4\n"}},
        {fifteen,
         {"8     20.30  -0.104  0.010816  第1轮剔除",
          "G = |v|/s = 3.1815 ≥ G(15, 0.05) = 2.40904，剔除；第2轮（n = 14，",
          "共剔除 1 个值：x_8。", "按格拉布斯准则保留的 14 个值",
          "|Δ| ≥ max|v_i|，怀疑存在线性系统误差。", "ν_eff = (n − 1)·(u_c/u_A)⁴ = 13\n"}},
        {{1, 2, 10},
         {"罗曼诺夫斯基准则（t检验准则）（α = 0.05）：至少需要 4 个数据，本测量列只有 3 个"}},
        {{5, 5, 5, 5, 9},
         {"其余 4 个值全部相等（s′ = 0）而 x_5 与之不同，剔除",
          "u 无定义（σ1 = 0），未发现系统误差。"}},
        {{5, 5, 5, 9}, {"剔除。剩余 3 个值，少于 4 个，不再检验。共剔除 1 个值：x_4。"}},
    };
    for (const Row& row : rows) {
        const std::string report = textReport(analyse(numbered(row.values)));
        for (const char* part : row.parts) {
            EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
        }
    }
    EXPECT_EQ(textReport(analyse(numbered(fifteen))).find("n ≤ 10"), std::string::npos);
}

} // namespace
} // namespace tavrello
