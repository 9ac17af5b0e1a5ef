// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/input_rows.h"

#include "analysis/report.h"
#include "analysis/series_text.h"
#include "propagation/notation.h"
#include "window/reports/report_files.h"
#include "window/result_window/choice_box.h"
#include "window/widgets/input_box.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace tavrello {

using propagation::Checked;
using propagation::Distribution;
using propagation::InputKind;
using propagation::Problem;
using propagation::StatedInput;

namespace {

// The fields of a row after its name and kind, in their order.
enum class Field { Values, Allowance, Distribution, Uncertainty, Dof, Unit };

struct FieldWords {
    Field field;
    // Names the field with its input's name: "values:d".
    const char* key;
    const char* header;
    // What a screen reader hears after the input's name.
    const char* spoken;
    // The widest text it is made for, in characters; 0 for as wide as there is room.
    int width;
};

constexpr FieldWords fieldWords[] = {
    {Field::Values, "values", "读数或值", "的读数或值", 0},
    {Field::Allowance, "allowance", "Δ_仪", "的仪器允差 Δ_仪", 8},
    {Field::Distribution, "distribution", "分布", "的分布", 6},
    {Field::Uncertainty, "u", "u", "的标准不确定度 u", 8},
    {Field::Dof, "nu", "ν", "的自由度 ν", 4},
    {Field::Unit, "unit", "单位", "的单位", 6},
};

bool uses(InputKind kind, Field field) {
    switch (field) {
    case Field::Values:
    case Field::Unit:
        return true;
    case Field::Allowance:
        return kind == InputKind::Series || kind == InputKind::Single;
    case Field::Distribution:
        return kind == InputKind::Single;
    case Field::Uncertainty:
    case Field::Dof:
        return kind == InputKind::Known;
    }
    return false;
}

QString valuesPlaceholder(InputKind kind) {
    switch (kind) {
    case InputKind::Series:
        return "各次读数，可粘贴一列或一行";
    case InputKind::Single:
        return "读数";
    case InputKind::Known:
        return "估计值";
    case InputKind::Constant:
        return "值";
    }
    return {};
}

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString trimmed(const QLineEdit* field) {
    return field->text().trimmed();
}

// "52.50（第 4 个）、52.61（第 9 个）".
QString removedText(const Analysis& series) {
    QStringList removed;
    for (const int position : series.chosen().removed) {
        removed.append(
            QString("%1（第 %2 个）").arg(text(series.readings[position - 1].text)).arg(position));
    }
    return removed.isEmpty() ? "未剔除读数" : "剔除 " + removed.join("、");
}

QString number(double value) {
    return text(sentenceNumber(value));
}

// What the evaluated input adds to what the row shows.
QString outcomeOf(const propagation::Input& input) {
    const StatedInput& stated = input.stated;
    switch (stated.kind) {
    case InputKind::Series: {
        const UncertaintyResult& result = input.series->result;
        QString line = QString("n = %1，x̄ = %2，u_A = %3")
                           .arg(result.n)
                           .arg(text(input.estimateText), number(result.uA));
        if (input.allowance) {
            line += "，u_B = " + number(result.uB) + "，u = " + number(input.u);
        }
        return line + "，ν = " + (input.nu ? number(*input.nu) : "∞") + "；" +
               removedText(*input.series);
    }
    case InputKind::Single:
        return "u = Δ_仪/" + text(propagation::divisorText(stated.distribution)) + " = " +
               number(input.u);
    default:
        return {};
    }
}

} // namespace

struct InputRows::Row {
    std::string name;
    bool used = true;
    QLabel* label;
    ChoiceBox* kind;
    InputBox* values;
    QLineEdit* allowance;
    ChoiceBox* distribution;
    QLineEdit* uncertainty;
    QLineEdit* dof;
    QLineEdit* unit;
    QPushButton* remove;
    QLabel* outcome;

