// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/data_set.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrello::fitting {
namespace {

DataSet read(const std::string& text) {
    Outcome<DataSet> outcome = readDataText(text);
    if (const Refusal* refusal = std::get_if<Refusal>(&outcome)) {
        ADD_FAILURE() << refusal->message;
        return {};
    }
    return std::get<DataSet>(std::move(outcome));
}

TEST(DataFile, ReadsHeadersSeparatorsAndTheValuesAsTyped) {
    struct Row {
        const char* text;
        Quantity x, y;
        std::vector<std::string> xTexts, yTexts, uTexts;
    };
    const Row rows[] = {
        {"1 2\n3 4\n", {"x", ""}, {"y", ""}, {"1", "3"}, {"2", "4"}, {"", ""}},
        {"\xEF\xBB\xBF"
         "F (N)\tx (mm)\r\n\r\n1.0\t2.10\t\r\n+2\t4.050\r\n",
         {"F", "N"},
         {"x", "mm"},
         {"1.0", "+2"},
         {"2.10", "4.050"},
         {"", ""}},
        {"t/s, v/(m/s), u\n0.5, 1e3, 2\n1.5，2.0E3，2\n",
         {"t", "s"},
         {"v", "m/s"},
         {"0.5", "1.5"},
         {"1e3", "2.0E3"},
         {"2", "2"}},
        {"T (K) p [kPa]\n300\u30001.01\n  310   1.05  \n",
         {"T", "K"},
         {"p", "kPa"},
         {"300", "310"},
         {"1.01", "1.05"},
         {"", ""}},
        {"f(x)\tg（cd）\n1\t2\n", {"f(x)", ""}, {"g", "cd"}, {"1"}, {"2"}, {""}},
    };
    for (const Row& row : rows) {
        const DataSet data = read(row.text);
        EXPECT_EQ(data.x.name, row.x.name) << row.text;
        EXPECT_EQ(data.x.unit, row.x.unit) << row.text;
        EXPECT_EQ(data.y.name, row.y.name) << row.text;
        EXPECT_EQ(data.y.unit, row.y.unit) << row.text;
        ASSERT_EQ(data.points.size(), row.xTexts.size()) << row.text;
        for (std::size_t i = 0; i < data.points.size(); ++i) {
            const Point& point = data.points[i];
            EXPECT_EQ(point.xText, row.xTexts[i]) << row.text;
            EXPECT_EQ(point.yText, row.yTexts[i]) << row.text;
            EXPECT_EQ(point.uText, row.uTexts[i]) << row.text;
            EXPECT_EQ(point.position, static_cast<int>(i + 1));
        }
    }
}

TEST(DataFile, RefusesABadLineAndNamesIt) {
    struct Row {
        const char* text;
        Refusal::Problem problem;
        int line;
        const char* message;
    };
    using P = Refusal::Problem;
    const Row rows[] = {
        {"x y\n1 2\n3 abc\n", P::BadLine, 3, "第 3 行的 y“abc”不是一个数。"},
        {"1\t2\n3,5\t4\n", P::BadLine, 2, "第 2 行的 x“3,5”不是一个数（小数点请用句点）。"},
        {"1 2\n\n3 4 5 6\n", P::BadLine, 3,
         "第 3 行“3 4 5 6”有 4 列，应为 2 列（x、y）或 3 列（x、y、u(y)）。"},
        {"1 2\n7\n", P::BadLine, 2, "第 2 行“7”有 1 列，应为 2 列（x、y）或 3 列（x、y、u(y)）。"},
        {"1 2 0.1\n3 4\n", P::BadLine, 2,
         "第 2 行“3 4”没有 u(y)，而前面各行有。u(y) 要么每行都给，要么都不给。"},
        {"1 2 0\n", P::BadLine, 1, "第 1 行的 u(y)“0”应为正数，且在 1e-100 到 1e100 之间。"},
        {"1\t\t2\n", P::BadLine, 1, "第 1 行的 y 是空的。"},
        {"1 1e200\n", P::BadLine, 1,
         "第 1 行的 y“1e200”超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间的数。"},
        {"x y z w\n1 2\n", P::BadLine, 1,
         "第 1 行是表头“x y z w”，应有 2 或 3 列：x、y，可选 u(y)。"},
        {"x\ty\n\n", P::NoPoints, 0, "文件中没有数据点。"},
        {"x y\n1 2\n\xB2\xE2 3\n", P::NotUtf8, 3,
         "文件不是 UTF-8 编码的文本（第 3 行起）。请在编辑器里把它另存为 UTF-8 编码。"},
    };
    for (const Row& row : rows) {
        const Outcome<DataSet> outcome = readDataText(row.text);
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome)) << row.message;
        const Refusal& refusal = std::get<Refusal>(outcome);
        EXPECT_EQ(refusal.problem, row.problem) << row.message;
        EXPECT_EQ(refusal.line, row.line) << row.message;
        EXPECT_EQ(refusal.message, row.message);
    }
}

TEST(DataFile, KeepsEverythingThroughARoundTrip) {
    const std::string text = "F/N, x/(m/s), u\n"
                             "1.50, -0.0, 1E-3\n"
                             "2e3, +3, .5\n"
                             "0.000120, 4.00000000000000001, 0.2\n";
    const DataSet first = read(text);
    const std::string written = writeDataText(first);
    EXPECT_EQ(written, "F (N)\tx (m/s)\tu(x) (m/s)\n1.50\t-0.0\t1E-3\n2e3\t+3\t.5\n"
                       "0.000120\t4.00000000000000001\t0.2\n");
    const DataSet second = read(written);
    EXPECT_EQ(writeDataText(second), written);
    ASSERT_EQ(second.points.size(), first.points.size());
    for (std::size_t i = 0; i < first.points.size(); ++i) {
        EXPECT_EQ(second.points[i].xText, first.points[i].xText);
        EXPECT_EQ(second.points[i].y, first.points[i].y);
        EXPECT_EQ(second.points[i].u, first.points[i].u);
    }
}

} // namespace
} // namespace tavrello::fitting
