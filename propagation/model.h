// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/evaluator.h"
#include "propagation/expression.h"
#include "propagation/formula_text.h"
#include "propagation/problem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrello::propagation {

// A formula as the window shows it and as the reports print it.
struct Formula {
    std::string text;
    std::string html;
};

// The measurement model y = f(x₁, …, x_N): the formula, its derivatives by each name as
// expressions, in both notations and compiled for evaluation.
struct Model {
    // As typed.
    std::string source;
    Angle angle = Angle::Radians;
    std::string symbol;
    std::vector<std::string> names;
    // The character of the formula at which each name first appears.
    std::vector<int> nameColumns;
    Expression value;
    // The right side as typed, in textbook notation: the model line.
    Formula typed;
    // The right side as the library arranged it.
    Formula formula;
    Program program;
    // By name, in the order of names.
    std::vector<Expression> derivatives;
    std::vector<Formula> derivativeForms;
    std::vector<Program> derivativePrograms;
    // Where f is a constant times a product of powers of the names, each name's exponent
    // (0 where it cancelled out): the case where the relative form u_c/|y| applies.
    std::optional<std::vector<Rational>> powers;
};

// Scans, parses and differentiates the formula; a problem names its character and piece.
Checked<Model> parseModel(std::string_view text, Angle angle = Angle::Radians);

// The expression in both notations.
Formula formulaOf(const Expression& expression, const std::vector<std::string>& names);

} // namespace tavrello::propagation
