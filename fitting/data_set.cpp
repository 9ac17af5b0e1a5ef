// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fitting/data_set.h"

#include "analysis/series_text.h"
#include "analysis/statistics.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace tavrello::fitting {

namespace {

constexpr std::string_view ideographicSpace = "\u3000";
constexpr std::string_view fullWidthComma = "\uFF0C";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::size_t blankAt(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text[0] == ' ' || text[0] == '\t' || text[0] == '\r') {
        return 1;
    }
    return text.starts_with(ideographicSpace) ? ideographicSpace.size() : 0;
}

std::string_view trimmed(std::string_view text) {
    while (const std::size_t length = blankAt(text)) {
        text.remove_prefix(length);
    }
    while (!text.empty()) {
        if (text.back() == ' ' || text.back() == '\t' || text.back() == '\r') {
            text.remove_suffix(1);
        } else if (text.ends_with(ideographicSpace)) {
            text.remove_suffix(ideographicSpace.size());
        } else {
            break;
        }
    }
    return text;
}

// The line (from 1) of the first byte that is not UTF-8, if any.
std::optional<int> firstBadLine(std::string_view text) {
    int line = 1;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        line += lead == '\n' ? 1 : 0;
        // The continuation bytes a lead byte takes, and the range of the first of them, which
        // keeps out overlong forms, surrogates and values beyond U+10FFFF.
        std::size_t more = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return line;
        }
        for (std::size_t i = 1; i <= more; ++i) {
            if (at + i >= text.size()) {
                return line;
            }
            const auto next = static_cast<unsigned char>(text[at + i]);
            if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
                return line;
            }
        }
        at += more + 1;
    }
    return std::nullopt;
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at == text.size() || text[at] == '\n' || text[at] == '\r') {
            result.push_back(text.substr(start, at - start));
            if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') {
                ++at;
            }
            start = at + 1;
        }
    }
    return result;
}

// The trimmed pieces of the line between any of the separators, appended to cells.
void cutAt(std::string_view line, std::initializer_list<std::string_view> separators,
           std::vector<std::string_view>& cells) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < line.size();) {
        const auto separator =
            std::find_if(separators.begin(), separators.end(),
                         [&](std::string_view s) { return line.substr(at).starts_with(s); });
        if (separator == separators.end()) {
            ++at;
            continue;
        }
        cells.push_back(trimmed(line.substr(start, at - start)));
        at += separator->size();
        start = at;
    }
    cells.push_back(trimmed(line.substr(start)));
}

// The cells of a line: at tabs if it has any, else at commas, else at runs of blanks. Empty
// cells at its end (a spreadsheet's empty column) are not cells. The vector is reused from line
// to line.
void cellsOf(std::string_view line, std::vector<std::string_view>& cells) {
    cells.clear();
    if (line.find('\t') != std::string_view::npos) {
        cutAt(line, {"\t"}, cells);
    } else if (line.find(',') != std::string_view::npos ||
               line.find(fullWidthComma) != std::string_view::npos) {
        cutAt(line, {",", fullWidthComma}, cells);
    } else {
        std::size_t at = 0;
        while (at < line.size()) {
            while (const std::size_t length = blankAt(line.substr(at))) {
                at += length;
            }
            const std::size_t start = at;
            while (at < line.size() && blankAt(line.substr(at)) == 0) {
                ++at;
            }
            if (at > start) {
                cells.push_back(line.substr(start, at - start));
            }
        }
    }
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();
    }
}

std::vector<std::string_view> cellsOf(std::string_view line) {
    std::vector<std::string_view> cells;
    cellsOf(line, cells);
    return cells;
}

struct Bracket {
    std::string_view open, close;
    // An ASCII parenthesis marks a unit only after a blank: "f(x)" is a name.
    bool afterBlank;
};
constexpr std::array<Bracket, 3> unitBrackets = {
    {{"(", ")", true}, {"[", "]", false}, {"（", "）", false}}};

std::string_view unbracketed(std::string_view unit) {
    if (unit.size() >= 2 && unit.front() == '(' && unit.back() == ')') {
        return trimmed(unit.substr(1, unit.size() - 2));
    }
    return unit;
}

