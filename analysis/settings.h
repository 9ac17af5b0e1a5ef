// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/critical_values.h"
#include "analysis/gross_errors.h"
#include "analysis/uncertainty.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrello {

// How a series is judged and its result stated. The window, the command line and the reports
// all check and read these through the functions below, so that they refuse alike.
struct Settings {
    // Whose kept values the systematic checks and the result use.
    Criterion criterion = Criterion::Grubbs;
    // 0.05 or 0.01, for Grubbs' and Romanovsky's criteria.
    double alpha = 0.05;
    Confidence confidence = Confidence::P95;
    // The instrument's allowance Δ_仪 (0, or a magnitude from 1e-100 to 1e100); none gives u_B = 0.
    std::optional<double> instrumentError;
    // Significant digits of U: 1 or 2, and how it is rounded to them.
    int digits = 2;
    Rounding rounding = Rounding::HalfEven;
    // k from Student's t at P, or a fixed k.
    Coverage coverage = Coverage::Student;
    // The quantity's symbol in the result line, and its unit (none when empty).
    std::string symbol = "x";
    std::string unit;
};

// The significance levels the criteria take, as written: "0.05", "0.01".
inline constexpr std::string_view alphaKeys[] = {"0.05", "0.01"};
std::optional<double> alphaFromKey(std::string_view key);

// Throws AnalysisError (BadSetting) with a message in Chinese for a setting outside its range.
void checkSettings(const Settings& settings);

// The allowance as typed: nothing for a blank text, else a number that checkSettings takes.
// Throws AnalysisError (BadSetting) with a message in Chinese that quotes the text.
std::optional<double> allowanceFromText(std::string_view text);

// The symbol as typed, trimmed; "x" for a blank one. The unit as typed, trimmed.
std::string symbolFromText(std::string_view text);
std::string unitFromText(std::string_view text);

} // namespace tavrello
