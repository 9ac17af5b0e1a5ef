// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fitting/fit_window.h"

#include "analysis/settings.h"
#include "fitting/fit_report.h"
#include "window/accessibility/readable_line_edit.h"
#include "window/fitting/fit_files.h"
#include "window/result_window/setting_choices.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>

namespace tavrello {

namespace {

using fitting::DataSet;
using fitting::Fit;
using fitting::FitSettings;
using fitting::Refusal;

// Bigger files are for the command line, as are more points than the table takes.
constexpr qint64 largestFile = 4 * 1024 * 1024;
const QString dataFilter = "文本文件 (*.txt *.tsv *.csv *.dat);;所有文件 (*)";

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The documented defaults, those of FitSettings, as the settings file writes them.
const FitSettings defaults;

template <typename Values, typename Name, typename Key>
QList<std::pair<QString, QVariant>> entries(const Values& values, Name name, Key key) {
    QList<std::pair<QString, QVariant>> list;
    for (const auto& value : values) {
        list.append({name(value), keyText(key(value))});
    }
    return list;
}

QString methodEntry(fitting::FitMethod method) {
    return keyText(fitting::methodName(method));
}

QString transformEntry(fitting::Transform transform, const std::string& variable) {
    return transform == fitting::Transform::None
               ? QString("不变换")
               : fromUtf8(fitting::transformedName(transform, variable));
}

// The table's δ_i of the successive differences in the row of the first point of each pair,
// with the pair's values in its detail; the report sets them out in a table of their own.
void addDifferences(report::Table& table, const Fit& fit) {
    const std::optional<report::Table> differences = fitting::differencesTable(fit);
    if (!differences) {
        return;
    }
    table.header.push_back("δ_i = y_(i+m) − y_i");
    table.spokenHeader.resize(table.header.size() - 1);
    table.spokenHeader.push_back("逐差 delta i");
    table.details.assign(table.rows.size(), std::vector<std::string>(table.header.size()));
    for (std::vector<std::string>& row : table.rows) {
        row.emplace_back();
    }
    const fitting::Differences& d = *fit.differences;
    for (std::size_t i = 0; i < d.m; ++i) {
        const std::vector<std::string>& pair = differences->rows[i];
        const std::size_t row = d.order[i];
        table.rows[row].back() = pair[5];
        table.details[row].back() = "δ_" + pair[0] + " = " + pair[4] + " − " + pair[2] + "（第 " +
                                    std::to_string(fit.points[d.order[i + d.m]].position) +
                                    " 个点的 y 减本行的 y）";
    }
}

report::Document shownReport(const Fit& fit) {
    report::Document document = fitting::fitReport(fit);
    for (report::Block& block : document.blocks) {
        if (auto* table = std::get_if<report::Table>(&block)) {
            addDifferences(*table, fit);
            break;
        }
    }
    return document;
}

} // namespace

FitWindow::FitWindow(UserMessages& messages, Announcer& announcer, QWidget* mainWindow)
    : ResultWindow(*mainWindow, announcer, "直线拟合"), messages_(messages) {
    setObjectName("FitWindow");
    buildSettings();
    buildInput();
    reserveResultLines({"斜率", "截距", "相关系数"});
    plot_ = new FitPlot(this);
    plot_->setObjectName("plot");
    setPlot(plot_);
    nameTable("拟合值与残差");
    buildButtons();
    restoreSettings();
    refresh();
}

void FitWindow::buildSettings() {
    method_ =
        addChoice("拟合方法(&F)", entries(fitting::allFitMethods, methodEntry, fitting::methodKey));
    method_->setObjectName("method");
    const std::pair<ChoiceBox**, const char*> transforms[] = {{&xTransform_, "x"},
                                                              {&yTransform_, "y"}};
    for (const auto& [box, variable] : transforms) {
        const auto entry = [variable](fitting::Transform transform) {
            return transformEntry(transform, variable);
        };
        *box = addChoice(QString("%1 的变换(&%2)").arg(variable, QString(variable).toUpper()),
                         entries(fitting::allTransforms, entry, fitting::transformKey));
        (*box)->setObjectName(QString(variable) + "Transform");
    }
    confidence_ = addChoice("置信概率 P(&P)", confidenceChoices());
    confidence_->setObjectName("confidence");
    coverage_ = addChoice("包含因子 k(&K)", coverageChoices());
    coverage_->setObjectName("coverage");
    rounding_ = addChoice("U 的修约(&G)", roundingChoices());
    rounding_->setObjectName("rounding");
    digits_ = addChoice("不确定度有效位数(&N)", digitsChoices());
    digits_->setObjectName("digits");
    instrumentError_ = addTextSetting("y 的仪器允差 Δ_仪(&D)", "无");
    instrumentError_->setObjectName("instrumentError");
}

// The table on the left; the quantities' names and units, the common u(y), the file buttons and
// a hint beside it. The controls are listed in their Tab order.
void FitWindow::buildInput() {
    auto* area = new QWidget(this);
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    table_ = new DataTable(area);
    table_->setObjectName("data");
    table_->setAccessibleName("数据点");
    auto* tableColumn = new QVBoxLayout;
    tableColumn->addWidget(withCaption("数据点(&T)：", table_));
    tableColumn->addWidget(table_, 1);
    row->addLayout(tableColumn, 3);
    std::vector<QWidget*> controls = {table_};
    auto* side = new QGridLayout;
    addFields(*side, controls);
    addFileButtons(*side, controls);
    auto* hint = new QLabel("可粘贴电子表格中的 x、y 两列或 x、y、u(y) 三列。", area);
    hint->setWordWrap(true);
    side->addWidget(hint, 3, 0, 1, 4);
    side->setRowStretch(4, 1);
    row->addLayout(side, 4);
    setInput(area, controls, 0);

    connect(table_, &DataTable::edited, this, [this](const QString& lead) {
        refresh();
        tellSoon(lead);
    });
    connect(table_, &DataTable::quantitiesPasted, this, &FitWindow::nameQuantities);
    connect(table_, &DataTable::pasteRefused, this,
            [this](const QString& reason) { messages_.tell(*this, reason); });
}

// Names and units in two rows, then the common u(y), which stands with the data and is kept as a
// setting.
void FitWindow::addFields(QGridLayout& side, std::vector<QWidget*>& controls) {
    const auto field = [&](const QString& caption, const QString& id, const QString& placeholder,
                           int row, int column) {
        auto* edit = new ReadableLineEdit;
        edit->setObjectName(id);
        edit->setPlaceholderText(placeholder);
        side.addWidget(withCaption(caption, edit), row, column);
        side.addWidget(edit, row, column + 1);
        controls.push_back(edit);
        return edit;
    };
    for (const int axis : {0, 1}) {
        const QString variable = axis == 0 ? "x" : "y";
        names_[axis] = field(variable + " 的名称：", variable + "Name", variable, axis, 0);
        units_[axis] = field(variable + " 的单位：", variable + "Unit", "无", axis, 2);
        for (QLineEdit* edit : {names_[axis], units_[axis]}) {
            connect(edit, &QLineEdit::textChanged, this, [this] {
                refresh();
                tellSoon({});
            });
        }
    }
    commonU_ = field("统一的 u(y)(&U)：", "commonU", "无", 2, 0);
    connect(commonU_, &QLineEdit::textChanged, this, [this] {
        saveSettings();
        refresh();
        tellSoon({});
    });
}

void FitWindow::addFileButtons(QGridLayout& side, std::vector<QWidget*>& controls) {
    const std::tuple<QString, QString, const char*, void (FitWindow::*)()> files[] = {
        {"打开…(&O)", "打开数据文件", "open", &FitWindow::askToOpen},
        {"保存…(&V)", "保存数据文件", "save", &FitWindow::askToSave}};
    auto* buttons = new QHBoxLayout;
    for (const auto& [text, name, id, handler] : files) {
        auto* button = new QPushButton(text);
        button->setObjectName(id);
        button->setAccessibleName(name);
        button->setToolTip("UTF-8 文本文件：第一行为表头（名称与单位），之后每行一个点，"
                           "x、y、u(y) 以制表符分隔");
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        controls.push_back(button);
    }
    side.addLayout(buttons, 2, 2, 1, 2);
}

void FitWindow::buildButtons() {
    addButton("复制报告(&R)", [this] { copyFitReport(*fit_); })->setObjectName("copy");
    addButton("保存为 PDF…", [this] {
        saveReportAs("保存为 PDF", "直线拟合报告.pdf", "PDF 文件 (*.pdf)", writeFitPdf);
    });
    addButton("保存图片…", [this] {
        saveReportAs("保存图片", "直线拟合图.png", "PNG 图片 (*.png)", writeFitPng);
    });
}

// A stored setting this window cannot use gives way to its default, not to the first entry.
void FitWindow::restoreSettings() {
    const QSettings stored;
    const std::initializer_list<QObject*> all = {method_,     xTransform_,      yTransform_,
                                                 confidence_, coverage_,        rounding_,
                                                 digits_,     instrumentError_, commonU_};
    for (QObject* setting : all) {
        setting->blockSignals(true);
    }
    const fitting::Expansion& expansion = defaults.expansion;
    const std::pair<ChoiceBox*, std::pair<const char*, std::string_view>> choices[] = {
        {method_, {"method", fitting::methodKey(defaults.method)}},
        {xTransform_, {"xTransform", fitting::transformKey(defaults.xTransform)}},
        {yTransform_, {"yTransform", fitting::transformKey(defaults.yTransform)}},
        {confidence_, {"confidence", confidenceKey(expansion.confidence)}},
        {coverage_, {"coverage", coverageKey(expansion.coverage)}},
        {rounding_, {"rounding", roundingKey(expansion.rounding)}},
    };
    for (const auto& [box, keyAndDefault] : choices) {
        box->pickData(stored.value(QString("fit/") + keyAndDefault.first).toString(),
                      keyText(keyAndDefault.second));
    }
    digits_->pickData(stored.value("fit/digits").toInt(), expansion.digits);
    instrumentError_->setText(stored.value("fit/instrumentError").toString());
    commonU_->setText(stored.value("fit/commonU").toString());
    for (QObject* setting : all) {
        setting->blockSignals(false);
    }
}

void FitWindow::saveSettings() const {
    QSettings stored;
    const std::pair<const char*, const ChoiceBox*> choices[] = {
        {"method", method_},         {"xTransform", xTransform_}, {"yTransform", yTransform_},
        {"confidence", confidence_}, {"coverage", coverage_},     {"rounding", rounding_},
        {"digits", digits_}};
    for (const auto& [key, box] : choices) {
        stored.setValue(QString("fit/") + key, box->currentData());
    }
    stored.setValue("fit/instrumentError", instrumentError_->text());
    stored.setValue("fit/commonU", commonU_->text());
}

// Throws AnalysisError for an allowance or a u(y) that cannot be used; fitLine checks the rest.
FitSettings FitWindow::settings() const {
    const auto key = [](const ChoiceBox* box) { return utf8(box->currentData().toString()); };
    FitSettings settings;
    settings.method = *fitting::methodFromKey(key(method_));
    settings.xTransform = *fitting::transformFromKey(key(xTransform_));
    settings.yTransform = *fitting::transformFromKey(key(yTransform_));
    settings.expansion.confidence = *confidenceFromKey(key(confidence_));
    settings.expansion.coverage = *coverageFromKey(key(coverage_));
    settings.expansion.rounding = *roundingFromKey(key(rounding_));
    settings.expansion.digits = digits_->currentData().toInt();
    settings.instrumentError = allowanceFromText(utf8(instrumentError_->text()));
    settings.commonU = fitting::uncertaintyFromText(utf8(commonU_->text()));
    return settings;
}

void FitWindow::settingsChanged() {
    saveSettings();
    refresh();
}

// As typed, trimmed; a tab, which would part the data file's header, as a blank.
fitting::Quantity FitWindow::quantity(int axis) const {
    const auto typed = [](const QLineEdit* field) {
        return utf8(field->text().replace('\t', ' ').trimmed());
    };
    const DataSet unnamed;
    const std::string name = typed(names_[std::size_t(axis)]);
    return {name.empty() ? (axis == 0 ? unnamed.x : unnamed.y).name : name,
            typed(units_[std::size_t(axis)])};
}

void FitWindow::nameQuantities(const fitting::Quantity& x, const fitting::Quantity& y) {
    const fitting::Quantity* quantities[] = {&x, &y};
    for (std::size_t axis = 0; axis < 2; ++axis) {
        for (QLineEdit* field : {names_[axis], units_[axis]}) {
            field->blockSignals(true);
        }
        names_[axis]->setText(fromUtf8(quantities[axis]->name));
        units_[axis]->setText(fromUtf8(quantities[axis]->unit));
        for (QLineEdit* field : {names_[axis], units_[axis]}) {
            field->blockSignals(false);
        }
    }
}

// The filled rows as points, numbered by their rows.
fitting::Outcome<DataSet> FitWindow::data() const {
    DataSet data{quantity(0), quantity(1), {}};
    for (const DataTable::Row& row : table_->filledRows()) {
        fitting::Outcome<fitting::Point> point =
            fitting::readPoint(row.number, utf8(row.x), utf8(row.y), utf8(row.u));
        if (auto* refusal = std::get_if<Refusal>(&point)) {
            return std::move(*refusal);
        }
        data.points.push_back(std::get<fitting::Point>(std::move(point)));
    }
    return data;
}

void FitWindow::refresh() {
    table_->nameColumns(quantity(0), quantity(1));
    fitting::Outcome<DataSet> read = data();
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        showRefusal(*refusal);
        return;
    }
    if (std::get<DataSet>(read).points.empty()) {
        showNothing("在表中输入或粘贴数据点（x、y，可选 u(y)），或打开数据文件。");
        return;
    }
    try {
        fitting::Outcome<Fit> fitted =
            fitting::fitLine(std::get<DataSet>(std::move(read)), settings());
        if (const auto* refusal = std::get_if<Refusal>(&fitted)) {
            showRefusal(*refusal);
            return;
        }
        showFit(std::get<Fit>(std::move(fitted)));
    } catch (const AnalysisError& error) {
        showNothing(QString::fromUtf8(error.what()));
    }
}

