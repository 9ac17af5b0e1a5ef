// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/model.h"

#include "propagation/notation.h"
#include "propagation/symbolic.h"

namespace tavrello::propagation {

namespace {

bool isConstant(const Node& node) {
    return node.operation == Operation::Number || node.operation == Operation::Pi ||
           node.operation == Operation::E;
}

// The exponents of y = C·Πx_i^p_i, or nothing where f is not of that form.
std::optional<std::vector<Rational>> powersOf(const Expression& value, std::size_t names) {
    std::vector<Rational> powers(names, Rational{"0", "1", DecimalNumber{}, 0});
    const Node& root = value.root();
    std::vector<std::size_t> factors = root.operands;
    if (root.operation != Operation::Product) {
        factors = {value.rootIndex()};
    }
    for (const std::size_t index : factors) {
        const Node& factor = value.nodes[index];
        if (isConstant(factor)) {
            continue;
        }
        if (factor.operation == Operation::Name) {
            powers[factor.name] = Rational{"1", "1", DecimalNumber{false, "1", 0}, 1};
            continue;
        }
        if (factor.operation != Operation::Power) {
            return std::nullopt;
        }
        const Node& base = value.nodes[factor.operands[0]];
        const Node& exponent = value.nodes[factor.operands[1]];
        if (exponent.operation != Operation::Number) {
            return std::nullopt;
        }
        if (base.operation == Operation::Name) {
            powers[base.name] = exponent.number;
        } else if (!isConstant(base)) {
            return std::nullopt;
        }
    }
    return powers;
}

} // namespace

Formula formulaOf(const Expression& expression, const std::vector<std::string>& names) {
    return {expressionText(expression, {Style::Text, names, {}}),
            expressionText(expression, {Style::Html, names, {}})};
}

Checked<Model> parseModel(std::string_view text, Angle angle) {
    Checked<ScannedFormula> scanned = scanFormula(text, angle);
    if (!scanned) {
        return scanned.problem();
    }
    if (scanned->names.empty()) {
        return Problem{"公式中没有任何输入量。", std::nullopt};
    }
    SymbolicModel symbolic = symbolicModel(scanned->translated, scanned->names.size());
    if (!symbolic.error.empty()) {
        return Problem{symbolic.error, std::nullopt};
    }
    Model model;
    model.source = std::string(text);
    model.angle = angle;
    model.symbol = scanned->symbol;
    model.names = scanned->names;
    model.nameColumns = scanned->columns;
    model.value = std::move(symbolic.value);
    model.typed = {typedFormulaText(scanned->tokens, Style::Text),
                   typedFormulaText(scanned->tokens, Style::Html)};
    model.formula = formulaOf(model.value, model.names);
    model.program = Program(model.value);
    model.derivatives = std::move(symbolic.derivatives);
    for (const Expression& derivative : model.derivatives) {
        model.derivativeForms.push_back(formulaOf(derivative, model.names));
        model.derivativePrograms.emplace_back(derivative);
    }
    model.powers = powersOf(model.value, model.names.size());
    return model;
}

} // namespace tavrello::propagation
