// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/formula_text.h"

#include "analysis/series_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace tavrello::propagation {

namespace {

using Kind = TokenKind;
using Token = FormulaToken;

struct FunctionName {
    std::string_view typed;
    std::string_view radians;
    std::string_view degrees;
};

constexpr std::array<FunctionName, 11> functions = {{
    {"sqrt", "sqrt", "sqrt"},
    {"sin", "sin", "sind"},
    {"cos", "cos", "cosd"},
    {"tan", "tan", "tand"},
    {"asin", "asin", "asind"},
    {"acos", "acos", "acosd"},
    {"atan", "atan", "atand"},
    {"exp", "exp", "exp"},
    {"ln", "log", "log"},
    {"lg", "lg", "lg"},
    {"abs", "abs", "abs"},
}};

// Single characters and what they are: operators, and their Unicode and full-width twins.
struct Symbol {
    std::string_view typed;
    Kind kind;
    std::string_view translated;
};

constexpr std::array<Symbol, 14> symbols = {{
    {"+", Kind::Sign, "+"},
    {"-", Kind::Sign, "-"},
    {"\u2212", Kind::Sign, "-"},
    {"*", Kind::Product, "*"},
    {"\u00D7", Kind::Product, "*"},
    {"\u00B7", Kind::Product, "*"},
    {"/", Kind::Product, "/"},
    {"^", Kind::Power, "^"},
    {"\u00B2", Kind::Square, "^2"},
    {"\u00B3", Kind::Square, "^3"},
    {"(", Kind::Open, "("},
    {"\uFF08", Kind::Open, "("},
    {")", Kind::Close, ")"},
    {"\uFF09", Kind::Close, ")"},
}};

constexpr std::string_view pi = "\u03C0";

// The code point at the start of text, and its length in bytes (1 for a broken sequence).
std::pair<char32_t, std::size_t> codePoint(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length > text.size()) {
        return {0xFFFD, 1};
    }
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t at = 1; at < length; ++at) {
        code = (code << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
    }
    return {code, length};
}

bool isLatin(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Greek capitals and small letters, π left out: it is the constant.
bool isGreek(char32_t c) {
    return ((c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) || (c >= 0x03B1 && c <= 0x03C9)) &&
           c != 0x03C0;
}

bool isLetter(char32_t c) {
    return isLatin(c) || isGreek(c);
}

bool isDigit(char32_t c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == 0x3000;
}

const FunctionName* functionNamed(std::string_view name) {
    const auto found = std::find_if(functions.begin(), functions.end(),
                                    [name](const FunctionName& f) { return f.typed == name; });
    return found == functions.end() ? nullptr : &*found;
}

// A plain decimal as an exact fraction: "2.001" is (2001/1000), "2.998e8" is (2998*10^5).
std::string exactNumber(std::string_view text) {
    std::string digits;
    long exponent = 0;
    std::size_t at = 0;
    for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
        if (text[at] != '.') {
            digits += text[at];
        }
    }
    if (const std::size_t point = text.find('.'); point != std::string_view::npos) {
        exponent = -static_cast<long>(at - point - 1);
    }
    if (at < text.size()) {
        exponent += std::stol(std::string(text.substr(at + 1)));
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty()) {
        return "0";
    }
    if (exponent == 0) {
        return digits;
    }
    return "(" + digits + (exponent > 0 ? "*10^" : "/10^") + std::to_string(std::abs(exponent)) +
           ")";
}

