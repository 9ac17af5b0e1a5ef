// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/report.h"
#include "analysis/series_text.h"
#include "propagation/task.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace tavrello::propagation {

namespace {

struct Word {
    std::string_view text;
    std::size_t offset = 0;
};

// A keyword and its English twin.
struct Twin {
    std::string_view chinese;
    std::string_view english;

    bool matches(std::string_view word) const { return word == chinese || word == english; }
};

constexpr Twin modelWord{"模型", "model"};
constexpr Twin correlationWord{"相关", "correlation"};
constexpr Twin settingsWord{"设置", "settings"};

enum class Field { Allowance, Distribution, Uncertainty, Dof, Unit };
struct FieldWord {
    Field field;
    Twin word;
};
constexpr std::array<FieldWord, 5> fieldWords = {{{Field::Allowance, {"仪器允差", "allowance"}},
                                                  {Field::Distribution, {"分布", "distribution"}},
                                                  {Field::Uncertainty, {"不确定度", "uncertainty"}},
                                                  {Field::Dof, {"自由度", "dof"}},
                                                  {Field::Unit, {"单位", "unit"}}}};

std::vector<Field> fieldsOf(InputKind kind) {
    switch (kind) {
    case InputKind::Series:
        return {Field::Allowance, Field::Unit};
    case InputKind::Single:
        return {Field::Allowance, Field::Distribution, Field::Unit};
    case InputKind::Known:
        return {Field::Uncertainty, Field::Dof, Field::Unit};
    case InputKind::Constant:
        return {Field::Unit};
    }
    return {};
}

std::string_view fieldName(Field field) {
    for (const FieldWord& word : fieldWords) {
        if (word.field == field) {
            return word.word.chinese;
        }
    }
    return {};
}

std::optional<Field> fieldOf(std::string_view text) {
    for (const FieldWord& word : fieldWords) {
        if (word.word.matches(text)) {
            return word.field;
        }
    }
    return std::nullopt;
}

// The settings' keys, in the order they are written.
enum class Key { Confidence, Coverage, Rounding, Criterion, Alpha, Digits, Angle, Draws, Seed };
struct KeyWord {
    Key key;
    Twin word;
};
constexpr std::array<KeyWord, 9> keyWords = {{{Key::Confidence, {"置信概率", "confidence"}},
                                              {Key::Coverage, {"包含因子", "coverage"}},
                                              {Key::Rounding, {"修约", "rounding"}},
                                              {Key::Criterion, {"判别准则", "criterion"}},
                                              {Key::Alpha, {"显著性水平", "alpha"}},
                                              {Key::Digits, {"有效位数", "digits"}},
                                              {Key::Angle, {"角度", "angle"}},
                                              {Key::Draws, {"抽样次数", "draws"}},
                                              {Key::Seed, {"种子", "seed"}}}};

constexpr std::array<std::pair<Rounding, Twin>, 2> roundingWords = {
    {{Rounding::HalfEven, {"四舍六入五成双", "even"}}, {Rounding::Up, {"只进不舍", "up"}}}};
constexpr std::array<std::pair<Angle, Twin>, 2> angleWords = {
    {{Angle::Radians, {"弧度", "rad"}}, {Angle::Degrees, {"度", "deg"}}}};

template <typename Choice, std::size_t size>
std::optional<Choice> choiceOf(const std::array<std::pair<Choice, Twin>, size>& words,
                               std::string_view text) {
    for (const auto& [choice, word] : words) {
        if (word.matches(text)) {
            return choice;
        }
    }
    return std::nullopt;
}

template <typename Choice, std::size_t size>
std::string_view nameOf(const std::array<std::pair<Choice, Twin>, size>& words, Choice choice) {
    for (const auto& [each, word] : words) {
        if (each == choice) {
            return word.chinese;
        }
    }
    return {};
}

std::optional<Criterion> criterionOf(std::string_view text) {
    for (const Criterion criterion : allCriteria) {
        if (text == criterionShortName(criterion)) {
            return criterion;
        }
    }
    return criterionFromKey(text);
}

std::optional<std::uint64_t> wholeNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::string_view alphaText(double alpha) {
    for (const std::string_view key : alphaKeys) {
        if (alphaFromKey(key) == alpha) {
            return key;
        }
    }
    return alphaKeys[0];
}

std::size_t blankAt(std::string_view text, std::size_t at) {
    if (text[at] == ' ' || text[at] == '\t' || text[at] == '\r') {
        return 1;
    }
    return text.substr(at).starts_with("\u3000") ? 3 : 0;
}

std::vector<Word> wordsOf(std::string_view line, std::size_t from) {
    std::vector<Word> words;
    std::size_t start = from;
    const auto close = [&](std::size_t end) {
        if (end > start) {
            words.push_back({line.substr(start, end - start), start});
        }
    };
    for (std::size_t at = from; at < line.size();) {
        if (const std::size_t length = blankAt(line, at)) {
            close(at);
            at += length;
            start = at;
        } else {
            ++at;
        }
    }
    close(line.size());
    return words;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && blankAt(text, 0) > 0) {
        text.remove_prefix(blankAt(text, 0));
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    while (text.ends_with("\u3000")) {
        text.remove_suffix(3);
        text = trimmed(text);
    }
    return text;
}

// Characters before the byte offset, plus one.
int columnAt(std::string_view line, std::size_t offset) {
    int column = 1;
    for (std::size_t at = 0; at < offset && at < line.size(); ++at) {
        column += (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80;
    }
    return column;
}

// Reads one line into the task; the line's number for its places.
class LineReader {
  public:
    LineReader(std::string_view line, int number, ReadTask& read)
        : line_(line), number_(number), read_(read) {}

    std::optional<Problem> statement() {
        const std::vector<Word> words = wordsOf(line_, 0);
        if (words.empty()) {
            return std::nullopt;
        }
        const Word& keyword = words[0];
        const std::size_t rest = keyword.offset + keyword.text.size();
        if (modelWord.matches(keyword.text)) {
            return model(keyword, rest);
        }
        for (const InputKind kind : allInputKinds) {
            if (keyword.text == kindName(kind) || keyword.text == kindKey(kind)) {
                return input(kind, keyword, rest);
            }
        }
        if (correlationWord.matches(keyword.text)) {
            return correlation(keyword, {words.begin() + 1, words.end()});
        }
        if (settingsWord.matches(keyword.text)) {
            return settings({words.begin() + 1, words.end()});
        }
        return at(keyword, "无法识别的语句。每行应以 模型、测量列、单次测量、已知、常数、相关 或 "
                           "设置 开头。");
    }

  private:
    Problem at(const Word& word, std::string message) const {
        return Problem{std::move(message),
                       TextPlace{number_, columnAt(line_, word.offset), std::string(word.text)}};
    }
    Problem atEnd(std::string message) const {
        return Problem{std::move(message), TextPlace{number_, columnAt(line_, line_.size()), ""}};
    }

    // Splits off a trailing unit: the text after the first word "单位"/"unit".
    std::pair<std::size_t, std::string> unitFrom(std::size_t from) const {
        for (const Word& word : wordsOf(line_, from)) {
            if (fieldOf(word.text) == Field::Unit) {
                return {word.offset,
                        std::string(trimmed(line_.substr(word.offset + word.text.size())))};
            }
        }
        return {line_.size(), ""};
    }

    std::optional<Problem> model(const Word& keyword, std::size_t rest) {
        if (read_.lines.model > 0) {
            return at(keyword, "模型已在第 " + std::to_string(read_.lines.model) + " 行给出。");
        }
        const auto [end, unit] = unitFrom(rest);
        const std::string_view formula = trimmed(line_.substr(rest, end - rest));
        if (formula.empty()) {
            return at(keyword, "模型后缺少公式，如 模型 ρ = 4*m/(π*d^2*h)。");
        }
        read_.task.model = std::string(formula);
        read_.task.unit = unit;
        read_.lines.model = number_;
        read_.lines.modelColumn =
            columnAt(line_, static_cast<std::size_t>(formula.data() - line_.data()));
        return std::nullopt;
    }

    std::optional<Problem> name(const Word& keyword, std::size_t rest, std::size_t equals,
                                std::string& out) const {
        if (equals == std::string_view::npos) {
            return at(keyword, "缺少“=”：应写作 " + std::string(keyword.text) + " 名称 = 值。");
        }
        const std::string_view text = trimmed(line_.substr(rest, equals - rest));
        const Word word{text.empty() ? line_.substr(equals, 1) : text,
                        text.empty() ? equals
                                     : static_cast<std::size_t>(text.data() - line_.data())};
        if (!isQuantityName(text)) {
            return at(word, "不是合法的量的符号：应以拉丁或希腊字母开头，可带数字或下划线部分，"
                            "如 d1、d_2、θ。");
        }
        for (std::size_t index = 0; index < read_.task.inputs.size(); ++index) {
            if (read_.task.inputs[index].name == text) {
                return at(word, "量 " + std::string(text) + " 已在第 " +
                                    std::to_string(read_.lines.inputs[index]) + " 行给出。");
            }
        }
        out = std::string(text);
        return std::nullopt;
    }

    std::optional<Problem> number(const Word& word, std::string_view what) const {
        const ValueText value = readValue(word.text);
        if (value.problem == ValueText::Problem::NotANumber) {
            return at(word, std::string(what) + "不是一个数。");
        }
        if (value.problem == ValueText::Problem::OutOfRange) {
            return at(word,
                      std::string(what) + "超出了范围：应为 0，或绝对值在 1e-100 到 1e100 之间。");
        }
        return std::nullopt;
    }

    std::optional<Problem> readings(const std::vector<Word>& words, std::size_t count,
                                    StatedInput& stated) const {
        if (count == 0) {
            return atEnd("测量列 " + stated.name + " 没有读数。");
        }
        const std::size_t start = words[0].offset;
        const std::size_t end = words[count - 1].offset + words[count - 1].text.size();
        const SeriesText series = splitSeries(line_.substr(start, end - start));
        if (series.refused()) {
            return at(words[0], refusalText(series, "读数"));
        }
        std::size_t from = start;
        for (const SeriesPiece& piece :
             series.notANumber ? std::vector<SeriesPiece>{*series.notANumber} : series.pieces) {
            const std::size_t offset = line_.find(piece.text, from);
            const Word word{line_.substr(offset, piece.text.size()), offset};
            if (std::optional<Problem> problem = number(word, "读数")) {
                return problem;
            }
            from = offset + piece.text.size();
            stated.readings.push_back(piece.text);
        }
        return std::nullopt;
    }

    std::optional<Problem> fieldValue(Field field, const Word& word, StatedInput& stated) const {
        switch (field) {
        case Field::Allowance:
            stated.allowance = word.text;
            return number(word, "仪器允差");
        case Field::Uncertainty:
            stated.uncertainty = word.text;
            return number(word, "标准不确定度");
        case Field::Dof:
            stated.dof = word.text;
            return word.text == "∞" ? std::nullopt : number(word, "自由度");
        case Field::Distribution:
            for (const Distribution distribution : allDistributions) {
                if (word.text == distributionName(distribution) ||
                    word.text == distributionKey(distribution)) {
                    stated.distribution = distribution;
                    return std::nullopt;
                }
            }
            return at(word, "无法识别的分布：应为 均匀、三角、反正弦 或 正态。");
        case Field::Unit:
            break;
        }
        return std::nullopt;
    }

    std::optional<Problem> input(InputKind kind, const Word& keyword, std::size_t rest) {
        StatedInput stated;
        stated.kind = kind;
        const std::size_t equals = line_.find('=', rest);
        if (std::optional<Problem> problem = name(keyword, rest, equals, stated.name)) {
            return problem;
        }
        const auto [end, unit] = unitFrom(equals + 1);
        stated.unit = unit;
        const std::vector<Word> words = wordsOf(line_.substr(0, end), equals + 1);
        const auto firstField = std::find_if(words.begin(), words.end(), [](const Word& word) {
            return fieldOf(word.text).has_value();
        });
        const auto values = static_cast<std::size_t>(firstField - words.begin());
        if (kind == InputKind::Series) {
            if (std::optional<Problem> problem = readings(words, values, stated)) {
                return problem;
            }
        } else if (values == 0) {
            return atEnd(std::string(kindName(kind)) + " " + stated.name + " 缺少值。");
        } else if (values > 1) {
            return at(words[1], "多余的内容：" + std::string(kindName(kind)) + "只有一个值。");
        } else {
            stated.value = words[0].text;
            if (std::optional<Problem> problem = number(words[0], "值")) {
                return problem;
            }
        }
        if (std::optional<Problem> problem = fields(kind, {firstField, words.end()}, stated)) {
            return problem;
        }
        read_.task.inputs.push_back(std::move(stated));
        read_.lines.inputs.push_back(number_);
        return std::nullopt;
    }

    std::optional<Problem> fields(InputKind kind, std::span<const Word> words,
                                  StatedInput& stated) {
        const std::vector<Field> allowed = fieldsOf(kind);
        std::vector<Field> seen;
        for (std::size_t at = 0; at < words.size(); at += 2) {
            const std::optional<Field> field = fieldOf(words[at].text);
            if (!field) {
                return this->at(words[at], "无法识别的内容。");
            }
            if (std::find(allowed.begin(), allowed.end(), *field) == allowed.end()) {
                return this->at(words[at], std::string(kindName(kind)) + "不用“" +
                                               std::string(fieldName(*field)) + "”。");
            }
            if (std::find(seen.begin(), seen.end(), *field) != seen.end()) {
                return this->at(words[at], "重复给出了“" + std::string(fieldName(*field)) + "”。");
            }
            seen.push_back(*field);
            if (at + 1 >= words.size()) {
                return this->at(words[at], "“" + std::string(fieldName(*field)) + "”后缺少值。");
            }
            if (std::optional<Problem> problem = fieldValue(*field, words[at + 1], stated)) {
                return problem;
            }
        }
        const auto lacks = [&seen](Field field) {
            return std::find(seen.begin(), seen.end(), field) == seen.end();
        };
        if (kind == InputKind::Single && lacks(Field::Allowance)) {
            return atEnd("单次测量 " + stated.name + " 缺少仪器允差，如 仪器允差 0.02。");
        }
        if (kind == InputKind::Known && lacks(Field::Uncertainty)) {
            return atEnd("已知 " + stated.name + " 缺少标准不确定度，如 不确定度 0.002。");
        }
        return std::nullopt;
    }

    std::optional<Problem> correlation(const Word& keyword, std::span<const Word> words) {
        if (words.size() != 3) {
            return at(keyword, "相关应写作 相关 名称1 名称2 相关系数，如 相关 d h 0.3。");
        }
        for (const Word& name : words.first(2)) {
            if (!isQuantityName(name.text)) {
                return at(name, "不是合法的量的符号。");
            }
        }
        if (words[0].text == words[1].text) {
            return at(words[1], "一个量与自身的相关系数恒为 1，不必给出。");
        }
        if (std::optional<Problem> problem = number(words[2], "相关系数")) {
            return problem;
        }
        if (const double r = readValue(words[2].text).value; r < -1 || r > 1) {
            return at(words[2], "相关系数应在 −1 到 1 之间。");
        }
        for (const StatedCorrelation& earlier : read_.task.correlations) {
            const bool same = (earlier.first == words[0].text && earlier.second == words[1].text) ||
                              (earlier.first == words[1].text && earlier.second == words[0].text);
            if (same) {
                return at(words[0], "这两个量的相关系数已经给出。");
            }
        }
        read_.task.correlations.push_back(
            {std::string(words[0].text), std::string(words[1].text), std::string(words[2].text)});
        read_.lines.correlations.push_back(number_);
        return std::nullopt;
    }

    std::optional<Problem> settings(std::span<const Word> words) {
        for (std::size_t at = 0; at < words.size(); at += 2) {
            const auto known =
                std::find_if(keyWords.begin(), keyWords.end(),
                             [&](const KeyWord& k) { return k.word.matches(words[at].text); });
            if (known == keyWords.end()) {
                return this->at(words[at], "无法识别的设置。");
            }
            if (at + 1 >= words.size()) {
                return this->at(words[at], "设置后缺少值。");
            }
            if (std::optional<Problem> problem =
                    applySetting(read_.task.settings, words[at].text, words[at + 1].text)) {
                return this->at(words[at + 1], problem->message);
            }
        }
        return std::nullopt;
    }

    std::string_view line_;
    int number_;
    ReadTask& read_;
};

std::string settingValue(const TaskSettings& settings, Key key) {
    const Settings& judgement = settings.judgement;
    switch (key) {
    case Key::Confidence:
        return std::string(confidenceKey(judgement.confidence));
    case Key::Coverage:
        return std::string(coverageKey(judgement.coverage));
    case Key::Rounding:
        return std::string(nameOf(roundingWords, judgement.rounding));
    case Key::Criterion:
        return std::string(criterionKey(judgement.criterion));
    case Key::Alpha:
        return std::string(alphaText(judgement.alpha));
    case Key::Digits:
        return std::to_string(judgement.digits);
    case Key::Angle:
        return std::string(nameOf(angleWords, settings.angle));
    case Key::Draws:
        return std::to_string(settings.draws);
    case Key::Seed:
        return std::to_string(settings.seed);
    }
    return {};
}

} // namespace

std::optional<Problem> applySetting(TaskSettings& settings, std::string_view key,
                                    std::string_view value) {
    const auto known = std::find_if(keyWords.begin(), keyWords.end(),
                                    [key](const KeyWord& k) { return k.word.matches(key); });
    if (known == keyWords.end()) {
        return Problem{"无法识别的设置“" + quotedPiece(key) + "”。", std::nullopt};
    }
    const std::string name(known->word.chinese);
    const auto refused = [&](const std::string& expected) {
        return Problem{name + "“" + quotedPiece(value) + "”无效：应为 " + expected + "。",
                       std::nullopt};
    };
    Settings& judgement = settings.judgement;
    switch (known->key) {
    case Key::Confidence:
        if (const auto confidence = confidenceFromKey(value)) {
            judgement.confidence = *confidence;
            return std::nullopt;
        }
        return refused("68.27、95、99 或 99.73");
    case Key::Coverage:
        if (const auto coverage = coverageFromKey(value)) {
            judgement.coverage = *coverage;
            return std::nullopt;
        }
        return refused("t、1、2 或 3");
    case Key::Rounding:
        if (const auto rounding = choiceOf(roundingWords, value)) {
            judgement.rounding = *rounding;
            return std::nullopt;
        }
        return refused("四舍六入五成双（even）或 只进不舍（up）");
    case Key::Criterion:
        if (const auto criterion = criterionOf(value)) {
            judgement.criterion = *criterion;
            return std::nullopt;
        }
        return refused("pauta、grubbs、romanovsky 或 chauvenet");
    case Key::Alpha:
        if (const auto alpha = alphaFromKey(value)) {
            judgement.alpha = *alpha;
            return std::nullopt;
        }
        return refused("0.05 或 0.01");
    case Key::Digits:
        if (value == "1" || value == "2") {
            judgement.digits = value[0] - '0';
            return std::nullopt;
        }
        return refused("1 或 2");
    case Key::Angle:
        if (const auto angle = choiceOf(angleWords, value)) {
            settings.angle = *angle;
            return std::nullopt;
        }
        return refused("弧度（rad）或 度（deg）");
    case Key::Draws:
        if (const auto draws = wholeNumber(value);
            draws && *draws >= fewestDraws && *draws <= mostDraws) {
            settings.draws = *draws;
            return std::nullopt;
        }
        return refused("10000 到 10000000 之间的整数");
    case Key::Seed:
        if (const auto seed = wholeNumber(value)) {
            settings.seed = *seed;
            return std::nullopt;
        }
        return refused("0 到 18446744073709551615 之间的整数");
    }
    return std::nullopt;
}

Checked<ReadTask> readTask(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    ReadTask read;
    int number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        line = line.substr(0, std::min(line.find('#'), line.size()));
        if (std::optional<Problem> problem = LineReader(line, ++number, read).statement()) {
            return *problem;
        }
        start = end + 1;
    }
    if (read.lines.model == 0) {
        return Problem{"任务中没有模型：应有一行 模型 ρ = 4*m/(π*d^2*h) 这样的语句。",
                       std::nullopt};
    }
    return read;
}

