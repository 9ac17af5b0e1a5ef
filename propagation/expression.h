// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/number_format.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tavrello::propagation {

// An expression as plain values: what the symbolic library made of a formula or a derivative,
// handed over without any of its types, so that the notation and the evaluator need no part of
// it and the program can take it from a module it loads on first use.

enum class Operation { Number, Name, Pi, E, Sum, Product, Power, Call };

enum class Function {
    Sin,
    Cos,
    Tan,
    Asin,
    Acos,
    Atan,
    Exp,
    Ln,
    Lg,
    Abs,
    // Taking or giving degrees.
    SinDegrees,
    CosDegrees,
    TanDegrees,
    AsinDegrees,
    AcosDegrees,
    AtanDegrees,
};

// An exact rational number.
struct Rational {
    // Decimal integers; the denominator is positive, "1" for a whole number.
    std::string numerator;
    std::string denominator = "1";
    // The number as a terminating decimal, where it is one.
    std::optional<DecimalNumber> decimal;
    double value = 0;

    bool isWhole() const { return denominator == "1"; }
};

struct Node {
    Operation operation = Operation::Number;
    // Operation::Number.
    Rational number;
    // Operation::Name: the index of the name.
    std::size_t name = 0;
    // Operation::Call.
    Function function = Function::Sin;
    // Sum and Product: the terms or factors; Power: base and exponent; Call: the argument.
    std::vector<std::size_t> operands;
};

// Nodes whose operands come before them; the last one is the root.
struct Expression {
    std::vector<Node> nodes;

    const Node& root() const { return nodes.back(); }
    std::size_t rootIndex() const { return nodes.size() - 1; }
};

// The formula and its derivative by each name, or why the library could not make them.
struct SymbolicModel {
    std::string error;
    Expression value;
    std::vector<Expression> derivatives;
};

} // namespace tavrello::propagation
