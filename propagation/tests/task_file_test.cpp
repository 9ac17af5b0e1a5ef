// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/propagate.h"

#include <gtest/gtest.h>

namespace tavrello::propagation {
namespace {

constexpr std::string_view example =
    "模型 ρ = 4*m/(π*d^2*h) 单位 g/cm³             # model\n"
    "测量列 d = 2.001 2.003 2.000 2.002 2.001 2.004 仪器允差 0.004 单位 cm\n"
    "单次测量 m = 52.33 仪器允差 0.02 分布 三角 单位 g\n"
    "已知 h = 4.027 不确定度 0.002 自由度 10 单位 cm\n"
    "常数 c = 2.998e8\n"
    "相关 d h 0.3\n"
    "设置 置信概率 99 包含因子 2 修约 只进不舍 判别准则 chauvenet 显著性水平 0.01 有效位数 1 "
    "角度 度 抽样次数 20000 种子 77\n";

// What a task holds, in a form that compares: its file, and its inputs as typed.
void expectSame(const Task& a, const Task& b) {
    EXPECT_EQ(writeTask(a), writeTask(b));
    EXPECT_EQ(a.model, b.model);
    EXPECT_EQ(a.unit, b.unit);
    EXPECT_EQ(a.inputs, b.inputs);
    EXPECT_EQ(a.correlations, b.correlations);
}

TEST(TaskFile, SavedAndOpenedAgainIsTheSameTask) {
    const Checked<ReadTask> read = readTask(example);
    ASSERT_TRUE(read) << read.problem().text();
    const Task& task = read->task;
    EXPECT_EQ(task.inputs[0].readings[2], "2.000");
    EXPECT_EQ(task.inputs[1].distribution, Distribution::Triangular);
    EXPECT_EQ(task.settings.seed, 77u);
    EXPECT_EQ(task.settings.angle, Angle::Degrees);
    const Checked<ReadTask> again = readTask(writeTask(task));
    ASSERT_TRUE(again) << again.problem().text();
    expectSame(task, again->task);

    const std::string english =
        "model y = a*b unit N\nseries a = 1.0, 1.1, 1.2 allowance 0.01 unit m\n"
        "known b = 2 uncertainty 0.1 dof 5\ncorrelation a b -0.2\n"
        "settings confidence 95 coverage t rounding even criterion grubbs alpha 0.05 digits 2 "
        "angle rad draws 1000000 seed 1\n";
    const std::string chinese = "模型 y = a*b 单位 N\n测量列 a = 1.0 1.1 1.2 仪器允差 0.01 单位 m\n"
                                "已知 b = 2 不确定度 0.1 自由度 5\n相关 a b -0.2\n";
    expectSame(readTask(english)->task, readTask(chinese)->task);
}

struct BadLine {
    std::string text;
    int line;
    int column;
    std::string piece;
    std::string message;
};

TEST(TaskFile, ProblemsNameLineCharacterAndPiece) {
    const std::string model = "模型 y = a*b\n";
    const BadLine table[] = {
        {"模型 y = a*\n", 1, 9, "*", "公式在“*”之后不完整。"},
        {model + "测量列 a = 1.0 1.x 1.2\n", 2, 13, "1.x", "读数不是一个数。"},
        {model + "测量列 a = 1,0\n", 2, 9, "1,0", "读数以逗号作小数点"},
        {model + "1\n", 2, 1, "1", "无法识别的语句"},
        {model + "单次测量 a = 1\n", 2, 11, "", "缺少仪器允差"},
        {model + "单次测量 a = 1 仪器允差 0.1 分布 泊松\n", 2, 24, "泊松", "无法识别的分布"},
        {model + "已知 a = 1 2\n", 2, 10, "2", "多余的内容"},
        {model + "已知 a = 1 不确定度\n", 2, 10, "不确定度", "后缺少值"},
        {model + "常数 a = 1 仪器允差 2\n", 2, 10, "仪器允差", "常数不用“仪器允差”"},
        {model + "常数 2a = 1\n", 2, 4, "2a", "不是合法的量的符号"},
        {model + "常数 a = 1\n常数 a = 2\n", 3, 4, "a", "已在第 2 行给出"},
        {model + "相关 a b 1.5\n", 2, 8, "1.5", "相关系数应在 −1 到 1 之间"},
        {model + "设置 置信概率 90\n", 2, 9, "90", "置信概率“90”无效"},
        {model + "设置 抽样次数 100\n", 2, 9, "100", "10000 到 10000000"},
        {model + "设置 颜色 红\n", 2, 4, "颜色", "无法识别的设置"},
        {model + "模型 z = a\n", 2, 1, "模型", "模型已在第 1 行给出"},
        {"测量列 a = 1 2\n", 0, 0, "", "任务中没有模型"},
        // Found after reading: the names of the formula, and what evaluating the inputs finds.
        {"# ρ\n模型 y = a*b\n常数 a = 1\n", 2, 10, "b", "公式中的 b 没有给出输入量"},
        {model + "测量列 a = 1\n常数 b = 2\n", 2, 1, "a", "至少需要 2 个数据"},
        {model + "已知 a = 1 不确定度 -1\n常数 b = 2\n", 2, 1, "a", "标准不确定度不能为负"},
        {model + "常数 a = 1\n常数 b = 2\n相关 a b 0.5\n", 4, 1, "a", "常数 a 没有不确定度"},
        {model + "常数 a = 1\n常数 b = 2\n相关 a c 0.5\n", 4, 1, "a", "没有名为 c 的输入量"},
        {"模型 y = sqrt(a)\n常数 a = -1\n", 0, 0, "", "公式在各输入量的估计值处无定义"},
    };
    for (const BadLine& bad : table) {
        const Checked<std::string> result = runTask(bad.text, {}, OutputFormat::Text, false);
        ASSERT_FALSE(result) << bad.text;
        const Problem& problem = result.problem();
        EXPECT_NE(problem.message.find(bad.message), std::string::npos)
            << bad.text << problem.text();
        if (bad.line == 0) {
            EXPECT_FALSE(problem.place) << bad.text << problem.text();
            continue;
        }
        ASSERT_TRUE(problem.place) << bad.text << problem.text();
        EXPECT_EQ(problem.place->line, bad.line) << bad.text;
        EXPECT_EQ(problem.place->column, bad.column) << bad.text;
        EXPECT_EQ(problem.place->piece, bad.piece) << bad.text;
    }
}

TEST(TaskFile, CommandLineOverridesAndWritesEachForm) {
    const std::pair<std::string, std::string> overrides[] = {
        {"confidence", "95"}, {"coverage", "t"}, {"angle", "rad"}};
    const Checked<std::string> text = runTask(example, overrides, OutputFormat::Text, false);
    ASSERT_TRUE(text) << text.problem().text();
    EXPECT_NE(text->find("P = 95 %"), std::string::npos) << text.value();
    EXPECT_NE(text->find("∂ρ/∂d = −8m/(πd³h) = "), std::string::npos) << text.value();
    const Checked<std::string> json = runTask(example, {}, OutputFormat::Json, true);
    ASSERT_TRUE(json) << json.problem().text();
    for (const char* key : {"\"c_text\":\"−8m/(πd³h)\"", "\"nu_eff\":null",
                            "\"monte_carlo_refusal\":\"蒙特卡洛法只对正态分布"}) {
        EXPECT_NE(json->find(key), std::string::npos) << key << json.value();
    }
    const std::pair<std::string, std::string> bad[] = {{"draws", "many"}};
    EXPECT_NE(runTask(example, bad, OutputFormat::Text).problem().message.find("抽样次数"),
              std::string::npos);
}

} // namespace
} // namespace tavrello::propagation