    QWidget* field(Field which) const {
        switch (which) {
        case Field::Values:
            return values;
        case Field::Allowance:
            return allowance;
        case Field::Distribution:
            return distribution;
        case Field::Uncertainty:
            return uncertainty;
        case Field::Dof:
            return dof;
        case Field::Unit:
            return unit;
        }
        return nullptr;
    }
    std::vector<QLineEdit*> texts() const { return {values, allowance, uncertainty, dof, unit}; }
    InputKind kindPicked() const {
        return propagation::allInputKinds[static_cast<std::size_t>(kind->currentIndex())];
    }
    bool holdsAnything() const {
        return std::ranges::any_of(texts(),
                                   [](const QLineEdit* f) { return !trimmed(f).isEmpty(); });
    }
    ~Row() {
        for (QWidget* widget :
             std::initializer_list<QWidget*>{label, kind, values, allowance, distribution,
                                             uncertainty, dof, unit, remove, outcome}) {
            delete widget;
        }
    }
};

InputRows::InputRows(QWidget* parent) : QWidget(parent) {
    for (const char* header : {"量", "类型"}) {
        headers_.push_back(new QLabel(header, this));
    }
    for (const FieldWords& words : fieldWords) {
        headers_.push_back(new QLabel(words.header, this));
    }
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    // A scroll area learns of its widget's least size only from the widget's own.
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    arrange();
}

InputRows::~InputRows() = default;

InputRows::Row& InputRows::addRow(const std::string& name) {
    auto row = std::make_unique<Row>();
    Row& made = *row;
    made.name = name;
    const QString who = text(name);
    made.label = new QLabel(text(propagation::nameText(name, propagation::Style::Html)), this);
    made.label->setAccessibleName("输入量 " + who);
    QList<std::pair<QString, QVariant>> kinds;
    for (const InputKind kind : propagation::allInputKinds) {
        // The file's short keyword says less in a list than the course's name.
        kinds.append({kind == InputKind::Known ? "已知不确定度" : text(propagation::kindName(kind)),
                      text(propagation::kindKey(kind))});
    }
    made.kind = new ChoiceBox(kinds, this);
    made.kind->nameWithoutCaption(who + "的类型");
    made.kind->setObjectName("kind:" + who);
    QList<std::pair<QString, QVariant>> laws;
    for (const Distribution law : propagation::allDistributions) {
        laws.append(
            {text(propagation::distributionName(law)), text(propagation::distributionKey(law))});
    }
    made.distribution = new ChoiceBox(laws, this);
    made.values = new InputBox(this);
    made.allowance = new ReadableLineEdit(this);
    made.uncertainty = new ReadableLineEdit(this);
    made.dof = new ReadableLineEdit(this);
    made.dof->setPlaceholderText("∞");
    made.unit = new ReadableLineEdit(this);
    const int character = fontMetrics().averageCharWidth();
    for (const FieldWords& words : fieldWords) {
        QWidget* field = made.field(words.field);
        if (field == made.distribution) {
            made.distribution->nameWithoutCaption(who + words.spoken);
        } else {
            field->setAccessibleName(who + words.spoken);
        }
        field->setObjectName(QString(words.key) + ":" + who);
        if (words.width > 0) {
            field->setFixedWidth(character * words.width + 12);
        }
    }
    made.kind->setFixedWidth(character * 10 + 30);
    made.values->setMinimumWidth(character * 16);
    made.remove = new QPushButton("移除", this);
    made.remove->setAutoDefault(false);
    made.remove->setAccessibleName("移除输入量 " + who);
    made.remove->setObjectName("remove:" + who);
    made.outcome = new QLabel(this);
    made.outcome->setObjectName("outcome:" + who);
    made.outcome->hide();
    for (QLineEdit* field : made.texts()) {
        connect(field, &QLineEdit::textChanged, this, &InputRows::edited);
    }
    connect(made.kind, &QComboBox::currentIndexChanged, this, [this, &made] { kindPicked(made); });
    connect(made.distribution, &QComboBox::currentIndexChanged, this, &InputRows::edited);
    connect(made.values, &InputBox::pasteRequested, this, [this, &made] { paste(made); });
    // Later: the button goes with its row.
    connect(made.remove, &QPushButton::clicked, this, [this, name] {
        QMetaObject::invokeMethod(
            this, [this, name] { removeUnused(name); }, Qt::QueuedConnection);
    });
    rows_.push_back(std::move(row));
    kindPicked(made);
    return made;
}

