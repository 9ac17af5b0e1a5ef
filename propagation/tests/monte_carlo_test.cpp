// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/tests/worked.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tavrello::propagation {
namespace {

Checked<MonteCarloResult> run(const Propagation& done, MonteCarloOptions options = {}) {
    options.draws = options.draws == defaultDraws ? 100'000 : options.draws;
    return monteCarlo(done.model, done.inputs, done.correlations, done.gum, options);
}

// A linear model of normal inputs: the distribution of y is the GUM's normal law, so the two
// agree within what M draws allow.
TEST(MonteCarlo, LinearModelAgreesWithTheGum) {
    const Propagation done =
        worked("模型 y = 2*a - 3*b + c\n已知 a = 1 不确定度 0.1\n"
               "已知 b = 2 不确定度 0.2\n单次测量 c = 3 仪器允差 0.3 分布 正态\n"
               "相关 a b 0.5\n");
    const Checked<MonteCarloResult> mc = run(done);
    ASSERT_TRUE(mc) << mc.problem().text();
    const double m = 100'000;
    EXPECT_NEAR(mc->mean, done.gum.y, 5 * done.gum.uc / std::sqrt(m));
    EXPECT_NEAR(mc->sd, done.gum.uc, 5 * done.gum.uc / std::sqrt(2 * m));
    for (const std::array<double, 2>& interval : {mc->interval, mc->shortest}) {
        EXPECT_NEAR(interval[0], done.gum.y - done.gum.U, 0.05 * done.gum.uc);
        EXPECT_NEAR(interval[1], done.gum.y + done.gum.U, 0.05 * done.gum.uc);
    }
    ASSERT_TRUE(mc->validation);
    EXPECT_LT(std::max(mc->validation->dLow, mc->validation->dHigh), 0.05 * done.gum.uc);
    EXPECT_EQ(mc->histogram.edges.size(), mc->histogram.counts.size() + 1);
    EXPECT_EQ(mc->histogram.curve.size(), mc->histogram.counts.size());
}

// Blocks are seeded by their number, so the threads that drew them do not matter; the seed does.
TEST(MonteCarlo, ResultDependsOnTheSeedAndNotOnTheThreads) {
    const Propagation done = worked("模型 ρ = 4*m/(π*d^2*h)\n单次测量 m = 52.33 仪器允差 0.02\n"
                                    "测量列 d = 2.001 2.003 2.000 2.002 仪器允差 0.004\n"
                                    "已知 h = 4.027 不确定度 0.002 自由度 10\n");
    std::vector<MonteCarloResult> results;
    for (const unsigned threads : {1u, 2u, 3u}) {
        MonteCarloOptions options;
        options.threads = threads;
        results.push_back(run(done, options).value());
    }
    for (const MonteCarloResult& result : results) {
        EXPECT_EQ(result.mean, results[0].mean);
        EXPECT_EQ(result.sd, results[0].sd);
        EXPECT_EQ(result.shortest, results[0].shortest);
        EXPECT_EQ(result.histogram.counts, results[0].histogram.counts);
    }
    MonteCarloOptions other;
    other.seed = 2;
    EXPECT_NE(run(done, other)->mean, results[0].mean);
}

TEST(MonteCarlo, UndefinedDrawsAreCountedAndBeyondAThousandthRefused) {
    const char* few = "模型 y = sqrt(a)\n已知 a = 1 不确定度 0.3\n";
    const Checked<MonteCarloResult> counted = run(worked(few));
    ASSERT_TRUE(counted);
    EXPECT_GT(counted->invalid, 0u);
    EXPECT_LT(counted->invalid, 100u);
    const Checked<MonteCarloResult> refused =
        run(worked("模型 y = sqrt(a)\n已知 a = 1 不确定度 0.5\n"));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.problem().message.find("超过 0.1 %"), std::string::npos);
}

TEST(MonteCarlo, RefusesWhatItCannotDraw) {
    const Propagation correlatedSeries =
        worked("模型 y = a*b\n测量列 a = 1.1 1.2 1.3\n已知 b = 2 不确定度 0.1\n相关 a b 0.3\n");
    EXPECT_NE(run(correlatedSeries).problem().message.find("只对正态分布的输入量处理相关"),
              std::string::npos);
    const Propagation contradictory =
        worked("模型 y = a + b + c\n已知 a = 1 不确定度 0.1\n已知 b = 1 不确定度 0.1\n"
               "已知 c = 1 不确定度 0.1\n相关 a b 0.9\n相关 a c 0.9\n相关 b c -0.9\n");
    EXPECT_NE(run(contradictory).problem().message.find("相关矩阵不是半正定的"), std::string::npos);
    MonteCarloOptions tooFew;
    tooFew.draws = 9999;
    EXPECT_FALSE(run(contradictory, tooFew));
}

TEST(MonteCarlo, CancelsBetweenBlocksAndTellsItsProgress) {
    const Propagation done = worked("模型 y = a\n已知 a = 1 不确定度 0.1\n");
    std::atomic<bool> cancel{true};
    MonteCarloOptions cancelled;
    cancelled.cancel = &cancel;
    EXPECT_EQ(run(done, cancelled).problem().message, "蒙特卡洛计算已取消。");
    std::vector<double> progress;
    MonteCarloOptions told;
    told.progress = [&progress](double share) { progress.push_back(share); };
    ASSERT_TRUE(run(done, told));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 1);
}

} // namespace
} // namespace tavrello::propagation
