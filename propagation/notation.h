// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/number_format.h"
#include "propagation/expression.h"
#include "propagation/formula_text.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::propagation {

// Formulas in the textbook's notation: fractions with a slash, powers as superscripts, π, √,
// factors side by side where that reads unambiguously ("−8m/(πd³h)"), as Unicode text for the
// window and as HTML for the reports.
enum class Style { Text, Html };

// A name as a formula shows it: digits and an underscore part as a subscript, italic in HTML
// ("d1" is d₁, <i>d</i><sub>1</sub>).
std::string nameText(std::string_view name, Style style);

// A number as a formula writes it: decimals beyond 10⁶ or below 10⁻⁴ with a power of ten.
std::string decimalText(const DecimalNumber& number, Style style);

// The exponent in superscript: "³" or <sup>3</sup>.
std::string superscriptText(const std::string& exponent, Style style);

// How an expression is spelt: its names as typed, and, where given, the texts to put in for them
// (the worked steps' "4·52.33/(π·2.0015²·4.027)"); factors are then always joined by "·".
struct Spelling {
    Style style = Style::Text;
    std::vector<std::string> names;
    std::vector<std::string> values;
};

std::string expressionText(const Expression& expression, const Spelling& spelling);

// The right side of a formula as the user typed it, in the same notation: its terms and factors
// in their order, multiplication signs dropped between factors that read unambiguously side by
// side, whole exponents as superscripts, pi as π, sqrt(…) as √(…), abs(…) as |…|. The model line
// of a lab report shows what the student wrote, not the library's rearranged form.
std::string typedFormulaText(std::span<const FormulaToken> tokens, Style style);

} // namespace tavrello::propagation
