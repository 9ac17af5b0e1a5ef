// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/statistics.h"
#include "fitting/line_fit.h"
#include "fitting/tests/fit_helpers.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tavrello::fitting {
namespace {

using Problem = Refusal::Problem;

TEST(LineFit, RefusesWhatItCannotFitAndSaysWhy) {
    struct Row {
        std::vector<std::pair<std::string, std::string>> points;
        FitMethod method;
        Transform xTransform, yTransform;
        Problem problem;
        std::string message;
        std::optional<int> droppable;
    };
    using T = Transform;
    constexpr FitMethod ls = FitMethod::LeastSquares;
    constexpr FitMethod differences = FitMethod::SuccessiveDifferences;
    const Row rows[] = {
        {{{"1", "2"}, {"2", "4"}},
         ls,
         T::None,
         T::None,
         Problem::TooFewPoints,
         "直线拟合至少需要 3 个数据点，现在只有 2 个。",
         {}},
        {{{"2.50", "1"}, {"2.50", "2"}, {"2.50", "3"}},
         ls,
         T::None,
         T::None,
         Problem::AllXEqual,
         "所有点的 x 都相等（x = 2.50），无法拟合直线。",
         {}},
        {{{"-1", "1"}, {"1", "2"}, {"-1.0", "3"}},
         ls,
         T::Square,
         T::None,
         Problem::AllXEqual,
         "所有点的 x² 都相等（x² = 1），无法拟合直线。",
         {}},
        {{{"0", "0"}, {"0", "2"}, {"0", "3"}},
         FitMethod::ThroughOrigin,
         T::None,
         T::None,
         Problem::AllXEqual,
         "所有点的 x 都为 0，无法拟合过原点的直线。",
         {}},
        {{{"1", "2"}, {"2", "0"}, {"3", "5"}},
         ls,
         T::None,
         T::Ln,
         Problem::TransformUndefined,
         "第 2 个点的 y = 0，不能取 ln y（对数只对正数有定义）。",
         {}},
        {{{"1", "2"}, {"0.0", "3"}, {"3", "5"}},
         ls,
         T::Reciprocal,
         T::None,
         Problem::TransformUndefined,
         "第 2 个点的 x = 0.0，不能取 1/x（0 没有倒数）。",
         {}},
        {{{"1", "2"}, {"2", "3"}, {"3", "-5"}},
         ls,
         T::None,
         T::SquareRoot,
         Problem::TransformUndefined,
         "第 3 个点的 y = -5，不能取 √y（负数不能开方）。",
         {}},
        {{{"1", "1e60"}, {"2", "3"}, {"3", "5"}},
         ls,
         T::None,
         T::Square,
         Problem::BadValue,
         "第 1 个点的 y² = 1×10¹²⁰ 超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间的数。",
         {}},
        {{{"1", "1"}, {"2", "2"}, {"3", "3"}},
         differences,
         T::None,
         T::None,
         Problem::TooFewPoints,
         "逐差法至少需要 4 个数据点，现在只有 3 个。",
         {}},
        {{{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}, {"5", "5"}},
         differences,
         T::None,
         T::None,
         Problem::OddCount,
         "逐差法要求数据点的个数为偶数，现在有 5 个。去掉最后一个点，即第 5 个点（x = 5），就可以"
         "用逐差法。",
         5},
        {{{"1", "1"}, {"2", "2"}, {"3.5", "3"}, {"4.5", "4"}},
         differences,
         T::None,
         T::None,
         Problem::UnequalSpacing,
         "逐差法要求 x 等间距，但按 x 排序后第 1 个点（x = 1）与第 2 个点（x = 2）相距 1，第 2 个点"
         "（x = 2）与第 3 个点（x = 3.5）相距 1.5。",
         {}},
        // In order of x, the gap before the point of largest x is the odd one out.
        {{{"4", "1"}, {"1", "2"}, {"2", "3"}, {"3", "4"}, {"9", "5"}},
         differences,
         T::None,
         T::None,
         Problem::UnequalSpacing,
         "逐差法要求 x 等间距，但按 x 排序后第 2 个点（x = 1）与第 3 个点（x = 2）相距 1，第 1 个点"
         "（x = 4）与第 5 个点（x = 9）相距 5。去掉最后一个点，即第 5 个点（x = "
         "9），就可以用逐差法。",
         5},
    };
    for (const Row& row : rows) {
        FitSettings settings;
        settings.method = row.method;
        settings.xTransform = row.xTransform;
        settings.yTransform = row.yTransform;
        const Outcome<Fit> outcome = fitLine(typedPoints(row.points), settings);
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << row.message;
        const Refusal& refusal = std::get<Refusal>(outcome);
        EXPECT_EQ(refusal.problem, row.problem) << row.message;
        EXPECT_EQ(refusal.message, row.message);
        EXPECT_EQ(refusal.droppable, row.droppable) << row.message;
    }
}

TEST(LineFit, WantsUncertaintiesForEveryPointOrNone) {
    DataSet data = typedPoints({{"1", "2"}, {"2", "4"}, {"3", "7"}});
    data.points[0].u = 0.1;
    const Outcome<Fit> outcome = fitLine(data);
    ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
    EXPECT_EQ(std::get<Refusal>(outcome).message,
              "第 2 个点没有 u(y)，而别的点有。请给出每个点的 u(y)，或给出统一的 u(y)。");
    FitSettings settings;
    settings.commonU = 0.2;
    EXPECT_TRUE(std::holds_alternative<Fit>(fitLine(data, settings)));
}

TEST(LineFit, ThrowsForSettingsOutOfRange) {
    const DataSet data = typedPoints({{"1", "2"}, {"2", "4"}, {"3", "7"}, {"4", "8"}});
    const auto refused = [&data](auto change) {
        FitSettings settings;
        change(settings);
        EXPECT_THROW(fitLine(data, settings), AnalysisError);
    };
    refused([](FitSettings& s) { s.expansion.digits = 3; });
    refused([](FitSettings& s) { s.commonU = 0; });
    refused([](FitSettings& s) { s.instrumentError = -1; });
    EXPECT_EQ(uncertaintyFromText(" 0.05 "), 0.05);
    EXPECT_EQ(uncertaintyFromText(" \t"), std::nullopt);
    for (const char* text : {"0", "-0.1", "0,1", "1e200"}) {
        EXPECT_THROW(uncertaintyFromText(text), AnalysisError) << text;
    }
    refused([](FitSettings& s) {
        s.method = FitMethod::SuccessiveDifferences;
        s.instrumentError = 0.1;
        s.yTransform = Transform::Ln;
    });
}

} // namespace
} // namespace tavrello::fitting