// "F (N)", "F [N]", "F（N）", "F/N", "F/(m/s)" or "F".
Quantity quantityFrom(std::string_view cell) {
    for (const Bracket& bracket : unitBrackets) {
        if (!cell.ends_with(bracket.close)) {
            continue;
        }
        const std::size_t open = cell.rfind(bracket.open);
        if (open == std::string_view::npos || open == 0 ||
            (bracket.afterBlank && blankAt(cell.substr(open - 1)) == 0)) {
            continue;
        }
        const std::string_view name = trimmed(cell.substr(0, open));
        const std::size_t inside = open + bracket.open.size();
        const std::string_view unit =
            trimmed(cell.substr(inside, cell.size() - bracket.close.size() - inside));
        return {std::string(name), std::string(unit)};
    }
    const std::size_t slash = cell.find('/');
    if (slash != std::string_view::npos && slash > 0 && slash + 1 < cell.size()) {
        return {std::string(trimmed(cell.substr(0, slash))),
                std::string(unbracketed(trimmed(cell.substr(slash + 1))))};
    }
    return {std::string(cell), {}};
}

// A header's cells: blanks may part a name from its bracketed unit, "x (m) y (N)".
std::vector<std::string> headerCells(std::string_view line) {
    const bool blankSeparated = line.find('\t') == std::string_view::npos &&
                                line.find(',') == std::string_view::npos &&
                                line.find(fullWidthComma) == std::string_view::npos;
    std::vector<std::string> cells;
    for (const std::string_view cell : cellsOf(line)) {
        const bool unitOnly =
            std::any_of(unitBrackets.begin(), unitBrackets.end(),
                        [cell](const Bracket& b) { return cell.starts_with(b.open); });
        if (blankSeparated && unitOnly && !cells.empty()) {
            cells.back().append(" ").append(cell);
        } else {
            cells.emplace_back(cell);
        }
    }
    return cells;
}

bool isHeader(std::string_view line) {
    const std::vector<std::string_view> cells = cellsOf(line);
    return std::none_of(cells.begin(), cells.end(),
                        [](std::string_view cell) { return readWholeNumber(cell).has_value(); });
}

// What is wrong with a cell, as the end of a sentence about the point or the line: "的 x“a”不是
// 一个数"; nothing if it reads.
std::optional<std::string> cellProblem(std::string_view name, std::string_view text, bool positive,
                                       double& value) {
    const ValueText read = readValue(text);
    if (read.problem == ValueText::Problem::None && (!positive || read.value > 0)) {
        value = read.value + 0.0;
        return std::nullopt;
    }
    if (text.empty()) {
        return std::string(name) + " 是空的";
    }
    const std::string quoted = std::string(name) + "“" + quotedPiece(text) + "”";
    switch (read.problem) {
    case ValueText::Problem::NotANumber:
        return quoted + "不是一个数" +
               (text.find(',') != std::string_view::npos ? "（小数点请用句点）" : "");
    case ValueText::Problem::OutOfRange:
        return quoted + "超出了范围：" + std::string(positive ? positiveRange : valueRange);
    case ValueText::Problem::None:
        break;
    }
    return quoted + std::string(positiveRange);
}

// The point, or what is wrong with it.
std::variant<Point, std::string> pointFrom(std::string_view xText, std::string_view yText,
                                           std::string_view uText) {
    Point point;
    point.xText = trimmed(xText);
    point.yText = trimmed(yText);
    point.uText = trimmed(uText);
    if (auto problem = cellProblem("x", point.xText, false, point.x)) {
        return *problem;
    }
    if (auto problem = cellProblem("y", point.yText, false, point.y)) {
        return *problem;
    }
    if (!point.uText.empty()) {
        double u = 0;
        if (auto problem = cellProblem("u(y)", point.uText, true, u)) {
            return *problem;
        }
        point.u = u;
    }
    return point;
}

Refusal badLine(int line, const std::string& message) {
    return {Refusal::Problem::BadLine, "第 " + std::to_string(line) + " 行" + message, line, 0, {}};
}

// Tabs shown as blanks: the line as an editor shows it.
std::string quotedLine(std::string_view line) {
    std::string shown(trimmed(line));
    std::replace(shown.begin(), shown.end(), '\t', ' ');
    return "“" + quotedPiece(shown) + "”";
}

} // namespace