void FitWindow::showFit(Fit fit) {
    fit_ = std::make_shared<const Fit>(std::move(fit));
    plot_->showFit(fit_);
    showReport(shownReport(*fit_));
}

void FitWindow::showNothing(const QString& problem, std::optional<Remedy> remedy) {
    fit_.reset();
    plot_->showFit(nullptr);
    showProblem(problem, std::move(remedy));
}

// The successive differences may be taken without one point: the user may drop it here.
void FitWindow::showRefusal(const Refusal& refusal) {
    std::optional<Remedy> remedy;
    if (const std::optional<int> droppable = refusal.droppable) {
        remedy = Remedy{QString("去掉第 %1 个点").arg(*droppable),
                        [this, position = *droppable] { dropPoint(position); }};
    }
    showNothing(fromUtf8(refusal.message), std::move(remedy));
}

void FitWindow::dropPoint(int position) {
    QString values;
    for (const DataTable::Row& row : table_->filledRows()) {
        if (row.number == position) {
            values = QString("（x = %1，y = %2）").arg(row.x, row.y);
        }
    }
    table_->removeRowNumbered(position);
    tellSoon(QString("已去掉第 %1 个点%2").arg(position).arg(values));
}

QString FitWindow::openFile(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return QString("无法读取文件“%1”。").arg(file);
    }
    if (input.size() > largestFile) {
        return QString("文件“%1”超过 %2 MB，请用命令 tavrello --fit 处理。")
            .arg(file)
            .arg(largestFile / (1024 * 1024));
    }
    const QByteArray bytes = input.readAll();
    fitting::Outcome<DataSet> read =
        fitting::readDataText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return QString("没有打开文件“%1”：%2").arg(file, fromUtf8(refusal->message));
    }
    const DataSet& data = std::get<DataSet>(read);
    if (data.points.size() > std::size_t(DataTable::mostRows)) {
        return QString("没有打开文件“%1”：").arg(file) +
               DataTable::tooMany(int(data.points.size()));
    }
    nameQuantities(data.x, data.y);
    table_->showPoints(data.points);
    tellSoon(QString("已打开 %1 个数据点").arg(data.points.size()));
    return {};
}