class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // The tokens, or the first character that is none.
    Checked<std::vector<Token>> tokens() {
        std::vector<Token> tokens;
        while (at_ < text_.size()) {
            const auto [code, length] = codePoint(text_.substr(at_));
            if (isBlank(code)) {
                advance(length);
                continue;
            }
            const int column = column_;
            std::optional<Token> token = next(code, length);
            if (!token) {
                return Problem{"无法识别的字符。",
                               TextPlace{0, column, std::string(text_.substr(at_, length))}};
            }
            token->column = column;
            tokens.push_back(std::move(*token));
        }
        return tokens;
    }

    int endColumn() const { return column_; }

  private:
    void advance(std::size_t bytes) {
        at_ += bytes;
        ++column_;
    }

    // Takes code points while they satisfy the test; returns what they spell.
    template <typename Test> std::string take(Test test) {
        const std::size_t start = at_;
        while (at_ < text_.size()) {
            const auto [code, length] = codePoint(text_.substr(at_));
            if (!test(code)) {
                break;
            }
            advance(length);
        }
        return std::string(text_.substr(start, at_ - start));
    }

    std::optional<Token> next(char32_t code, std::size_t length) {
        const bool digitFollows =
            at_ + 1 < text_.size() && isDigit(static_cast<unsigned char>(text_[at_ + 1]));
        if (isDigit(code) || (code == '.' && digitFollows)) {
            return number();
        }
        if (text_.substr(at_).starts_with(pi)) {
            advance(length);
            return Token{Kind::Constant, std::string(pi), 0, "Pi"};
        }
        if (isLetter(code)) {
            return name();
        }
        if (code == '=') {
            advance(length);
            return Token{Kind::Equals, "=", 0, ""};
        }
        for (const Symbol& symbol : symbols) {
            if (text_.substr(at_).starts_with(symbol.typed)) {
                advance(length);
                return Token{symbol.kind, std::string(symbol.typed), 0,
                             std::string(symbol.translated)};
            }
        }
        return std::nullopt;
    }

    // digits [. digits] [e [+-] digits]; an "e" not followed by an exponent is left to be the
    // constant, so that "2e" reads as 2 and e (and is then refused for the missing operator).
    Token number() {
        std::string text = take(isDigit);
        if (at_ < text_.size() && text_[at_] == '.') {
            advance(1);
            text += "." + take(isDigit);
        }
        const std::string_view rest = text_.substr(at_);
        if (rest.size() >= 2 && (rest[0] == 'e' || rest[0] == 'E')) {
            const std::size_t sign = rest[1] == '+' || rest[1] == '-' ? 1 : 0;
            if (rest.size() > 1 + sign && isDigit(static_cast<unsigned char>(rest[1 + sign]))) {
                text += rest.substr(0, 1 + sign);
                advance(1 + sign);
                text += take(isDigit);
            }
        }
        return Token{Kind::Number, text, 0, ""};
    }

    Token name() {
        std::string text = take(isLetter);
        text += take(isDigit);
        while (at_ + 1 < text_.size() && text_[at_] == '_') {
            const auto [code, length] = codePoint(text_.substr(at_ + 1));
            if (!isLetter(code) && !isDigit(code)) {
                break;
            }
            advance(1);
            text += "_" + take([](char32_t c) { return isLetter(c) || isDigit(c); });
        }
        if (text == "pi") {
            return Token{Kind::Constant, text, 0, "Pi"};
        }
        if (text == "e") {
            return Token{Kind::Constant, text, 0, "exp(1)"};
        }
        if (functionNamed(text) != nullptr) {
            return Token{Kind::Function, text, 0, ""};
        }
        return Token{Kind::Name, text, 0, ""};
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int column_ = 1;
};

Problem at(const Token& token, std::string message) {
    return Problem{std::move(message), TextPlace{0, token.column, token.text}};
}

// Checks the right side token by token, as an alternation of operands and operators, and writes
// it for the library. A unary minus becomes "(-" closed after the one power term it stands
// before, since the library's own reading of "a*-b+c" and "x^-2*y" is not the usual one.
class RightSide {
  public:
    RightSide(std::vector<Token> tokens, Angle angle, int endColumn)
        : tokens_(std::move(tokens)), angle_(angle), endColumn_(endColumn) {}