std::string writeTask(const Task& task) {
    std::string text = std::string(modelWord.chinese) + " " + task.model;
    const auto unit = [](const std::string& unit) {
        return unit.empty() ? std::string() : " 单位 " + unit;
    };
    text += unit(task.unit) + "\n";
    for (const StatedInput& input : task.inputs) {
        text += std::string(kindName(input.kind)) + " " + input.name + " =";
        for (const std::string& reading : input.readings) {
            text += " " + reading;
        }
        if (input.kind != InputKind::Series) {
            text += " " + input.value;
        }
        const auto field = [&text](Field field, const std::string& value) {
            if (!value.empty()) {
                text += " " + std::string(fieldName(field)) + " " + value;
            }
        };
        field(Field::Allowance, input.allowance);
        if (input.kind == InputKind::Single) {
            field(Field::Distribution, std::string(distributionName(input.distribution)));
        }
        field(Field::Uncertainty, input.uncertainty);
        field(Field::Dof, input.dof);
        text += unit(input.unit) + "\n";
    }
    for (const StatedCorrelation& r : task.correlations) {
        text += std::string(correlationWord.chinese) + " " + r.first + " " + r.second + " " +
                r.coefficient + "\n";
    }
    text += settingsWord.chinese;
    for (const KeyWord& key : keyWords) {
        text += " " + std::string(key.word.chinese) + " " + settingValue(task.settings, key.key);
    }
    return text + "\n";
}

} // namespace tavrello::propagation
