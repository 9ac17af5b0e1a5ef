// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/problem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrello::propagation {

// What the trigonometric functions take and give.
enum class Angle { Radians, Degrees };

// What a piece of a formula is.
enum class TokenKind {
    Number,
    Name,
    Constant,
    Function,
    Sign,
    Product,
    Power,
    Square,
    Open,
    Close,
    Equals
};

// A piece of a formula as typed, with the character it starts at.
struct FormulaToken {
    TokenKind kind;
    std::string text;
    int column = 0;
    // What it becomes for the symbolic library.
    std::string translated;
    // A sign that stands before an operand rather than between two.
    bool unary = false;
};

// A formula as typed, "ρ = 4*m/(π*d^2*h)", checked token by token and written again in the
// syntax of the symbolic library: every name becomes v0, v1, … in the order of its first
// appearance, every number an exact fraction, every unary sign bound to the one factor it stands
// before. So the library only ever sees text that it parses as the user meant it, and every
// mistake is named here, with its place.
struct ScannedFormula {
    // The quantity's symbol, left of "=" as typed; "y" where the formula has none.
    std::string symbol;
    // The names on the right, as typed, in the order they first appear.
    std::vector<std::string> names;
    // The character at which each name first appears.
    std::vector<int> columns;
    std::string translated;
    // The right side's pieces as typed, for writing it again as the user wrote it.
    std::vector<FormulaToken> tokens;
};

// Operators + - * / ^ (and −, ×, ·, ², ³, full-width parentheses), the functions below, the
// constants π (pi) and e, numbers as plain decimals, and names: Latin or Greek letters, then
// digits or an underscore part (d1, d_2, θ, rho_a0). Problems are placed by character, line 0.
Checked<ScannedFormula> scanFormula(std::string_view text, Angle angle);

// Whether the text is one name that a formula can use for a quantity.
bool isQuantityName(std::string_view text);

// "sqrt、sin、…、abs", for messages.
std::string functionList();

} // namespace tavrello::propagation