    Checked<ScannedFormula> check(ScannedFormula formula) {
        if (tokens_.empty()) {
            return Problem{"等号右边没有公式。", TextPlace{0, endColumn_, ""}};
        }
        for (index_ = 0; index_ < tokens_.size(); ++index_) {
            const Token& token = tokens_[index_];
            if (std::optional<Problem> problem =
                    expectOperand_ ? operand(token, formula) : afterOperand(token)) {
                return *problem;
            }
        }
        if (expectOperand_) {
            return at(tokens_.back(), "公式在“" + tokens_.back().text + "”之后不完整。");
        }
        if (!opens_.empty()) {
            return at(tokens_[opens_.back()], "这个括号没有配对的右括号。");
        }
        formula.translated = std::move(out_);
        formula.tokens = std::move(tokens_);
        return formula;
    }

  private:
    std::optional<Problem> operand(const Token& token, ScannedFormula& formula) {
        switch (token.kind) {
        case Kind::Number:
            if (readValue(token.text).problem != ValueText::Problem::None) {
                return at(token, "数超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间。");
            }
            out_ += exactNumber(token.text);
            return completed();
        case Kind::Constant:
            out_ += token.translated;
            return completed();
        case Kind::Name:
            out_ += "v" + std::to_string(nameIndex(token, formula));
            return completed();
        case Kind::Function:
            return function(token);
        case Kind::Open:
            open();
            return std::nullopt;
        case Kind::Sign:
            // A unary plus changes nothing; a minus negates the power term after it.
            tokens_[index_].unary = true;
            if (token.translated == "-") {
                out_ += "(-";
                pending_.push_back(opens_.size());
            }
            return std::nullopt;
        case Kind::Close:
            return at(token, "“)”前缺少运算对象。");
        case Kind::Equals:
            return at(token, "公式中只能有一个等号。");
        default:
            return at(token, "“" + token.text + "”前缺少运算对象。");
        }
    }

    std::optional<Problem> afterOperand(const Token& token) {
        switch (token.kind) {
        case Kind::Sign:
        case Kind::Product:
            out_ += token.translated;
            powered_ = false;
            expectOperand_ = true;
            return std::nullopt;
        case Kind::Power:
        case Kind::Square:
            if (powered_) {
                return at(token, "连续乘方有歧义，请加括号，如 a^(b^c)。");
            }
            powered_ = true;
            out_ += token.translated;
            expectOperand_ = token.kind == Kind::Power;
            return token.kind == Kind::Square ? completed() : std::nullopt;
        case Kind::Close:
            if (opens_.empty()) {
                return at(token, "多余的右括号。");
            }
            opens_.pop_back();
            out_ += ")";
            powered_ = poweredOutside_.back();
            poweredOutside_.pop_back();
            return completed();
        case Kind::Equals:
            return at(token, "公式中只能有一个等号。");
        default:
            return at(token, "“" + token.text + "”前缺少运算符（乘号请写 *）。");
        }
    }

    std::optional<Problem> function(const Token& token) {
        if (index_ + 1 >= tokens_.size() || tokens_[index_ + 1].kind != Kind::Open) {
            return at(token, "函数 " + token.text + " 后面应有括号，如 " + token.text + "(x)。");
        }
        const FunctionName* name = functionNamed(token.text);
        out_ += angle_ == Angle::Degrees ? name->degrees : name->radians;
        return std::nullopt;
    }

    void open() {
        out_ += "(";
        opens_.push_back(index_);
        poweredOutside_.push_back(powered_);
        powered_ = false;
    }

