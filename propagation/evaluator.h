// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/expression.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrello::propagation {

// An expression compiled once into a short list of instructions for a stack of doubles, so that
// a million Monte Carlo draws cost a few nanoseconds each rather than the symbolic library's
// microseconds. Instructions work on whole blocks of draws at a time. Where the expression is
// undefined (the root of a negative, the logarithm of 0) the result is not finite.
class Program {
  public:
    Program() = default;
    explicit Program(const Expression& expression);

    // The value at one point: one input per name.
    double operator()(std::span<const double> inputs) const;

    // out[j] = f(columns[0][j], columns[1][j], …) for j < count; scratch is the stack's space,
    // kept by the caller from block to block.
    void evaluate(std::span<const double* const> columns, std::size_t count, double* out,
                  std::vector<double>& scratch) const;

  private:
    enum class Code : std::uint8_t {
        Constant,
        Load,
        Add,
        Multiply,
        WholePower,
        Root,
        Power,
        Call,
    };
    struct Instruction {
        Code code;
        Function function = Function::Sin;
        int exponent = 0;
        std::size_t index = 0;
        double constant = 0;
    };

    void compile(const Expression& expression, std::size_t index, std::size_t height);
    void push(Instruction instruction, std::size_t height);

    std::vector<Instruction> code_;
    std::size_t depth_ = 0;
};

} // namespace tavrello::propagation
