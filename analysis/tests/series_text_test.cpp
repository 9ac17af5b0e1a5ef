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

TEST(SplitSeries, CutsAtBreaksAndAtBlanksOnlyBetweenNumbers) {
    struct Row {
        const char* text;
        std::vector<std::string> pieces;
        bool decimalComma;
    };
    const Row rows[] = {
        {"10.1\r\n10.3\r\n", {"10.1", "10.3"}, false},
        {" 1\t2;  3 ", {"1", "2", "3"}, false},
        {"1\uFF0C2", {"1", "2"}, false},
        {"1\uFF1B2\u30003", {"1", "2", "3"}, false},
        {"12.5 mm", {"12.5 mm"}, false},
        {"1 2.5", {"1", "2.5"}, false},
        {"12.5 mm\n13 mm", {"12.5 mm", "13 mm"}, false},
        {"10,1\n10,3", {}, true},
        {"10,1", {}, true},
        {"-10,1; +2,5", {}, true},
        {"10,1\n10.3", {"10", "1", "10.3"}, false},
        {"1,2,3", {"1", "2", "3"}, false},
        {"1,,2", {"1", "2"}, false},
        {"a b", {"a b"}, false},
        {"a\r\rb\n\n", {"a", "b"}, false},
        {"1\r2\n3", {"1", "2", "3"}, false},
        {" \t\r\n ", {}, false},
        {"", {}, false},
    };
    for (const Row& row : rows) {
        const SeriesText split = splitSeries(row.text);
        EXPECT_EQ(split.pieces, row.pieces) << '"' << row.text << '"';
        EXPECT_EQ(split.decimalComma, row.decimalComma) << '"' << row.text << '"';
    }
}

} // namespace
} // namespace tavrello
