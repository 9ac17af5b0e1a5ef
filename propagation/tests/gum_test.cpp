// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/tests/worked.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace tavrello::propagation {
namespace {

// For products of powers the relative form, taught through logarithms, gives the same u_c as the
// general form; for anything else it is not offered.
TEST(Gum, RelativeFormOfProductsOfPowersEqualsTheGeneralForm) {
    const char* products[] = {
        "模型 ρ = 4*m/(π*d^2*h)\n单次测量 m = 52.33 仪器允差 0.02\n"
        "测量列 d = 2.001 2.003 2.000 2.002 仪器允差 0.004\n已知 h = 4.027 不确定度 0.002\n",
        "模型 g = 4*π^2*L/T^2\n已知 L = 0.9871 不确定度 0.0006\n已知 T = 1.9937 不确定度 0.0011\n"
        "相关 L T 0.4\n",
        "模型 y = sqrt(a)/(b^3*c)\n已知 a = 4 不确定度 0.1\n已知 b = -2 不确定度 0.03\n"
        "单次测量 c = 7 仪器允差 0.2 分布 三角\n",
    };
    for (const char* text : products) {
        const Propagation done = worked(text);
        ASSERT_TRUE(done.gum.relativeUc) << text;
        EXPECT_NEAR(*done.gum.relativeUc * std::abs(done.gum.y), done.gum.uc, 1e-12 * done.gum.uc)
            << text;
    }
    EXPECT_FALSE(worked("模型 y = a + b\n已知 a = 1 不确定度 0.1\n已知 b = 2 不确定度 0.1\n")
                     .gum.relativeUc);
}

struct Degrees {
    const char* text;
    std::int64_t nu;
};

// Welch–Satterthwaite, truncated; a ν that is whole in exact arithmetic stays whole.
TEST(Gum, EffectiveDegreesOfFreedom) {
    const Degrees table[] = {
        {"模型 y = a + b\n已知 a = 1 不确定度 0.3 自由度 10\n已知 b = 1 不确定度 0.3 自由度 10\n",
         20},
        {"模型 y = 3*a - b\n已知 a = 1 不确定度 0.1 自由度 4\n已知 b = 1 不确定度 0.3 自由度 4\n",
         8},
        {"模型 y = a + b\n已知 a = 1 不确定度 1 自由度 5\n已知 b = 1 不确定度 2\n", 125},
    };
    for (const Degrees& row : table) {
        EXPECT_EQ(worked(row.text).gum.nuEff, row.nu) << row.text;
    }
    const Propagation correlated = worked("模型 y = a + b\n已知 a = 1 不确定度 1 自由度 5\n已知 b "
                                          "= 1 不确定度 1 自由度 5\n相关 a b 1\n");
    EXPECT_TRUE(correlated.gum.correlated);
    EXPECT_FALSE(correlated.gum.nuEff);
    EXPECT_DOUBLE_EQ(correlated.gum.uc, 2);
}

// A series is judged as the analysis judges it: the outlier goes, and the mean, u_A and ν of the
// kept values are the input's.
TEST(Gum, SeriesInputIsJudgedByTheChosenCriterion) {
    const Propagation done =
        worked("模型 y = 2*x\n测量列 x = 10.1 10.2 10.1 10.2 10.1 10.2 10.1 12.9\n");
    const Input& x = done.inputs[0];
    EXPECT_EQ(x.series->chosen().removed, std::vector<int>{8});
    EXPECT_NEAR(x.estimate, 10.1428571428571, 1e-12);
    EXPECT_EQ(x.nu, 6);
    EXPECT_DOUBLE_EQ(done.gum.uc, 2 * x.uA);
}

// In degrees, the trigonometric functions take degrees and the uncertainty is carried in
// radians through the derivative.
TEST(Gum, DegreesConvertTheUncertainty) {
    const Propagation done = worked("模型 n = sin(θ)\n已知 θ = 30 不确定度 0.5\n设置 角度 度\n");
    EXPECT_NEAR(done.gum.y, 0.5, 1e-15);
    EXPECT_NEAR(done.gum.uc, std::cos(std::numbers::pi / 6) * 0.5 * std::numbers::pi / 180, 1e-16);
}

TEST(Gum, CoverageConventionsOfTheCourses) {
    const char* text = "模型 y = a\n已知 a = 7.8681 不确定度 0.0061 自由度 19\n设置 包含因子 ";
    const std::pair<const char*, const char*> table[] = {
        {"t", "y = (7.868 ± 0.013), P = 95 %, k = 2.09, ν = 19, E = 0.16 %"},
        {"2", "y = (7.868 ± 0.012), k = 2, E = 0.16 %"},
        {"1 修约 只进不舍", "y = (7.8681 ± 0.0061), k = 1, E = 0.078 %"},
    };
    for (const auto& [coverage, line] : table) {
        EXPECT_EQ(worked(std::string(text) + coverage + "\n").gum.text, line);
    }
}

} // namespace
} // namespace tavrello::propagation
