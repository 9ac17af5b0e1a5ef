// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/symbolic.h"

#include <charconv>
#include <ginac/ginac.h>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tavrello::propagation {

namespace {

// lg, and the trigonometric functions of an angle in degrees; their derivatives carry the
// factors that the change of unit brings.
DECLARE_FUNCTION_1P(lg)
DECLARE_FUNCTION_1P(sind)
DECLARE_FUNCTION_1P(cosd)
DECLARE_FUNCTION_1P(tand)
DECLARE_FUNCTION_1P(asind)
DECLARE_FUNCTION_1P(acosd)
DECLARE_FUNCTION_1P(atand)

const GiNaC::ex perDegree = GiNaC::Pi / 180;

GiNaC::ex rootOfOneLessSquare(const GiNaC::ex& x) {
    return GiNaC::sqrt(1 - GiNaC::pow(x, 2));
}

GiNaC::ex lgHeld(const GiNaC::ex& x) {
    return lg(x).hold();
}
GiNaC::ex lgDerivative(const GiNaC::ex& x, unsigned) {
    return 1 / (x * GiNaC::log(GiNaC::ex(10)));
}
GiNaC::ex sindHeld(const GiNaC::ex& x) {
    return sind(x).hold();
}
GiNaC::ex sindDerivative(const GiNaC::ex& x, unsigned) {
    return perDegree * cosd(x);
}
GiNaC::ex cosdHeld(const GiNaC::ex& x) {
    return cosd(x).hold();
}
GiNaC::ex cosdDerivative(const GiNaC::ex& x, unsigned) {
    return -perDegree * sind(x);
}
GiNaC::ex tandHeld(const GiNaC::ex& x) {
    return tand(x).hold();
}
GiNaC::ex tandDerivative(const GiNaC::ex& x, unsigned) {
    return perDegree * (1 + GiNaC::pow(tand(x), 2));
}
GiNaC::ex asindHeld(const GiNaC::ex& x) {
    return asind(x).hold();
}
GiNaC::ex asindDerivative(const GiNaC::ex& x, unsigned) {
    return 1 / (perDegree * rootOfOneLessSquare(x));
}
GiNaC::ex acosdHeld(const GiNaC::ex& x) {
    return acosd(x).hold();
}
GiNaC::ex acosdDerivative(const GiNaC::ex& x, unsigned) {
    return -1 / (perDegree * rootOfOneLessSquare(x));
}
GiNaC::ex atandHeld(const GiNaC::ex& x) {
    return atand(x).hold();
}
GiNaC::ex atandDerivative(const GiNaC::ex& x, unsigned) {
    return 1 / (perDegree * (1 + GiNaC::pow(x, 2)));
}

REGISTER_FUNCTION(lg, eval_func(lgHeld).derivative_func(lgDerivative))
REGISTER_FUNCTION(sind, eval_func(sindHeld).derivative_func(sindDerivative))
REGISTER_FUNCTION(cosd, eval_func(cosdHeld).derivative_func(cosdDerivative))
REGISTER_FUNCTION(tand, eval_func(tandHeld).derivative_func(tandDerivative))
REGISTER_FUNCTION(asind, eval_func(asindHeld).derivative_func(asindDerivative))
REGISTER_FUNCTION(acosd, eval_func(acosdHeld).derivative_func(acosdDerivative))
REGISTER_FUNCTION(atand, eval_func(atandHeld).derivative_func(atandDerivative))

const std::map<std::string, Function> functionsByName = {
    {"sin", Function::Sin},
    {"cos", Function::Cos},
    {"tan", Function::Tan},
    {"asin", Function::Asin},
    {"acos", Function::Acos},
    {"atan", Function::Atan},
    {"exp", Function::Exp},
    {"log", Function::Ln},
    {"lg", Function::Lg},
    {"abs", Function::Abs},
    {"sind", Function::SinDegrees},
    {"cosd", Function::CosDegrees},
    {"tand", Function::TanDegrees},
    {"asind", Function::AsinDegrees},
    {"acosd", Function::AcosDegrees},
    {"atand", Function::AtanDegrees},
};

// The library's readers of exactly the functions a formula may use (the scanner has already
// refused any other), taken from its own table so that each one is read as it reads it.
const GiNaC::prototype_table& readers() {
    static const GiNaC::prototype_table table = [] {
        GiNaC::prototype_table chosen;
        const GiNaC::prototype_table& all = GiNaC::get_default_reader();
        chosen.insert(*all.find({"sqrt", 1}));
        for (const auto& [name, function] : functionsByName) {
            chosen.insert(*all.find({name, 1}));
        }
        return chosen;
    }();
    return table;
}

std::string integerText(const GiNaC::numeric& value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// The fraction's digits as a terminating decimal, where the denominator has no prime factors
// but 2 and 5.
std::optional<DecimalNumber> terminatingDecimal(const GiNaC::numeric& value) {
    GiNaC::numeric rest = value.denom();
    int twos = 0;
    int fives = 0;
    for (; GiNaC::mod(rest, 2).is_zero(); rest = rest / 2) {
        ++twos;
    }
    for (; GiNaC::mod(rest, 5).is_zero(); rest = rest / 5) {
        ++fives;
    }
    if (!rest.is_equal(1)) {
        return std::nullopt;
    }
    const int places = std::max(twos, fives);
    const GiNaC::numeric scaled = GiNaC::abs(value) * GiNaC::numeric(10).power(places);
    DecimalNumber decimal;
    if (scaled.is_zero()) {
        return decimal;
    }
    decimal.negative = value.is_negative();
    decimal.digits = integerText(scaled);
    decimal.exponent = -places;
    while (decimal.digits.back() == '0') {
        decimal.digits.pop_back();
        ++decimal.exponent;
    }
    return decimal;
}

Rational rationalOf(const GiNaC::numeric& value) {
    Rational number;
    number.numerator = integerText(value.numer());
    number.denominator = integerText(value.denom());
    number.decimal = terminatingDecimal(value);
    number.value = value.to_double();
    if (number.decimal && !number.decimal->isZero()) {
        // The double nearest the decimal, rounded once.
        const std::string text = (number.decimal->negative ? "-" : "") + number.decimal->digits +
                                 "e" + std::to_string(number.decimal->exponent);
        std::from_chars(text.data(), text.data() + text.size(), number.value);
    }
    return number;
}

// What the plain expression has no node for.
struct Unexportable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Exporter {
  public:
    explicit Exporter(const std::vector<GiNaC::ex>& symbols) : symbols_(symbols) {}

    Expression operator()(const GiNaC::ex& e) {
        Expression expression;
        add(e, expression);
        return expression;
    }

  private:
    std::size_t add(const GiNaC::ex& e, Expression& out) {
        Node node;
        if (GiNaC::is_a<GiNaC::numeric>(e)) {
            const GiNaC::numeric value = GiNaC::ex_to<GiNaC::numeric>(e);
            if (!value.is_rational()) {
                throw Unexportable("公式化简后含有复数或非精确的数。");
            }
            node.number = rationalOf(value);
        } else if (GiNaC::is_a<GiNaC::symbol>(e)) {
            node.operation = Operation::Name;
            node.name = nameIndex(e);
        } else if (e.is_equal(GiNaC::Pi)) {
            node.operation = Operation::Pi;
        } else if (GiNaC::is_the_function<GiNaC::exp_SERIAL>(e) && e.op(0).is_equal(1)) {
            node.operation = Operation::E;
        } else if (GiNaC::is_a<GiNaC::add>(e) || GiNaC::is_a<GiNaC::mul>(e) ||
                   GiNaC::is_a<GiNaC::power>(e)) {
            node.operation = GiNaC::is_a<GiNaC::add>(e)   ? Operation::Sum
                             : GiNaC::is_a<GiNaC::mul>(e) ? Operation::Product
                                                          : Operation::Power;
            for (std::size_t index = 0; index < e.nops(); ++index) {
                node.operands.push_back(add(e.op(index), out));
            }
        } else if (GiNaC::is_a<GiNaC::function>(e)) {
            const auto found = functionsByName.find(GiNaC::ex_to<GiNaC::function>(e).get_name());
            if (found == functionsByName.end()) {
                throw Unexportable("求导得到了本程序不能计算的函数 " +
                                   GiNaC::ex_to<GiNaC::function>(e).get_name() + "。");
            }
            node.operation = Operation::Call;
            node.function = found->second;
            node.operands.push_back(add(e.op(0), out));
        } else {
            throw Unexportable("公式化简后含有本程序不能计算的部分。");
        }
        out.nodes.push_back(std::move(node));
        return out.nodes.size() - 1;
    }

    std::size_t nameIndex(const GiNaC::ex& symbol) const {
        for (std::size_t index = 0; index < symbols_.size(); ++index) {
            if (symbols_[index].is_equal(symbol)) {
                return index;
            }
        }
        throw Unexportable("公式中出现了未知的量。");
    }

    const std::vector<GiNaC::ex>& symbols_;
};

} // namespace

SymbolicModel symbolicModel(std::string_view translated, std::size_t names) {
    SymbolicModel model;
    try {
        std::vector<GiNaC::ex> symbols;
        GiNaC::symtab table{{"Pi", GiNaC::Pi}};
        for (std::size_t index = 0; index < names; ++index) {
            const std::string name = "v" + std::to_string(index);
            symbols.push_back(GiNaC::realsymbol(name));
            table[name] = symbols.back();
        }
        GiNaC::parser reader(table, true, readers());
        const GiNaC::ex value = reader(std::string(translated));
        Exporter exporter(symbols);
        model.value = exporter(value);
        for (const GiNaC::ex& symbol : symbols) {
            model.derivatives.push_back(exporter(value.diff(GiNaC::ex_to<GiNaC::symbol>(symbol))));
        }
    } catch (const Unexportable& error) {
        model.error = error.what();
    } catch (const GiNaC::pole_error&) {
        model.error = "公式中有除以零或零的对数。";
    } catch (const std::exception& error) {
        const std::string what = error.what();
        model.error = what.find("division by zero") != std::string::npos
                          ? "公式中有除以零。"
                          : "无法对公式作符号运算：" + what;
    }
    return model;
}

} // namespace tavrello::propagation
