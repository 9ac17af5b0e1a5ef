// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/document.h"

#include <algorithm>

namespace tavrello::report {

namespace {

template <class... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - std::min(width, displayWidth(text)), ' ');
}

std::string tableText(const Table& table) {
    std::vector<std::size_t> widths(table.header.size(), 0);
    const auto measure = [&widths](const std::vector<std::string>& row) {
        for (std::size_t column = 0; column < row.size() && column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], displayWidth(row[column]));
        }
    };
    measure(table.header);
    for (const auto& row : table.rows) {
        measure(row);
    }
    std::string text;
    const auto write = [&text, &widths](const std::vector<std::string>& row) {
        std::string line;
        for (std::size_t column = 0; column < row.size() && column < widths.size(); ++column) {
            line += padded(row[column], widths[column] + 2);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    };
    write(table.header);
    for (const auto& row : table.rows) {
        write(row);
    }
    return text;
}

std::string tableHtml(const Table& table) {
    std::string html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    for (const std::string& cell : table.header) {
        html += "<th>" + escapedHtml(cell) + "</th>";
    }
    html += "</tr>\n";
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        html += table.isEmphasised(row) ? "<tr style=\"font-weight: bold\">" : "<tr>";
        for (const std::string& cell : table.rows[row]) {
            html += "<td>" + escapedHtml(cell) + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string paragraphHtml(const std::string& text, const char* open, const char* close) {
    std::string escaped = escapedHtml(text);
    for (std::size_t at = escaped.find('\n'); at != std::string::npos;
         at = escaped.find('\n', at)) {
        escaped.replace(at, 1, "<br>");
    }
    return std::string("<p>") + open + escaped + close + "</p>\n";
}

} // namespace

std::string Table::spoken(std::size_t column) const {
    if (column < spokenHeader.size() && !spokenHeader[column].empty()) {
        return spokenHeader[column];
    }
    return column < header.size() ? header[column] : std::string();
}

std::string plainText(const Document& document) {
    std::string text = document.title + "\n";
    // A blank line before each heading, table and result sets the report's parts apart.
    const auto apart = [&text] { text += "\n"; };
    bool first = true;
    for (const Block& block : document.blocks) {
        std::visit(Overloaded{[&](const Heading& heading) {
                                  apart();
                                  text += heading.text + "\n";
                              },
                              [&](const Paragraph& paragraph) {
                                  if (first) {
                                      apart();
                                  }
                                  text += paragraph.text + "\n";
                              },
                              [&](const Note& note) { text += "注意：" + note.text + "\n"; },
                              [&](const Table& table) {
                                  apart();
                                  text += tableText(table);
                              },
                              [](const Figure&) {},
                              [&](const Result& result) {
                                  apart();
                                  text += result.caption + "：" + result.text + "\n";
                              }},
                   block);
        first = false;
    }
    return text;
}

std::string html(const Document& document, std::size_t first, std::size_t end) {
    std::string text;
    for (std::size_t at = first; at < end && at < document.blocks.size(); ++at) {
        std::visit(
            Overloaded{[&](const Heading& heading) {
                           text += "<h4>" + escapedHtml(heading.text) + "</h4>\n";
                       },
                       [&](const Paragraph& paragraph) {
                           text += paragraph.html.empty() ? paragraphHtml(paragraph.text, "", "")
                                                          : "<p>" + paragraph.html + "</p>\n";
                       },
                       [&](const Note& note) {
                           text += paragraphHtml("注意：" + note.text, "<i>", "</i>");
                       },
                       [&](const Table& table) { text += tableHtml(table); }, [](const Figure&) {},
                       [&](const Result& result) {
                           text +=
                               paragraphHtml(result.caption + "：" + result.text, "<b>", "</b>");
                       }},
            document.blocks[at]);
    }
    return text;
}

std::string html(const Document& document) {
    // Without the character set, word processors read the Chinese as Latin-1.
    return "<meta charset=\"utf-8\">\n<h3>" + escapedHtml(document.title) + "</h3>\n" +
           html(document, 0, document.blocks.size());
}

std::vector<Block> abridged(const Table& table, std::size_t mostRows) {
    if (table.rows.size() <= mostRows) {
        return {table};
    }
    Table kept = table;
    kept.rows.clear();
    kept.details.clear();
    kept.emphasised.clear();
    std::size_t emphasised = 0;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (!table.isEmphasised(row)) {
            continue;
        }
        ++emphasised;
        if (kept.rows.size() < mostRows) {
            kept.rows.push_back(table.rows[row]);
            kept.emphasised.push_back(true);
        }
    }
    const std::string listed = kept.rows.size() < emphasised
                                   ? "前 " + std::to_string(kept.rows.size()) + " 行"
                                   : std::string("各行");
    std::vector<Block> blocks = {Paragraph{"共 " + std::to_string(table.rows.size()) +
                                           " 行，表中只列出加粗的" + listed + "（" +
                                           table.emphasisMeaning + "）。"}};
    if (!kept.rows.empty()) {
        blocks.push_back(kept);
    }
    return blocks;
}

std::size_t displayWidth(const std::string& utf8) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead < 0x80   ? lead
                        : lead < 0xE0 ? lead & 0x1F
                        : lead < 0xF0 ? lead & 0x0F
                                      : lead & 0x07;
        for (std::size_t i = 1; i < length && at + i < utf8.size(); ++i) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        }
        at += length;
        if (code >= 0x300 && code <= 0x36F) {
            continue;
        }
        const bool wide =
            (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
            (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
            (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

std::string escapedHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace tavrello::report