    // An operand is complete: unless a power follows, close the unary minus signs that wait for
    // this level of parentheses.
    std::optional<Problem> completed() {
        expectOperand_ = false;
        const bool powerFollows =
            index_ + 1 < tokens_.size() &&
            (tokens_[index_ + 1].kind == Kind::Power || tokens_[index_ + 1].kind == Kind::Square);
        if (!powerFollows) {
            while (!pending_.empty() && pending_.back() == opens_.size()) {
                out_ += ")";
                pending_.pop_back();
            }
        }
        // A name followed by "(" is a function the program does not know.
        const Token& token = tokens_[index_];
        if (token.kind == Kind::Name && index_ + 1 < tokens_.size() &&
            tokens_[index_ + 1].kind == Kind::Open) {
            return at(token, "没有名为 " + token.text + " 的函数；可用的函数有 " + functionList() +
                                 "。若是相乘，请写 *。");
        }
        return std::nullopt;
    }

    static std::size_t nameIndex(const Token& token, ScannedFormula& formula) {
        const auto found = std::find(formula.names.begin(), formula.names.end(), token.text);
        if (found != formula.names.end()) {
            return static_cast<std::size_t>(found - formula.names.begin());
        }
        formula.names.push_back(token.text);
        formula.columns.push_back(token.column);
        return formula.names.size() - 1;
    }

    std::vector<Token> tokens_;
    Angle angle_;
    int endColumn_;
    std::size_t index_ = 0;
    bool expectOperand_ = true;
    // Whether the current power term already has its exponent.
    bool powered_ = false;
    std::vector<bool> poweredOutside_;
    // The open parentheses, by token index.
    std::vector<std::size_t> opens_;
    // The unary minus signs waiting to be closed, by the depth of parentheses they stand at.
    std::vector<std::size_t> pending_;
    std::string out_;
};

} // namespace

Problem placedOnLine(Problem problem, int line, int columnOffset) {
    if (problem.place) {
        problem.place->line = line;
        problem.place->column += columnOffset;
    }
    return problem;
}

std::string Problem::text() const {
    if (!place) {
        return message;
    }
    std::string where = place->line > 0 ? "第 " + std::to_string(place->line) + " 行" : "";
    where += "第 " + std::to_string(place->column) + " 个字符";
    if (!place->piece.empty()) {
        where += "“" + place->piece + "”";
    }
    return where + "：" + message;
}

std::string functionList() {
    std::string list;
    for (const FunctionName& function : functions) {
        list += (list.empty() ? "" : "、") + std::string(function.typed);
    }
    return list;
}

bool isQuantityName(std::string_view text) {
    Scanner scanner(text);
    const Checked<std::vector<Token>> tokens = scanner.tokens();
    return tokens && tokens.value().size() == 1 && tokens.value()[0].kind == Kind::Name;
}

Checked<ScannedFormula> scanFormula(std::string_view text, Angle angle) {
    Scanner scanner(text);
    Checked<std::vector<Token>> scanned = scanner.tokens();
    if (!scanned) {
        return scanned.problem();
    }
    std::vector<Token> tokens = std::move(scanned).value();
    if (tokens.empty()) {
        return Problem{"公式为空。", std::nullopt};
    }
    ScannedFormula formula;
    formula.symbol = "y";
    const auto equals = std::find_if(tokens.begin(), tokens.end(),
                                     [](const Token& token) { return token.kind == Kind::Equals; });
    if (equals != tokens.end()) {
        const std::ptrdiff_t left = equals - tokens.begin();
        if (left != 1 || tokens[0].kind != Kind::Name) {
            return at(left == 0 ? *equals : tokens[0],
                      "等号左边应是所求量的符号，如 ρ = 4*m/(π*d^2*h)。");
        }
        formula.symbol = tokens[0].text;
        tokens.erase(tokens.begin(), equals + 1);
    }
    Checked<ScannedFormula> checked =
        RightSide(tokens, angle, scanner.endColumn()).check(std::move(formula));
    if (checked) {
        const ScannedFormula& done = checked.value();
        if (std::find(done.names.begin(), done.names.end(), done.symbol) != done.names.end()) {
            return Problem{"所求量 " + done.symbol + " 不能同时出现在等号右边。",
                           TextPlace{0, 1, done.symbol}};
        }
    }
    return checked;
}

} // namespace tavrello::propagation
