// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/series_text.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrello {
namespace {

TEST(ReadWholeNumber, TakesOnlyAPlainDecimalNumber) {
    const std::pair<const char*, double> numbers[] = {
        {"12", 12},
        {" \t+12.5\r\n", 12.5},
        {"\u3000-3\u3000", -3},
        {".5", 0.5},
        {"5.", 5},
        {"-.25e+2", -25},
        {"1E-3", 0.001},
        {"4.9e-324", 4.9e-324},
        {"1.7976931348623157e308", 1.7976931348623157e308},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(readWholeNumber(text), value) << '"' << text << '"';
    }
    const char* notNumbers[] = {"1e999", "-1e999", "",    " ",     "+",     ".",      "-.",
                                "e5",    "1e",     "1e+", "+-1",   "--1",   "inf",    "nan",
                                "0x10",  "&H10",   "1,5", "1 000", "1.2.3", "12.5mm", "\uFF11"};
    for (const char* text : notNumbers) {
        EXPECT_EQ(readWholeNumber(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(ReadValue, TellsNoNumberFromOneOutOfRange) {
    using Problem = ValueText::Problem;
    const std::pair<const char*, Problem> rows[] = {
        {" 12.5 ", Problem::None},      {"0", Problem::None},
        {"1e100", Problem::None},       {"abc", Problem::NotANumber},
        {"1e", Problem::NotANumber},    {"1e200", Problem::OutOfRange},
        {"1e400", Problem::OutOfRange}, {"-1e-200", Problem::OutOfRange},
        {"1e-400", Problem::OutOfRange}};
    for (const auto& [text, problem] : rows) {
        EXPECT_EQ(readValue(text).problem, problem) << text;
    }
    EXPECT_EQ(readValue(" 12.5 ").value, 12.5);
}

TEST(SplitSeries, CutsAtBreaksAndAtBlanksOnlyBetweenNumbers) {
    struct Row {
        const char* text;
        std::vector<std::string> pieces;
        bool decimalComma = false;
        // The line and text of a comma in a line or cell, if any.
        int commaLine = 0;
        const char* commaText = "";
    };
    const Row rows[] = {
        {"10.1\r\n10.3\r\n", {"10.1", "10.3"}},
        {" 1\t2;  3 ", {"1", "2", "3"}},
        {"1\uFF0C2", {"1", "2"}},
        {"1\uFF1B2\u30003", {"1", "2", "3"}},
        {"12.5 mm", {"12.5 mm"}},
        {"1 2.5", {"1", "2.5"}},
        {"12.5 mm\n13 mm", {"12.5 mm", "13 mm"}},
        {"10,1\n10,3", {}, true},
        {"10,1", {}, true},
        {"-10,1; +2,5", {}, true},
        {"1,2,3", {"1", "2", "3"}},
        {"1,,2", {"1", "2"}},
        // On lines or in cells a comma separates nothing: such a text is refused, not guessed.
        {"10,1\n10.3", {}, false, 1, "10,1"},
        {"10.1\n10.2\n10,3\n10.4\n", {}, false, 3, "10,3"},
        {"1,234.5\n1,235.5\n1,236.0", {}, false, 1, "1,234.5"},
        {"\r\n10.1\t10.2\uFF0C\n", {}, false, 2, "10.2\uFF0C"},
        {"a b", {"a b"}},
        {"a\r\rb\n\n", {"a", "b"}},
        {"1\r2\n3", {"1", "2", "3"}},
        {" \t\r\n ", {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        const SeriesText split = splitSeries(row.text);
        std::vector<std::string> pieces;
        for (const SeriesPiece& piece : split.pieces) {
            pieces.push_back(piece.text);
        }
        EXPECT_EQ(pieces, row.pieces) << '"' << row.text << '"';
        EXPECT_EQ(split.decimalComma, row.decimalComma) << '"' << row.text << '"';
        EXPECT_EQ(split.commaInCell ? split.commaInCell->line : 0, row.commaLine) << row.text;
        EXPECT_EQ(split.commaInCell ? split.commaInCell->text : "", row.commaText) << row.text;
        EXPECT_EQ(split.refused(), row.decimalComma || row.commaLine > 0) << row.text;
    }
    // Pieces know their lines; a line that reads as one value by the caller's rule stays whole.
    EXPECT_EQ(splitSeries("1\n\n2 3").pieces.back().line, 3);
    const auto blanksDropped = [](std::string_view cell) { return cell == "1 2.5"; };
    EXPECT_EQ(splitSeries("1 2.5", blanksDropped).pieces.size(), 1u);
    EXPECT_EQ(splitSeries("1 2.5\n3", blanksDropped).pieces.size(), 3u);
}

TEST(SplitSeries, SaysWhyItRefusesAndQuotesPiecesLegibly) {
    EXPECT_EQ(refusalText(splitSeries("10.1\n10,3"), "粘贴的数"),
              "第 2 行的“10,3”含有逗号。粘贴的数分行或分列排列时，逗号不分隔数据；"
              "本程序也不以逗号作小数点，小数点请用句点（如“10.1”）。");
    EXPECT_EQ(refusalText(splitSeries("10,1"), "数据"),
              "数据以逗号作小数点（如“10,1”），本程序以句点作小数点（如“10.1”）。");
    EXPECT_EQ(quotedPiece("1\f2\v3\x01"), "1〈换页符〉2〈垂直制表符〉3〈U+0001〉");
    EXPECT_EQ(quotedPiece(std::string(39, 'a') + "测量"), std::string(39, 'a') + "测…");
    EXPECT_EQ(quotedPiece(std::string(40, 'a')), std::string(40, 'a'));
}

} // namespace
} // namespace tavrello
