// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/refusal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::fitting {

// A measured quantity as the table's header and the report name it.
struct Quantity {
    std::string name;
    // Empty for none.
    std::string unit;
};

// "F (N)", or the name alone: how headers write a quantity.
std::string quantityHeader(const Quantity& quantity);

// One measured pair, with the texts as typed: students count significant figures in them.
struct Point {
    // The caller's label, from 1 (the table's row); messages name the point by it.
    int position = 0;
    // The data file's line, 0 where the point was not read from one.
    int line = 0;
    double x = 0;
    double y = 0;
    // The standard uncertainty of y, where given.
    std::optional<double> u;
    std::string xText;
    std::string yText;
    std::string uText;
};

// The values the fit takes (those the analysis takes), in words for messages.
inline constexpr std::string_view valueRange = "应为 0，或绝对值在 1e-100 到 1e100 之间的数";
// The same for an uncertainty.
inline constexpr std::string_view positiveRange = "应为正数，且在 1e-100 到 1e100 之间";

// A value as typed, or else its shortest decimal text.
std::string typedValue(const std::string& text, double value);

struct DataSet {
    Quantity x{"x", ""};
    Quantity y{"y", ""};
    std::vector<Point> points;
};

// A point from its texts (uText empty for none): x and y as the analysis takes a value
// (readValue), u a positive one. The message names the point by its position.
Outcome<Point> readPoint(int position, std::string_view xText, std::string_view yText,
                         std::string_view uText = {});

// The data file: UTF-8 text; an optional header line with the names (and units, "F (N)" or
// "F/N") of x and y; then a point a line, x, y and optionally u(y), separated by tabs, commas or
// blanks. Blank lines are skipped. Every point has u(y) or none does. The message names the line.
Outcome<DataSet> readDataText(std::string_view utf8);

// The header and a point a line, tab-separated, each value as typed: readDataText reads back
// the same names, units and texts.
std::string writeDataText(const DataSet& data);

} // namespace tavrello::fitting
