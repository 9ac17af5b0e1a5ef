// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/notation.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <tuple>

namespace tavrello::propagation {

namespace {

constexpr std::string_view minusSign = "\u2212";
constexpr std::size_t noName = std::numeric_limits<std::size_t>::max();

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The letters a name starts with (ASCII, or two-byte Greek), and their count.
std::pair<std::size_t, std::size_t> lettersOf(std::string_view name) {
    std::size_t bytes = 0;
    std::size_t letters = 0;
    while (bytes < name.size()) {
        const auto lead = static_cast<unsigned char>(name[bytes]);
        if (isAsciiLetter(name[bytes])) {
            bytes += 1;
        } else if (lead == 0xCE || lead == 0xCF) {
            bytes += 2;
        } else {
            break;
        }
        ++letters;
    }
    return {bytes, letters};
}

std::string subscriptDigits(std::string_view digits) {
    static constexpr std::string_view small[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    std::string text;
    for (const char c : digits) {
        text += small[c - '0'];
    }
    return text;
}

std::string_view functionName(Function function) {
    switch (function) {
    case Function::Sin:
    case Function::SinDegrees:
        return "sin";
    case Function::Cos:
    case Function::CosDegrees:
        return "cos";
    case Function::Tan:
    case Function::TanDegrees:
        return "tan";
    case Function::Asin:
    case Function::AsinDegrees:
        return "arcsin";
    case Function::Acos:
    case Function::AcosDegrees:
        return "arccos";
    case Function::Atan:
    case Function::AtanDegrees:
        return "arctan";
    case Function::Exp:
        return "exp";
    case Function::Ln:
        return "ln";
    case Function::Lg:
        return "lg";
    case Function::Abs:
        return "abs";
    }
    return {};
}

// How a printed factor joins its neighbours: numbers and long names take a "·" between them,
// single letters, powers and parentheses stand side by side.
enum class Shape { Number, Letter, Long, Parenthesised };

struct Piece {
    std::string text;
    Shape shape;
};

bool isOne(const Rational& number) {
    return number.isWhole() && (number.numerator == "1" || number.numerator == "-1");
}

bool isNegative(const Rational& number) {
    return !number.numerator.empty() && number.numerator[0] == '-';
}

std::string withoutSign(const std::string& digits) {
    return digits.starts_with('-') ? digits.substr(1) : digits;
}

// A fraction whose denominator is a power of ten times something reads better as the decimal
// it was typed as (9.81, not 981/100); ½ or ⅓ read better as fractions.
bool readsAsDecimal(const Rational& number) {
    return number.isWhole() || (number.decimal && number.denominator.back() == '0');
}

class Printer {
  public:
    Printer(const Expression& expression, const Spelling& spelling)
        : nodes_(expression.nodes), spelling_(spelling) {}

    std::string print(std::size_t index) {
        const auto [negative, magnitude] = split(index);
        return negative ? std::string(minusSign) + magnitude : magnitude;
    }

  private:
    const Node& node(std::size_t index) const { return nodes_[index]; }
    bool html() const { return spelling_.style == Style::Html; }
    bool numbersPutIn() const { return !spelling_.values.empty(); }

    // Whether the node is written with a minus in front, and what follows it.
    std::pair<bool, std::string> split(std::size_t index) {
        const Node& n = node(index);
        switch (n.operation) {
        case Operation::Number:
            return {isNegative(n.number), numberMagnitude(n.number)};
        case Operation::Product: {
            const auto coefficient =
                std::find_if(n.operands.begin(), n.operands.end(), [this](std::size_t factor) {
                    return node(factor).operation == Operation::Number;
                });
            const bool negative =
                coefficient != n.operands.end() && isNegative(node(*coefficient).number);
            return {negative, fraction(n.operands)};
        }
        case Operation::Power:
            if (negativeExponent(index)) {
                return {false, fraction({index})};
            }
            return {false, piece(index).text};
        case Operation::Sum:
            return {false, sum(n.operands)};
        default:
            return {false, piece(index).text};
        }
    }

    std::string numberMagnitude(const Rational& number) {
        if (readsAsDecimal(number)) {
            DecimalNumber magnitude = *number.decimal;
            magnitude.negative = false;
            return decimalText(magnitude, spelling_.style);
        }
        return withoutSign(number.numerator) + "/" + number.denominator;
    }

    bool negativeExponent(std::size_t index) const {
        const Node& n = node(index);
        return n.operation == Operation::Power &&
               node(n.operands[1]).operation == Operation::Number &&
               isNegative(node(n.operands[1]).number);
    }

    // The smallest name index in the subtree: terms and factors are ordered by the names'
    // first appearance in the formula, as the user wrote them.
    std::size_t firstName(std::size_t index) const {
        const Node& n = node(index);
        std::size_t first = n.operation == Operation::Name ? n.name : noName;
        for (const std::size_t operand : n.operands) {
            first = std::min(first, firstName(operand));
        }
        return first;
    }

    int category(std::size_t index) const {
        const Node& n = node(index);
        switch (n.operation) {
        case Operation::Number:
            return 0;
        case Operation::Pi:
        case Operation::E:
            return 1;
        case Operation::Name:
            return 2;
        case Operation::Power:
            return category(n.operands[0]);
        case Operation::Call:
            return 3;
        default:
            return 4;
        }
    }

    std::vector<std::size_t> ordered(std::vector<std::size_t> operands) {
        if (operands.size() < 2) {
            return operands;
        }
        std::vector<std::tuple<int, std::size_t, std::string, std::size_t>> keys;
        for (const std::size_t operand : operands) {
            // A factor of negative power is ordered by its base, and printed only as part of
            // its fraction.
            const std::size_t shown =
                negativeExponent(operand) ? node(operand).operands[0] : operand;
            keys.emplace_back(category(operand), firstName(operand), print(shown), operand);
        }
        std::sort(keys.begin(), keys.end());
        for (std::size_t at = 0; at < keys.size(); ++at) {
            operands[at] = std::get<3>(keys[at]);
        }
        return operands;
    }

    std::string sum(const std::vector<std::size_t>& terms) {
        std::string text;
        for (const std::size_t term : ordered(terms)) {
            const auto [negative, magnitude] = split(term);
            if (text.empty()) {
                text = negative ? std::string(minusSign) + magnitude : magnitude;
            } else {
                text += (negative ? std::string(" ") + std::string(minusSign) + " " : " + ") +
                        magnitude;
            }
        }
        return text;
    }

    std::string separator(const Piece& left, const Piece& right) const {
        const bool apart = numbersPutIn() || right.shape == Shape::Number ||
                           left.shape == Shape::Long || right.shape == Shape::Long;
        return apart ? "·" : "";
    }

    std::string joined(const std::vector<Piece>& pieces) const {
        std::string text;
        for (std::size_t at = 0; at < pieces.size(); ++at) {
            text += (at > 0 ? separator(pieces[at - 1], pieces[at]) : "") + pieces[at].text;
        }
        return text;
    }

    // Factors over factors: the coefficient's numerator and the factors of positive power above,
    // its denominator and the factors of negative power below, the sign left to the caller.
    std::string fraction(const std::vector<std::size_t>& factors) {
        std::vector<Piece> above;
        std::vector<Piece> below;
        for (const std::size_t factor : ordered(factors)) {
            const Node& n = node(factor);
            if (n.operation == Operation::Number) {
                coefficient(n.number, above, below);
            } else if (negativeExponent(factor)) {
                below.push_back(power(n.operands[0], n.operands[1], true));
            } else {
                above.push_back(piece(factor));
            }
        }
        const std::string top = above.empty() ? "1" : joined(above);
        if (below.empty()) {
            return top;
        }
        const std::string bottom = joined(below);
        return top + "/" + (below.size() > 1 ? "(" + bottom + ")" : bottom);
    }

    void coefficient(const Rational& number, std::vector<Piece>& above, std::vector<Piece>& below) {
        if (isOne(number)) {
            return;
        }
        if (readsAsDecimal(number)) {
            above.push_back({numberMagnitude(number), Shape::Number});
            return;
        }
        if (withoutSign(number.numerator) != "1") {
            above.push_back({withoutSign(number.numerator), Shape::Number});
        }
        below.push_back({number.denominator, Shape::Number});
    }

    std::string superscript(const std::string& exponent, bool plain) const {
        if (html()) {
            return "<sup>" + exponent + "</sup>";
        }
        return plain ? superscriptText(exponent, Style::Text) : "^(" + exponent + ")";
    }

    // A base in a power or a root: names (or the values put in for them, which come
    // parenthesised where they need it) and constants as they are, anything else in parentheses.
    std::string base(std::size_t index) {
        const Node& n = node(index);
        const bool bare =
            n.operation == Operation::Name || n.operation == Operation::Pi ||
            n.operation == Operation::E ||
            (n.operation == Operation::Number && !isNegative(n.number) && n.number.isWhole());
        const std::string text = print(index);
        return bare ? text : "(" + text + ")";
    }

    // base^exponent; with `inverted`, base^(−exponent), for a denominator.
    Piece power(std::size_t baseIndex, std::size_t exponentIndex, bool inverted) {
        const Node& exponent = node(exponentIndex);
        if (exponent.operation != Operation::Number) {
            const std::string text = print(exponentIndex);
            const bool atomic =
                exponent.operation == Operation::Name || exponent.operation == Operation::Pi;
            return {base(baseIndex) + (html() ? "<sup>" + text + "</sup>"
                                              : "^" + (atomic ? text : "(" + text + ")")),
                    Shape::Parenthesised};
        }
        Rational number = exponent.number;
        if (inverted) {
            number.numerator = withoutSign(number.numerator);
        }
        if (number.numerator == "1" && number.denominator == "1") {
            return piece(baseIndex);
        }
        if (number.numerator == "1" && number.denominator == "2") {
            return {"√" + base(baseIndex), Shape::Parenthesised};
        }
        const bool whole = number.isWhole();
        const std::string exponentText =
            whole ? number.numerator : number.numerator + "/" + number.denominator;
        const Node& b = node(baseIndex);
        if (b.operation == Operation::Call && b.function != Function::Abs &&
            b.function != Function::Exp && whole) {
            // sin²(θ), as the textbooks write it.
            return {std::string(functionName(b.function)) + superscript(exponentText, true) + "(" +
                        print(b.operands[0]) + ")",
                    Shape::Long};
        }
        const Piece inner = piece(baseIndex);
        const bool bare = inner.shape != Shape::Parenthesised && b.operation != Operation::Call &&
                          b.operation != Operation::Number;
        return {(bare ? inner.text : base(baseIndex)) + superscript(exponentText, whole),
                bare ? inner.shape : Shape::Parenthesised};
    }

    Piece call(const Node& n) {
        const std::string argument = print(n.operands[0]);
        if (n.function == Function::Abs) {
            return {"|" + argument + "|", Shape::Parenthesised};
        }
        if (n.function == Function::Exp) {
            const bool name = node(n.operands[0]).operation == Operation::Name;
            if (html() || name) {
                return {"e" + (html() ? "<sup>" + argument + "</sup>" : "^" + argument),
                        Shape::Long};
            }
        }
        return {std::string(functionName(n.function)) + "(" + argument + ")", Shape::Long};
    }

    Piece name(std::size_t index) {
        if (numbersPutIn()) {
            return {spelling_.values[index], Shape::Number};
        }
        const std::string& typed = spelling_.names[index];
        const bool single = lettersOf(typed).second == 1;
        return {nameText(typed, spelling_.style), single ? Shape::Letter : Shape::Long};
    }

    // A factor as it stands in a product.
    Piece piece(std::size_t index) {
        const Node& n = node(index);
        switch (n.operation) {
        case Operation::Number:
            return {print(index), Shape::Number};
        case Operation::Name:
            return name(n.name);
        case Operation::Pi:
            return {"π", Shape::Letter};
        case Operation::E:
            return {"e", Shape::Letter};
        case Operation::Power:
            return power(n.operands[0], n.operands[1], false);
        case Operation::Call:
            return call(n);
        case Operation::Sum:
        case Operation::Product:
            return {"(" + print(index) + ")", Shape::Parenthesised};
        }
        return {};
    }

    const std::vector<Node>& nodes_;
    const Spelling& spelling_;
};

// How the typed factor on one side of a multiplication sign meets the other.
enum class Edge { Number, Letter, Long, Group, Call, Root, Sign };

bool isSingleLetter(std::string_view name) {
    const auto [bytes, letters] = lettersOf(name);
    std::string_view rest = name.substr(bytes);
    if (rest.starts_with('_')) {
        rest.remove_prefix(1);
    }
    return letters == 1 &&
           std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether two factors read as a product side by side: 4m, πd², (a + b)c, 2√(L/g), 2sin(x); a
// number on the right, a long name or a function on either side keep their "·", and so does a
// letter before a parenthesis, which would read as a function.
bool sideBySide(Edge left, Edge right) {
    switch (right) {
    case Edge::Letter:
    case Edge::Root:
        return left == Edge::Number || left == Edge::Letter || left == Edge::Group;
    case Edge::Group:
        return left == Edge::Number || left == Edge::Group;
    case Edge::Call:
        return left == Edge::Number;
    default:
        return false;
    }
}

class TypedPrinter {
  public:
    TypedPrinter(std::span<const FormulaToken> tokens, Style style)
        : tokens_(tokens), style_(style), partner_(tokens.size(), 0),
          powerOf_(tokens.size(), noName) {
        std::vector<std::size_t> opens;
        for (std::size_t at = 0; at < tokens.size(); ++at) {
            if (tokens[at].kind == TokenKind::Open) {
                opens.push_back(at);
            } else if (tokens[at].kind == TokenKind::Close && !opens.empty()) {
                partner_[at] = opens.back();
                partner_[opens.back()] = at;
                opens.pop_back();
            }
        }
        for (std::size_t at = 0; at + 1 < tokens.size(); ++at) {
            if (tokens[at].kind == TokenKind::Power) {
                powerOf_[operandEnd(at + 1) - 1] = at;
            }
        }
    }

    std::string print(std::size_t from, std::size_t to) const {
        std::string text;
        for (std::size_t at = from; at < to; ++at) {
            text += piece(at);
        }
        return text;
    }

  private:
    bool html() const { return style_ == Style::Html; }

    // One past the operand that starts at `at`: its signs, then a number, name or constant, a
    // parenthesis with what it holds, or a function with its argument.
    std::size_t operandEnd(std::size_t at) const {
        while (at < tokens_.size() && tokens_[at].kind == TokenKind::Sign) {
            ++at;
        }
        if (at + 1 < tokens_.size() && tokens_[at].kind == TokenKind::Function) {
            ++at;
        }
        if (at < tokens_.size() && tokens_[at].kind == TokenKind::Open) {
            return partner_[at] + 1;
        }
        return at + 1;
    }

    // The exponent of the power at `at` as a superscript's digits, where it is a whole number.
    std::optional<std::string> wholeExponent(std::size_t at) const {
        std::string digits;
        std::size_t next = at + 1;
        if (tokens_[next].kind == TokenKind::Sign && tokens_[next].translated == "-") {
            digits = "-";
            ++next;
        }
        const std::string& text = tokens_[next].text;
        const bool whole =
            tokens_[next].kind == TokenKind::Number && next + 1 == operandEnd(at + 1) &&
            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        return whole ? std::optional(digits + text) : std::nullopt;
    }

    Edge edgeOfName(const std::string& name) const {
        return isSingleLetter(name) ? Edge::Letter : Edge::Long;
    }

    // The factor that ends at token `at`.
    Edge leftEdge(std::size_t at) const {
        if (const std::size_t power = powerOf_[at]; power != noName) {
            return wholeExponent(power) ? leftEdge(power - 1) : Edge::Long;
        }
        const FormulaToken& token = tokens_[at];
        switch (token.kind) {
        case TokenKind::Number:
            return Edge::Number;
        case TokenKind::Name:
            return edgeOfName(token.text);
        case TokenKind::Constant:
            return Edge::Letter;
        case TokenKind::Square:
            return leftEdge(at - 1);
        case TokenKind::Close: {
            const std::size_t open = partner_[at];
            return open > 0 && tokens_[open - 1].kind == TokenKind::Function ? Edge::Call
                                                                             : Edge::Group;
        }
        default:
            return Edge::Sign;
        }
    }

    // The factor that starts at token `at`.
    Edge rightEdge(std::size_t at) const {
        const FormulaToken& token = tokens_[at];
        switch (token.kind) {
        case TokenKind::Number:
            return Edge::Number;
        case TokenKind::Name:
            return edgeOfName(token.text);
        case TokenKind::Constant:
            return Edge::Letter;
        case TokenKind::Open:
            return Edge::Group;
        case TokenKind::Function:
            return token.text == "sqrt" ? Edge::Root : Edge::Call;
        default:
            return Edge::Sign;
        }
    }

    std::string number(const std::string& typed) const {
        const std::size_t e = typed.find_first_of("eE");
        if (e == std::string::npos) {
            return typed;
        }
        const int exponent = std::stoi(typed.substr(e + 1));
        return typed.substr(0, e) + "×10" + superscriptText(std::to_string(exponent), style_);
    }

    std::string function(const std::string& typed) const {
        if (typed == "sqrt") {
            return "√";
        }
        return typed.starts_with('a') && typed != "abs" ? "arc" + typed.substr(1) : typed;
    }

    std::string exponent(std::size_t power) const {
        if (const std::optional<std::string> whole = wholeExponent(power)) {
            return superscriptText(*whole, style_);
        }
        const std::size_t from = power + 1;
        const std::size_t to = operandEnd(from);
        if (!html()) {
            return "^" + print(from, to);
        }
        const bool grouped = tokens_[from].kind == TokenKind::Open && partner_[from] + 1 == to;
        return "<sup>" + (grouped ? print(from + 1, to - 1) : print(from, to)) + "</sup>";
    }

    // The text of the token at `at`; pieces that a token stands for as a whole (an exponent, the
    // argument of abs) are printed by it and skipped.
    std::string piece(std::size_t& at) const {
        const FormulaToken& token = tokens_[at];
        const bool minus = token.translated == "-";
        switch (token.kind) {
        case TokenKind::Number:
            return number(token.text);
        case TokenKind::Name:
            return nameText(token.text, style_);
        case TokenKind::Constant:
            return token.text == "e" ? "e" : "π";
        case TokenKind::Function:
            if (token.text == "abs") {
                const std::size_t close = partner_[at + 1];
                const std::string inside = print(at + 2, close);
                at = close;
                return "|" + inside + "|";
            }
            return function(token.text);
        case TokenKind::Sign:
            if (token.unary) {
                return minus ? std::string(minusSign) : "+";
            }
            return minus ? " " + std::string(minusSign) + " " : " + ";
        case TokenKind::Product:
            if (token.text == "/") {
                return "/";
            }
            return sideBySide(leftEdge(at - 1), rightEdge(at + 1)) ? "" : "·";
        case TokenKind::Power: {
            const std::string text = exponent(at);
            at = operandEnd(at + 1) - 1;
            return text;
        }
        case TokenKind::Square:
            return superscriptText(token.translated.substr(1), style_);
        case TokenKind::Open:
            return "(";
        case TokenKind::Close:
            return ")";
        case TokenKind::Equals:
            break;
        }
        return {};
    }

    std::span<const FormulaToken> tokens_;
    Style style_;
    // Each parenthesis's partner.
    std::vector<std::size_t> partner_;
    // For the last token of an exponent, its power sign.
    std::vector<std::size_t> powerOf_;
};

} // namespace

std::string typedFormulaText(std::span<const FormulaToken> tokens, Style style) {
    return TypedPrinter(tokens, style).print(0, tokens.size());
}

std::string nameText(std::string_view name, Style style) {
    const std::size_t letters = lettersOf(name).first;
    const std::string_view base = name.substr(0, letters);
    std::string_view subscript = name.substr(letters);
    if (subscript.starts_with('_')) {
        subscript.remove_prefix(1);
    }
    if (style == Style::Html) {
        return "<i>" + std::string(base) + "</i>" +
               (subscript.empty() ? "" : "<sub>" + std::string(subscript) + "</sub>");
    }
    const bool digits = std::all_of(subscript.begin(), subscript.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        return std::string(base) + subscriptDigits(subscript);
    }
    return std::string(base) + "_" + std::string(subscript);
}

std::string superscriptText(const std::string& exponent, Style style) {
    if (style == Style::Html) {
        std::string shown = exponent;
        if (shown.starts_with('-')) {
            shown.replace(0, 1, minusSign);
        }
        return "<sup>" + shown + "</sup>";
    }
    static constexpr std::string_view small[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text;
    for (const char c : exponent) {
        text += c == '-' ? std::string_view("⁻") : small[c - '0'];
    }
    return text;
}

std::string decimalText(const DecimalNumber& number, Style style) {
    const int leading = number.leadingPlace();
    if (number.isZero() || (leading > -5 && leading < 6)) {
        return plainText(number, std::min(number.exponent, 0));
    }
    DecimalNumber mantissa = number;
    mantissa.exponent -= leading;
    return plainText(mantissa, std::min(mantissa.exponent, 0)) + "×10" +
           superscriptText(std::to_string(leading), style);
}

std::string expressionText(const Expression& expression, const Spelling& spelling) {
    return Printer(expression, spelling).print(expression.rootIndex());
}

} // namespace tavrello::propagation
