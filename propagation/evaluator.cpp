// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/evaluator.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace tavrello::propagation {

namespace {

// Powers with whole exponents up to this size are multiplied out.
constexpr int largestWholePower = 64;

constexpr double degree = std::numbers::pi / 180;

double wholePower(double base, int exponent) {
    double result = 1;
    double factor = base;
    for (int rest = std::abs(exponent); rest > 0; rest >>= 1) {
        if (rest & 1) {
            result *= factor;
        }
        factor *= factor;
    }
    return exponent < 0 ? 1 / result : result;
}

double call(Function function, double x) {
    switch (function) {
    case Function::Sin:
        return std::sin(x);
    case Function::Cos:
        return std::cos(x);
    case Function::Tan:
        return std::tan(x);
    case Function::Asin:
        return std::asin(x);
    case Function::Acos:
        return std::acos(x);
    case Function::Atan:
        return std::atan(x);
    case Function::Exp:
        return std::exp(x);
    case Function::Ln:
        return std::log(x);
    case Function::Lg:
        return std::log10(x);
    case Function::Abs:
        return std::abs(x);
    case Function::SinDegrees:
        return std::sin(x * degree);
    case Function::CosDegrees:
        return std::cos(x * degree);
    case Function::TanDegrees:
        return std::tan(x * degree);
    case Function::AsinDegrees:
        return std::asin(x) / degree;
    case Function::AcosDegrees:
        return std::acos(x) / degree;
    case Function::AtanDegrees:
        return std::atan(x) / degree;
    }
    return std::nan("");
}

bool isWhole(const Node& node, int& value) {
    if (node.operation != Operation::Number || !node.number.isWhole() ||
        std::abs(node.number.value) > largestWholePower) {
        return false;
    }
    value = static_cast<int>(node.number.value);
    return true;
}

bool isHalf(const Node& node) {
    return node.operation == Operation::Number && node.number.numerator == "1" &&
           node.number.denominator == "2";
}

} // namespace

Program::Program(const Expression& expression) {
    compile(expression, expression.rootIndex(), 0);
}

void Program::push(Instruction instruction, std::size_t height) {
    code_.push_back(instruction);
    depth_ = std::max(depth_, height + 1);
}

// Leaves the node's value on the stack at `height`.
void Program::compile(const Expression& expression, std::size_t index, std::size_t height) {
    const Node& node = expression.nodes[index];
    switch (node.operation) {
    case Operation::Number:
        push({Code::Constant, {}, 0, 0, node.number.value}, height);
        return;
    case Operation::Name:
        push({Code::Load, {}, 0, node.name, 0}, height);
        return;
    case Operation::Pi:
        push({Code::Constant, {}, 0, 0, std::numbers::pi}, height);
        return;
    case Operation::E:
        push({Code::Constant, {}, 0, 0, std::numbers::e}, height);
        return;
    case Operation::Sum:
    case Operation::Product:
        compile(expression, node.operands[0], height);
        for (std::size_t at = 1; at < node.operands.size(); ++at) {
            compile(expression, node.operands[at], height + 1);
            push({node.operation == Operation::Sum ? Code::Add : Code::Multiply}, height);
        }
        return;
    case Operation::Power: {
        compile(expression, node.operands[0], height);
        const Node& exponent = expression.nodes[node.operands[1]];
        int whole = 0;
        if (isWhole(exponent, whole)) {
            push({Code::WholePower, {}, whole}, height);
        } else if (isHalf(exponent)) {
            push({Code::Root}, height);
        } else {
            compile(expression, node.operands[1], height + 1);
            push({Code::Power}, height);
        }
        return;
    }
    case Operation::Call:
        compile(expression, node.operands[0], height);
        push({Code::Call, node.function}, height);
        return;
    }
}

double Program::operator()(std::span<const double> inputs) const {
    std::vector<const double*> columns;
    for (const double& input : inputs) {
        columns.push_back(&input);
    }
    std::vector<double> scratch;
    double out = 0;
    evaluate(columns, 1, &out, scratch);
    return out;
}

void Program::evaluate(std::span<const double* const> columns, std::size_t count, double* out,
                       std::vector<double>& scratch) const {
    scratch.resize(std::max(scratch.size(), depth_ * count));
    std::size_t level = 0;
    // The block on top of the stack, and the one below it.
    const auto top = [&] { return scratch.data() + (level - 1) * count; };
    const auto below = [&] { return scratch.data() + (level - 2) * count; };
    for (const Instruction& instruction : code_) {
        switch (instruction.code) {
        case Code::Constant:
            ++level;
            std::fill(top(), top() + count, instruction.constant);
            break;
        case Code::Load:
            ++level;
            std::copy(columns[instruction.index], columns[instruction.index] + count, top());
            break;
        case Code::Add:
            std::transform(below(), below() + count, top(), below(), std::plus<>());
            --level;
            break;
        case Code::Multiply:
            std::transform(below(), below() + count, top(), below(), std::multiplies<>());
            --level;
            break;
        case Code::WholePower:
            std::transform(top(), top() + count, top(),
                           [&](double x) { return wholePower(x, instruction.exponent); });
            break;
        case Code::Root:
            std::transform(top(), top() + count, top(), [](double x) { return std::sqrt(x); });
            break;
        case Code::Power:
            std::transform(below(), below() + count, top(), below(),
                           [](double x, double y) { return std::pow(x, y); });
            --level;
            break;
        case Code::Call:
            std::transform(top(), top() + count, top(),
                           [&](double x) { return call(instruction.function, x); });
            break;
        }
    }
    std::copy(top(), top() + count, out);
}

} // namespace tavrello::propagation
