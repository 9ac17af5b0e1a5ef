// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace tavrello::propagation {
namespace {

struct BadFormula {
    std::string formula;
    int column;
    std::string piece;
    std::string message;
};

TEST(Formula, ProblemsNameTheirCharacterAndPiece) {
    const BadFormula table[] = {
        {"y = 2m", 6, "m", "“m”前缺少运算符（乘号请写 *）。"},
        {"y = (a+b", 5, "(", "这个括号没有配对的右括号。"},
        {"y = a+b)", 8, ")", "多余的右括号。"},
        {"y = a+", 6, "+", "公式在“+”之后不完整。"},
        {"y = *a", 5, "*", "“*”前缺少运算对象。"},
        {"y = ()", 6, ")", "“)”前缺少运算对象。"},
        {"y = foo(x)", 5, "foo", "没有名为 foo 的函数"},
        {"y = sin x", 5, "sin", "函数 sin 后面应有括号，如 sin(x)。"},
        {"y = a^b^c", 8, "^", "连续乘方有歧义，请加括号，如 a^(b^c)。"},
        {"y = a²^2", 7, "^", "连续乘方有歧义"},
        {"y = a # b", 7, "#", "无法识别的字符。"},
        {"y = a . b", 7, ".", "无法识别的字符。"},
        {"y = 1e999*x", 5, "1e999", "数超出了范围"},
        {"2 = a", 1, "2", "等号左边应是所求量的符号"},
        {"π = a", 1, "π", "等号左边应是所求量的符号"},
        {"y = a = b", 7, "=", "公式中只能有一个等号。"},
        {"ρ = ρ*2", 1, "ρ", "所求量 ρ 不能同时出现在等号右边。"},
    };
    for (const BadFormula& bad : table) {
        const Checked<Model> model = parseModel(bad.formula);
        ASSERT_FALSE(model) << bad.formula;
        ASSERT_TRUE(model.problem().place) << bad.formula;
        EXPECT_EQ(model.problem().place->column, bad.column) << bad.formula;
        EXPECT_EQ(model.problem().place->piece, bad.piece) << bad.formula;
        EXPECT_NE(model.problem().message.find(bad.message), std::string::npos)
            << bad.formula << ": " << model.problem().message;
    }
    EXPECT_EQ(parseModel("  ").problem().message, "公式为空。");
    EXPECT_EQ(parseModel("y = 2*π").problem().message, "公式中没有任何输入量。");
}

struct Written {
    std::string formula;
    std::string model;
    std::size_t name;
    std::string derivative;
};

// The textbook's forms; the unary minus binds the one factor it stands before, where the
// library's own reading of "a*-b+c" would be a·(c − b).
TEST(Formula, IsWrittenInTextbookNotation) {
    const Written table[] = {
        {"ρ = 4*m/(π*d^2*h)", "4m/(πd²h)", 1, "−8m/(πd³h)"},
        {"g = 4*pi^2*L/T^2", "4π²L/T²", 1, "−8π²L/T³"},
        {"E_k = m·v²/2", "mv²/2", 1, "mv"},
        {"y = a*-b+c", "c − ab", 0, "−b"},
        {"y = x^-2*y2", "y₂/x²", 0, "−2y₂/x³"},
        {"y = a/-b*c", "−ac/b", 1, "ac/b²"},
        {"y = −a^2", "−a²", 0, "−2a"},
        {"y = sqrt(1 − x^2)", "√(1 − x²)", 0, "−x/√(1 − x²)"},
        {"y = 9.81*t^2/2", "4.905t²", 0, "9.81t"},
        {"y = 2.998e8*t", "2.998×10⁸t", 0, "2.998×10⁸"},
        {"y = lg(x)", "lg(x)", 0, "1/(x·ln(10))"},
        {"y = sin(x)^2", "sin²(x)", 0, "2·cos(x)·sin(x)"},
        {"y = x^(1/3)", "x^(1/3)", 0, "1/(3x^(2/3))"},
    };
    for (const Written& written : table) {
        const Checked<Model> model = parseModel(written.formula);
        ASSERT_TRUE(model) << written.formula << ": " << model.problem().text();
        EXPECT_EQ(model->formula.text, written.model) << written.formula;
        EXPECT_EQ(model->derivativeForms[written.name].text, written.derivative) << written.formula;
    }
    const Checked<Model> rho = parseModel("ρ = 4*m/(π*d_1^2*h)");
    EXPECT_EQ(rho->derivativeForms[1].html,
              "−8<i>m</i>/(π<i>d</i><sub>1</sub><sup>3</sup><i>h</i>)");
}

// The model line keeps what the student typed, its order and its signs, only in the notation.
TEST(Formula, ModelLineIsTheTypedFormulaInTextbookNotation) {
    const std::pair<const char*, const char*> table[] = {
        {"ρ = 4*m/(pi*d^2*h)", "4m/(πd²h)"},
        {"dm = (mRc + dmRc)*(1 + (rho_a - rho_a0)*(1/rho_W - 1/rho_R)) - m_nom",
         "(mRc + dmRc)(1 + (rho_a − rho_a0)(1/rho_W − 1/rho_R)) − m_nom"},
        {"T = 2*π*sqrt(L/g)", "2π√(L/g)"},
        {"y = a*-b + c", "a·−b + c"},
        {"y = x^-2*y2", "x⁻²y₂"},
        {"y = 2.998e8*t·3", "2.998×10⁸t·3"},
        {"y = m*sin(θ)*2*cos(θ)", "m·sin(θ)·2cos(θ)"},
        {"y = abs(a − b)/x^(1/3)", "|a − b|/x^(1/3)"},
        {"y = a*(b + c)*(d)", "a·(b + c)(d)"},
        {"y = d1*d_2²×asin(x)", "d₁d₂²·arcsin(x)"},
    };
    for (const auto& [typed, line] : table) {
        const Checked<Model> model = parseModel(typed);
        ASSERT_TRUE(model) << typed;
        EXPECT_EQ(model->typed.text, line) << typed;
    }
    EXPECT_EQ(parseModel("y = 4*m/x^(1/3)")->typed.html, "4<i>m</i>/<i>x</i><sup>1/3</sup>");
}

// The symbolic derivatives, compiled, against central differences at random points.
TEST(Formula, DerivativesAgreeWithCentralDifferences) {
    const std::pair<const char*, Angle> formulas[] = {
        {"y = 4*m/(π*d^2*h)", Angle::Radians},
        {"y = a*sin(b) + exp(c/a)", Angle::Radians},
        {"y = sqrt(a^2 + b^2)/ln(c + 1)", Angle::Radians},
        {"y = lg(a*b)*atan(c)", Angle::Radians},
        {"y = acos(a/3)*tan(b) - asin(c/4)", Angle::Radians},
        {"y = abs(a - 3*b)^(3/2)*c", Angle::Radians},
        {"y = a^b + (a + c)^(-1/3)", Angle::Radians},
        {"y = sin(a)*cos(b)/tan(c)", Angle::Degrees},
        {"y = asin(a/2) + acos(b/3) + atan(c)", Angle::Degrees},
    };
    std::mt19937_64 engine(7);
    std::uniform_real_distribution<double> point(1, 2);
    for (const auto& [formula, angle] : formulas) {
        const Checked<Model> model = parseModel(formula, angle);
        ASSERT_TRUE(model) << formula;
        for (int trial = 0; trial < 20; ++trial) {
            std::vector<double> x;
            for (std::size_t i = 0; i < model->names.size(); ++i) {
                x.push_back(point(engine));
            }
            for (std::size_t i = 0; i < x.size(); ++i) {
                const double h = 1e-6 * x[i];
                std::vector<double> up = x;
                std::vector<double> down = x;
                up[i] += h;
                down[i] -= h;
                const double difference = (model->program(up) - model->program(down)) / (2 * h);
                const double derivative = model->derivativePrograms[i](x);
                EXPECT_NEAR(derivative, difference, 1e-6 * (1 + std::abs(difference)))
                    << formula << " by " << model->names[i];
            }
        }
    }
}

TEST(Formula, IsUndefinedWhereItsFunctionsAre) {
    const Checked<Model> model = parseModel("y = sqrt(a) + ln(b)");
    EXPECT_TRUE(std::isnan(model->program(std::vector<double>{-1, 1})));
    EXPECT_FALSE(std::isfinite(model->program(std::vector<double>{1, 0})));
    EXPECT_DOUBLE_EQ(parseModel("y = sin(a)", Angle::Degrees)->program(std::vector<double>{90}), 1);
}

} // namespace
} // namespace tavrello::propagation