void InputRows::removeUnused(const std::string& name) {
    if (std::erase_if(rows_, [&name](const std::unique_ptr<Row>& row) {
            return row->name == name && !row->used;
        }) == 0) {
        return;
    }
    arrange();
    emit rowsChanged();
    emit edited();
}

// The grid made anew: a header, then each row with its outcome under it.
void InputRows::arrange() {
    auto* grid = static_cast<QGridLayout*>(layout());
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item;
    }
    for (std::size_t column = 0; column < headers_.size(); ++column) {
        grid->addWidget(headers_[column], 0, static_cast<int>(column));
    }
    int line = 1;
    for (const std::unique_ptr<Row>& row : rows_) {
        grid->addWidget(row->label, line, 0);
        grid->addWidget(row->kind, line, 1);
        for (std::size_t at = 0; at < std::size(fieldWords); ++at) {
            grid->addWidget(row->field(fieldWords[at].field), line, 2 + static_cast<int>(at));
        }
        grid->addWidget(row->remove, line, 2 + static_cast<int>(std::size(fieldWords)));
        row->remove->setVisible(!row->used);
        grid->addWidget(row->outcome, line + 1, 1, 1, static_cast<int>(std::size(fieldWords)) + 2);
        line += 2;
    }
    grid->setColumnStretch(2, 1);
    for (int at = 0; at < grid->rowCount(); ++at) {
        grid->setRowStretch(at, at == line ? 1 : 0);
    }
}

void InputRows::kindPicked(Row& row) {
    const InputKind kind = row.kindPicked();
    for (const FieldWords& words : fieldWords) {
        row.field(words.field)->setEnabled(uses(kind, words.field));
    }
    row.values->setPlaceholderText(valuesPlaceholder(kind));
    row.allowance->setPlaceholderText(kind == InputKind::Single ? "必填" : "无");
    emit edited();
}

void InputRows::paste(Row& row) {
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (row.kindPicked() != InputKind::Series) {
        row.values->insert(clipboard.simplified());
        return;
    }
    const SeriesText series = splitSeries(clipboard.toStdString());
    if (series.refused()) {
        emit pasteRefused(text(refusalText(series, "粘贴的数")) + "未粘贴任何数。");
        return;
    }
    QStringList values;
    for (const SeriesPiece& piece : series.pieces) {
        values.append(text(piece.text));
    }
    row.values->insert(series.notANumber ? clipboard.simplified() : values.join(' '));
}

void InputRows::fill(Row& row, const StatedInput& input) {
    row.kind->setCurrentIndex(
        static_cast<int>(std::ranges::find(propagation::allInputKinds, input.kind) -
                         std::begin(propagation::allInputKinds)));
    QStringList readings;
    for (const std::string& reading : input.readings) {
        readings.append(text(reading));
    }
    row.values->setText(input.kind == InputKind::Series ? readings.join(' ') : text(input.value));
    row.allowance->setText(text(input.allowance));
    row.distribution->setCurrentIndex(
        static_cast<int>(std::ranges::find(propagation::allDistributions, input.distribution) -
                         std::begin(propagation::allDistributions)));
    row.uncertainty->setText(text(input.uncertainty));
    row.dof->setText(text(input.dof));
    row.unit->setText(text(input.unit));
}

void InputRows::followNames(const std::vector<std::string>& names) {
    const auto shape = [this] {
        std::vector<std::pair<const Row*, bool>> rows;
        for (const std::unique_ptr<Row>& row : rows_) {
            rows.emplace_back(row.get(), row->used);
        }
        return rows;
    };
    const auto before = shape();
    const QSignalBlocker quiet(this);
    std::vector<std::unique_ptr<Row>> kept;
    for (const std::string& name : names) {
        auto found = std::ranges::find(rows_, name, [](const auto& row) { return row->name; });
        if (found == rows_.end()) {
            addRow(name);
            found = rows_.end() - 1;
        }
        (*found)->used = true;
        kept.push_back(std::move(*found));
        rows_.erase(found);
    }
    for (std::unique_ptr<Row>& row : rows_) {
        if (row->holdsAnything()) {
            row->used = false;
            kept.push_back(std::move(row));
        }
    }
    rows_ = std::move(kept);
    if (shape() != before) {
        arrange();
        blockSignals(false);
        emit rowsChanged();
    }
}