// Only what the file can give back: every point readable, each with u(y) or none.
QString FitWindow::saveFile(const QString& file) const {
    fitting::Outcome<DataSet> read = data();
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return "没有保存：" + fromUtf8(refusal->message);
    }
    const DataSet& data = std::get<DataSet>(read);
    if (data.points.empty()) {
        return "表中没有数据点，没有保存。";
    }
    const auto hasU = [](const fitting::Point& point) { return point.u.has_value(); };
    const auto withoutU = std::ranges::find_if_not(data.points, hasU);
    if (withoutU != data.points.end() && std::ranges::any_of(data.points, hasU)) {
        return QString(
                   "没有保存：第 %1 个点没有 u(y)，而别的点有。u(y) 要么每个点都给，要么都不给。")
            .arg(withoutU->position);
    }
    const std::string text = fitting::writeDataText(data);
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly) ||
        output.write(text.data(), qint64(text.size())) != qint64(text.size()) || !output.commit()) {
        return cannotWrite(file);
    }
    return {};
}

void FitWindow::askToOpen() {
    const QString file = askForFile(FileUse::Open, "打开数据文件", {}, dataFilter);
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = openFile(file); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

void FitWindow::askToSave() {
    const QString file = askForFile(FileUse::Save, "保存数据文件", "直线拟合数据.txt", dataFilter);
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = saveFile(file); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

// Asks where, then writes the file; a failure is told, not dropped.
void FitWindow::saveReportAs(const QString& caption, const QString& name, const QString& filter,
                             QString (*write)(const Fit&, const QString&, const QFont&)) {
    const QString file = askForFile(FileUse::Save, caption, name, filter);
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = write(*fit_, file, font()); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

} // namespace tavrello
