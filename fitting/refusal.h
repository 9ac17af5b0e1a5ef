// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <variant>

namespace tavrello::fitting {

// Why data cannot be read or fitted, as a value: the window shows the message and may act on the
// rest (mark the line or the point, offer to drop a point). Settings outside their ranges throw
// AnalysisError instead, as the analysis's do.
struct Refusal {
    enum class Problem {
        NotUtf8,
        BadLine,
        BadValue,
        NoPoints,
        TooFewPoints,
        MissingUncertainty,
        AllXEqual,
        TransformUndefined,
        OddCount,
        UnequalSpacing,
    };
    Problem problem = Problem::BadValue;
    // In Chinese, naming the line or the point.
    std::string message;
    // The data file's line (from 1) or the point's position it names; 0 for none.
    int line = 0;
    int position = 0;
    // The position of a point without which the successive differences could be taken.
    std::optional<int> droppable;
};

// What was asked for, or why not.
template <typename Value> using Outcome = std::variant<Value, Refusal>;

} // namespace tavrello::fitting