void InputRows::setInputs(const std::vector<StatedInput>& inputs) {
    {
        const QSignalBlocker quiet(this);
        rows_.clear();
        for (const StatedInput& input : inputs) {
            fill(addRow(input.name), input);
        }
        arrange();
    }
    emit rowsChanged();
}

void InputRows::putInput(const StatedInput& input) {
    const auto found =
        std::ranges::find(rows_, input.name, [](const auto& row) { return row->name; });
    const bool added = found == rows_.end();
    {
        const QSignalBlocker quiet(this);
        if (added) {
            addRow(input.name).used = false;
            arrange();
        }
        fill(added ? *rows_.back() : **found, input);
    }
    if (added) {
        emit rowsChanged();
    }
    emit edited();
}

Checked<std::vector<StatedInput>> InputRows::inputs() const {
    std::vector<StatedInput> inputs;
    for (const std::unique_ptr<Row>& row : rows_) {
        StatedInput stated;
        stated.name = row->name;
        stated.kind = row->kindPicked();
        const std::string values = trimmed(row->values).toStdString();
        if (stated.kind == InputKind::Series) {
            const SeriesText series = splitSeries(values);
            const std::string who = "测量列 " + stated.name + " 的";
            if (series.refused()) {
                return Problem{who + "读数：" + refusalText(series, "读数"), std::nullopt};
            }
            if (series.notANumber) {
                return Problem{who + "第 " + std::to_string(series.piecesBefore + 1) + " 个读数“" +
                                   quotedPiece(series.notANumber->text) + "”不是一个数。",
                               std::nullopt};
            }
            for (const SeriesPiece& piece : series.pieces) {
                stated.readings.push_back(piece.text);
            }
        } else {
            stated.value = values;
        }
        const auto used = [&stated](Field field, const QLineEdit* edit) {
            return uses(stated.kind, field) ? trimmed(edit).toStdString() : std::string();
        };
        stated.allowance = used(Field::Allowance, row->allowance);
        stated.distribution = propagation::allDistributions[static_cast<std::size_t>(
            row->distribution->currentIndex())];
        stated.uncertainty = used(Field::Uncertainty, row->uncertainty);
        stated.dof = used(Field::Dof, row->dof);
        stated.unit = trimmed(row->unit).toStdString();
        inputs.push_back(std::move(stated));
    }
    return inputs;
}

void InputRows::showEvaluations(const Settings& settings) {
    const Checked<std::vector<StatedInput>> statedInputs = inputs();
    for (std::size_t at = 0; at < rows_.size(); ++at) {
        Row& row = *rows_[at];
        QString outcome;
        bool problem = false;
        if (!row.used) {
            outcome = "公式中没有 " + text(row.name) + "，这一行不计入。";
        } else if (row.holdsAnything()) {
            const Checked<propagation::Input> input =
                statedInputs ? propagation::evaluateInput(statedInputs.value()[at], settings)
                             : Checked<propagation::Input>(statedInputs.problem());
            problem = !input;
            outcome = input ? outcomeOf(input.value()) : text(input.problem().text());
        }
        row.outcome->setText(outcome);
        row.outcome->setStyleSheet(problem ? "color: #B00000;" : QString());
        row.outcome->setVisible(!outcome.isEmpty());
    }
}

std::vector<QWidget*> InputRows::focusChain() const {
    std::vector<QWidget*> chain;
    for (const std::unique_ptr<Row>& row : rows_) {
        chain.push_back(row->kind);
        for (const FieldWords& words : fieldWords) {
            chain.push_back(row->field(words.field));
        }
        chain.push_back(row->remove);
    }
    return chain;
}

} // namespace tavrello