std::string typedValue(const std::string& text, double value) {
    return typedText(Reading(0, value, text));
}

std::string quantityHeader(const Quantity& quantity) {
    return quantity.unit.empty() ? quantity.name : quantity.name + " (" + quantity.unit + ")";
}

Outcome<Point> readPoint(int position, std::string_view xText, std::string_view yText,
                         std::string_view uText) {
    std::variant<Point, std::string> read = pointFrom(xText, yText, uText);
    if (const std::string* problem = std::get_if<std::string>(&read)) {
        return Refusal{Refusal::Problem::BadValue,
                       "第 " + std::to_string(position) + " 个点的 " + *problem + "。",
                       0,
                       position,
                       {}};
    }
    Point point = std::get<Point>(std::move(read));
    point.position = position;
    return point;
}

Outcome<DataSet> readDataText(std::string_view utf8) {
    if (utf8.starts_with(byteOrderMark)) {
        utf8.remove_prefix(byteOrderMark.size());
    }
    if (const std::optional<int> bad = firstBadLine(utf8)) {
        return Refusal{Refusal::Problem::NotUtf8,
                       "文件不是 UTF-8 编码的文本（第 " + std::to_string(*bad) +
                           " 行起）。请在编辑器里把它另存为 UTF-8 编码。",
                       *bad,
                       0,
                       {}};
    }
    DataSet data;
    bool first = true;
    std::optional<bool> withU;
    int number = 0;
    data.points.reserve(static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n')) + 1);
    std::vector<std::string_view> cells;
    for (const std::string_view line : lines(utf8)) {
        ++number;
        if (trimmed(line).empty()) {
            continue;
        }
        if (std::exchange(first, false) && isHeader(line)) {
            const std::vector<std::string> cells = headerCells(line);
            if (cells.size() < 2 || cells.size() > 3) {
                return badLine(number, "是表头" + quotedLine(line) +
                                           "，应有 2 或 3 列：x、y，"
                                           "可选 u(y)。");
            }
            data.x = quantityFrom(cells[0]);
            data.y = quantityFrom(cells[1]);
            continue;
        }
        cellsOf(line, cells);
        if (cells.size() < 2 || cells.size() > 3) {
            return badLine(number, quotedLine(line) + "有 " + std::to_string(cells.size()) +
                                       " 列，应为 2 列（x、y）或 3 列（x、y、u(y)）。");
        }
        const bool hasU = cells.size() == 3;
        if (withU && *withU != hasU) {
            return badLine(number,
                           quotedLine(line) +
                               (hasU ? "有 u(y)，而前面各行没有。" : "没有 u(y)，而前面各行有。") +
                               "u(y) 要么每行都给，要么都不给。");
        }
        withU = hasU;
        std::variant<Point, std::string> read =
            pointFrom(cells[0], cells[1], hasU ? cells[2] : std::string_view());
        if (const std::string* problem = std::get_if<std::string>(&read)) {
            return badLine(number, "的 " + *problem + "。");
        }
        Point& point = data.points.emplace_back(std::get<Point>(std::move(read)));
        point.position = static_cast<int>(data.points.size());
        point.line = number;
    }
    if (data.points.empty()) {
        return Refusal{Refusal::Problem::NoPoints, "文件中没有数据点。", 0, 0, {}};
    }
    return data;
}

std::string writeDataText(const DataSet& data) {
    const bool withU = std::any_of(data.points.begin(), data.points.end(),
                                   [](const Point& point) { return point.u.has_value(); });
    // Appended in pieces: writing a million points, no temporaries.
    std::string out;
    const auto put = [&out](const std::string& typed, double value, char after) {
        out += typedValue(typed, value);
        out += after;
    };
    out = quantityHeader(data.x) + "\t" + quantityHeader(data.y);
    if (withU) {
        out.append("\t").append(quantityHeader({"u(" + data.y.name + ")", data.y.unit}));
    }
    out += '\n';
    for (const Point& point : data.points) {
        put(point.xText, point.x, '\t');
        if (!withU) {
            put(point.yText, point.y, '\n');
        } else {
            put(point.yText, point.y, '\t');
            out += point.u ? typedValue(point.uText, *point.u) : "";
            out += '\n';
        }
    }
    return out;
}

} // namespace tavrello::fitting
