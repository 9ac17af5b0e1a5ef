// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/document.h"
#include "report/json_writer.h"

#include <gtest/gtest.h>

namespace tavrello::report {
namespace {

Table twoRows() {
    Table table;
    table.header = {"序号", "x_i", "格拉布斯"};
    table.rows = {{"1", "10.1", "保留"}, {"12", "<9>", "第1轮剔除"}};
    table.emphasised = {false, true};
    table.emphasisMeaning = "已剔除";
    return table;
}

// One document, three forms that say the same: columns padded to the width a monospaced face
// gives Chinese characters, blank lines between the parts, the figure only where it can be drawn.
TEST(Document, PlainTextAndHtmlSayTheSame) {
    const Document document{"报告",
                            {Paragraph{"n = 2\nx̄ = 5"}, twoRows(), Figure{"图"}, Heading{"检验："},
                             Paragraph{"a & b"}, Note{"仅供参考。"},
                             Result{"测量结果", "x = (1.0 ± 0.1)"}}};
    EXPECT_EQ(plainText(document), "报告\n\nn = 2\nx̄ = 5\n\n"
                                   "序号  x_i   格拉布斯\n"
                                   "1     10.1  保留\n"
                                   "12    <9>   第1轮剔除\n"
                                   "\n检验：\na & b\n注意：仅供参考。\n\n"
                                   "测量结果：x = (1.0 ± 0.1)\n");
    const std::string page = html(document);
    for (const char* part :
         {"<meta charset=\"utf-8\">\n<h3>报告</h3>\n<p>n = 2<br>x̄ = 5</p>",
          "<tr><td>1</td><td>10.1</td><td>保留</td></tr>",
          "<tr style=\"font-weight: bold\"><td>12</td><td>&lt;9&gt;</td>", "<p>a &amp; b</p>",
          "<p><i>注意：仅供参考。</i></p>", "<p><b>测量结果：x = (1.0 ± 0.1)</b></p>"}) {
        EXPECT_NE(page.find(part), std::string::npos) << part << "\n" << page;
    }
    EXPECT_EQ(html(document, 3, 4), "<h4>检验：</h4>\n");
}

TEST(Document, AbridgedTableKeepsTheEmphasisedRows) {
    const Table table = twoRows();
    EXPECT_EQ(abridged(table, 2).size(), 1u);
    const std::vector<Block> cut = abridged(table, 1);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(std::get<Paragraph>(cut[0]).text, "共 2 行，表中只列出加粗的各行（已剔除）。");
    EXPECT_EQ(std::get<Table>(cut[1]).rows, std::vector<std::vector<std::string>>{table.rows[1]});
    Table plain = table;
    plain.emphasised = {false, false};
    EXPECT_EQ(abridged(plain, 1).size(), 1u);
}

TEST(JsonWriter, SeparatesAndEscapes) {
    JsonWriter json;
    json.beginObject();
    json.key("a").numbers(std::vector<double>{1.5, 1e300 * 1e300});
    json.key("b").string("\"\\\n\x01é");
    json.key("c").number(std::optional<double>());
    json.endObject();
    EXPECT_EQ(json.text(), R"({"a":[1.5,null],"b":"\"\\\n\u0001é","c":null})");
}

} // namespace
} // namespace tavrello::report
