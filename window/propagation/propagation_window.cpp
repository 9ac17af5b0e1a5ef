// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/propagation_window.h"

#include "propagation/notation.h"
#include "propagation/propagation_report.h"
#include "window/accessibility/readable_line_edit.h"
#include "window/propagation/propagation_files.h"
#include "window/reports/report_files.h"
#include "window/result_window/setting_choices.h"

#include <QAction>
#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QSettings>

namespace tavrello {

using propagation::Checked;
using propagation::Problem;
using propagation::Propagation;
using propagation::Task;
using propagation::TaskSettings;

namespace {

// The window is a workbench of its own, which follows no box of the main window: beside it where
// the screen has room, else over it, never narrower than its four columns of settings, so that
// the budget table shows most of its columns beside the histogram.
constexpr QSize wantedSize{1100, 760};
constexpr int narrowest = 880;
// Monte Carlo starts once the task has stood this long.
constexpr int settlingMilliseconds = 600;
// Larger files are no task.
constexpr qint64 largestTaskFile = 16 * 1024 * 1024;
constexpr int progressSteps = 1000;

// The documented defaults, made when first asked for rather than at the program's start.
const TaskSettings& defaults() {
    static const TaskSettings settings;
    return settings;
}

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString angleKey(propagation::Angle angle) {
    return angle == propagation::Angle::Degrees ? "deg" : "rad";
}

// 10⁴ … 10⁷ as powers, any other count as it is.
QString drawsLabel(std::uint64_t draws) {
    static const QStringList powers = {"10⁴", "10⁵", "10⁶", "10⁷"};
    std::uint64_t power = propagation::fewestDraws;
    for (const QString& label : powers) {
        if (draws == power) {
            return label;
        }
        power *= 10;
    }
    return QString::number(draws);
}

ChoiceEntries drawsChoices() {
    ChoiceEntries entries;
    for (std::uint64_t draws = propagation::fewestDraws; draws <= propagation::mostDraws;
         draws *= 10) {
        entries.append({drawsLabel(draws), QString::number(draws)});
    }
    return entries;
}

// The left side of "ρ = 4*m/(…)", or nothing; the right side, or all of it.
QString leftSide(const QString& model) {
    return model.contains('=') ? model.section('=', 0, 0).trimmed() : QString();
}
QString rightSide(const QString& model) {
    return model.contains('=') ? model.section('=', 1).trimmed() : model.trimmed();
}

// An input row that holds nothing is left out of the file: opened, the formula makes it again.
bool holdsNothing(const propagation::StatedInput& input) {
    return input.readings.empty() && input.value.empty() && input.allowance.empty() &&
           input.uncertainty.empty() && input.dof.empty() && input.unit.empty();
}

// The validation in a few words, for the line under the inputs and for the ear.
QString monteCarloSummary(const propagation::MonteCarloResult& result) {
    QString summary = QString("M = %1 次抽样").arg(result.draws);
    if (result.validation) {
        summary += result.validation->validated ? "，不确定度传播律的结果得到验证"
                                                : "，不确定度传播律的结果未得到验证";
    }
    return summary;
}

} // namespace

PropagationWindow::PropagationWindow(UserMessages& messages, Announcer& announcer,
                                     QWidget* mainWindow)
    : ResultWindow(*mainWindow, announcer, "间接测量", wantedSize, narrowest), messages_(messages) {
    setObjectName("PropagationWindow");
    buildSettings();
    QWidget* input = buildInputArea();
    setInput(input, inputChain(), 4);
    histogram_ = new HistogramPlot(this);
    histogram_->setObjectName("histogram");
    setPlot(histogram_);
    nameTable("不确定度分量一览表");
    buildButtons();
    setFirstFocus(formula_);
    runner_ = new MonteCarloRunner(
        [this](std::uint64_t tag, Propagation done) { monteCarloDone(tag, std::move(done)); },
        [this](std::uint64_t tag, double share) {
            if (tag == version_) {
                progress_->setValue(static_cast<int>(share * progressSteps));
            }
        },
        this);
    settled_.setSingleShot(true);
    settled_.setInterval(settlingMilliseconds);
    connect(&settled_, &QTimer::timeout, this, &PropagationWindow::startMonteCarlo);
    restoreSettings();
    recompute();
}

void PropagationWindow::buildSettings() {
    criterion_ = addChoice("判别准则(&J)", criterionChoices());
    criterion_->setObjectName("criterion");
    alpha_ = addChoice("显著性水平 α(&A)", alphaChoices());
    alpha_->setObjectName("alpha");
    confidence_ = addChoice("置信概率 P(&P)", confidenceChoices());
    confidence_->setObjectName("confidence");
    coverage_ = addChoice("包含因子 k(&K)", coverageChoices());
    coverage_->setObjectName("coverage");
    rounding_ = addChoice("修约(&O)", roundingChoices());
    rounding_->setObjectName("rounding");
    digits_ = addChoice("不确定度有效位数(&N)", digitsChoices());
    digits_->setObjectName("digits");
    angle_ = addChoice("角度单位(&D)", {{"弧度", "rad"}, {"度", "deg"}});
    angle_->setObjectName("angle");
    draws_ = addChoice("抽样次数 M(&T)", drawsChoices());
    draws_->setObjectName("draws");
    seed_ = addTextSetting("随机数种子(&E)", QString::number(defaults().seed));
    seed_->setObjectName("seed");
}

QWidget* PropagationWindow::buildInputArea() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);

    auto* modelRow = new QHBoxLayout;
    symbol_ = new ReadableLineEdit(area);
    symbol_->setObjectName("symbol");
    symbol_->setPlaceholderText("y");
    symbol_->setAccessibleName("所求量的符号");
    symbol_->setFixedWidth(symbol_->fontMetrics().averageCharWidth() * 6 + 12);
    formula_ = new FormulaBox(area);
    formula_->setObjectName("formula");
    formula_->setPlaceholderText("如 4*m/(π*d^2*h)，或连同符号：ρ = 4*m/(π*d^2*h)");
    unit_ = new ReadableLineEdit(area);
    unit_->setObjectName("unit");
    unit_->setPlaceholderText("无");
    unit_->setFixedWidth(unit_->fontMetrics().averageCharWidth() * 10 + 12);
    auto* modelCaption = new QLabel("测量模型(&F)：", area);
    modelCaption->setBuddy(formula_);
    formula_->setAccessibleName("测量模型");
    auto* unitCaption = new QLabel("单位(&U)：", area);
    unitCaption->setBuddy(unit_);
    unit_->setAccessibleName("所求量的单位");
    modelRow->addWidget(modelCaption);
    modelRow->addWidget(symbol_);
    modelRow->addWidget(new QLabel("=", area));
    modelRow->addWidget(formula_, 1);
    modelRow->addWidget(unitCaption);
    modelRow->addWidget(unit_);
    column->addLayout(modelRow);

    preview_ = new QLabel(area);
    preview_->setObjectName("model");
    preview_->setTextFormat(Qt::RichText);
    column->addWidget(preview_);

    tabs_ = new QTabWidget(area);
    tabs_->setObjectName("inputs");
    tabs_->setAccessibleName("输入量与相关系数");
    rows_ = new InputRows(tabs_);
    rows_->setObjectName("inputRows");
    auto* scroll = new QScrollArea(tabs_);
    scroll->setWidget(rows_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setAccessibleName("输入量");
    tabs_->addTab(scroll, "输入量(&I)");
    correlations_ = new CorrelationEditor(tabs_);
    tabs_->addTab(correlations_, "相关系数(&L)");
    tabs_->setMinimumHeight(fontMetrics().height() * 7);
    column->addWidget(tabs_, 1);

    auto* monteCarloRow = new QHBoxLayout;
    monteCarloState_ = new QLabel(area);
    monteCarloState_->setObjectName("monteCarloState");
    progress_ = new QProgressBar(area);
    progress_->setObjectName("progress");
    progress_->setAccessibleName("蒙特卡洛法的进度");
    progress_->setRange(0, progressSteps);
    monteCarloButton_ = new QPushButton(area);
    monteCarloButton_->setObjectName("monteCarlo");
    monteCarloButton_->setAutoDefault(false);
    monteCarloRow->addWidget(monteCarloState_, 1);
    monteCarloRow->addWidget(progress_, 1);
    monteCarloRow->addWidget(monteCarloButton_);
    column->addLayout(monteCarloRow);

    connect(formula_, &QLineEdit::textChanged, this, &PropagationWindow::formulaEdited);
    connect(symbol_, &QLineEdit::textEdited, this, &PropagationWindow::symbolEdited);
    connect(unit_, &QLineEdit::textChanged, this, &PropagationWindow::recompute);
    connect(rows_, &InputRows::edited, this, &PropagationWindow::recompute);
    connect(rows_, &InputRows::rowsChanged, this, [this] { setInputControls(inputChain()); });
    connect(rows_, &InputRows::pasteRefused, this,
            [this](const QString& why) { messages_.tell(*this, why); });
    connect(correlations_, &CorrelationEditor::edited, this, &PropagationWindow::recompute);
    connect(monteCarloButton_, &QPushButton::clicked, this, [this] {
        if (runner_->running()) {
            runner_->cancel();
        } else {
            startMonteCarlo();
        }
        showMonteCarloState();
    });
    return area;
}

void PropagationWindow::buildButtons() {
    addButton("复制报告(&R)", [this] { copyPropagationReport(*shown_); })->setObjectName("copy");
    addButton("保存为 PDF…", [this] {
        saveAs("保存为 PDF", "间接测量报告.pdf", "PDF 文件 (*.pdf)", writePropagationPdf);
    });
    picture_ = addButton("保存图片…", [this] {
        saveAs("保存图片", "间接测量直方图.png", "PNG 图片 (*.png)", writePropagationPng);
    });
    addButton(
        "保存…", [this] { askToSave(); }, ButtonKind::Always)
        ->setObjectName("save");
    addButton(
        "打开…", [this] { askToOpen(); }, ButtonKind::Always)
        ->setObjectName("open");
    for (const auto& [keys, handler] :
         {std::pair{QKeySequence::Save, &PropagationWindow::askToSave},
          std::pair{QKeySequence::Open, &PropagationWindow::askToOpen}}) {
        auto* action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    }
}

std::vector<QWidget*> PropagationWindow::inputChain() const {
    std::vector<QWidget*> chain = {symbol_, formula_, unit_, tabs_};
    for (const std::vector<QWidget*>& part : {rows_->focusChain(), correlations_->focusChain()}) {
        chain.insert(chain.end(), part.begin(), part.end());
    }
    chain.push_back(monteCarloButton_);
    return chain;
}

// A stored setting this window cannot use gives way to its default.
void PropagationWindow::restoreSettings() {
    const QSettings stored;
    const Settings& judgement = defaults().judgement;
    const std::initializer_list<std::tuple<ChoiceBox*, const char*, QVariant>> choices = {
        {criterion_, "criterion", keyText(criterionKey(judgement.criterion))},
        {alpha_, "alpha", alphaKeyOf(judgement.alpha)},
        {confidence_, "confidence", keyText(confidenceKey(judgement.confidence))},
        {coverage_, "coverage", keyText(coverageKey(judgement.coverage))},
        {rounding_, "rounding", keyText(roundingKey(judgement.rounding))},
        {digits_, "digits", judgement.digits},
        {angle_, "angle", angleKey(defaults().angle)},
        {draws_, "draws", QString::number(defaults().draws)},
    };
    const QSignalBlocker quietSeed(seed_);
    for (const auto& [box, key, fallback] : choices) {
        const QSignalBlocker quiet(box);
        const QVariant value = stored.value(QString("propagation/") + key);
        box->pickData(fallback.typeId() == QMetaType::Int ? QVariant(value.toInt()) : value,
                      fallback);
    }
    TaskSettings probe;
    const QString seed = stored.value("propagation/seed").toString();
    seed_->setText(propagation::applySetting(probe, "seed", seed.toStdString()) ? QString() : seed);
}

// Each choice by the key of the settings statement, which the settings file uses too.
std::array<std::pair<const char*, ChoiceBox*>, 8> PropagationWindow::choices() const {
    return {{{"criterion", criterion_},
             {"alpha", alpha_},
             {"confidence", confidence_},
             {"coverage", coverage_},
             {"rounding", rounding_},
             {"digits", digits_},
             {"angle", angle_},
             {"draws", draws_}}};
}

void PropagationWindow::saveSettings() const {
    QSettings stored;
    for (const auto& [key, box] : choices()) {
        stored.setValue(QString("propagation/") + key, box->currentData());
    }
    stored.setValue("propagation/seed", seed_->text().trimmed());
}

void PropagationWindow::settingsChanged() {
    if (filling_) {
        return;
    }
    saveSettings();
    recompute();
}

// The settings as the task file's settings statement and the command line's options give them.
Checked<TaskSettings> PropagationWindow::taskSettings() const {
    TaskSettings settings;
    for (const auto& [key, box] : choices()) {
        propagation::applySetting(settings, key, box->currentData().toString().toStdString());
    }
    const std::string seed = seed_->text().trimmed().toStdString();
    if (std::optional<Problem> problem =
            propagation::applySetting(settings, "seed", seed.empty() ? "1" : seed)) {
        return *problem;
    }
    return settings;
}

Checked<Task> PropagationWindow::currentTask() const {
    Checked<TaskSettings> settings = taskSettings();
    if (!settings) {
        return settings.problem();
    }
    Checked<std::vector<propagation::StatedInput>> inputs = rows_->inputs();
    if (!inputs) {
        return inputs.problem();
    }
    Task task;
    task.model = formula_->text().trimmed().toStdString();
    task.unit = unit_->text().trimmed().toStdString();
    task.inputs = std::move(inputs).value();
    task.correlations = correlations_->correlations();
    task.settings = std::move(settings).value();
    return task;
}

void PropagationWindow::setTask(const Task& task) {
    filling_ = true;
    const Settings& judgement = task.settings.judgement;
    criterion_->pickData(keyText(criterionKey(judgement.criterion)), {});
    alpha_->pickData(alphaKeyOf(judgement.alpha), {});
    confidence_->pickData(keyText(confidenceKey(judgement.confidence)), {});
    coverage_->pickData(keyText(coverageKey(judgement.coverage)), {});
    rounding_->pickData(keyText(roundingKey(judgement.rounding)), {});
    digits_->pickData(judgement.digits, {});
    angle_->pickData(angleKey(task.settings.angle), {});
    const QString draws = QString::number(task.settings.draws);
    if (draws_->findData(draws) < 0) {
        draws_->addItem(drawsLabel(task.settings.draws), draws);
    }
    draws_->pickData(draws, {});
    seed_->setText(QString::number(task.settings.seed));
    unit_->setText(text(task.unit));
    rows_->setInputs(task.inputs);
    correlations_->setCorrelations(task.correlations);
    formula_->setText(text(task.model));
    filling_ = false;
    saveSettings();
    recompute();
}

// The symbol is the formula's left side, typed in either place.
void PropagationWindow::symbolEdited() {
    const QString symbol = symbol_->text().trimmed();
    const QString right = rightSide(formula_->text());
    formula_->setText(symbol.isEmpty() ? right : symbol + " = " + right);
}

void PropagationWindow::formulaEdited() {
    const QSignalBlocker quiet(symbol_);
    symbol_->setText(leftSide(formula_->text()));
    recompute();
}

// The rows follow the formula's names; the GUM follows every edit, Monte Carlo once the edits
// have settled. Whatever was drawn for the task before goes.
void PropagationWindow::recompute() {
    if (filling_) {
        return;
    }
    ++version_;
    runner_->drop();
    settled_.stop();
    const std::string model = formula_->text().toStdString();
    const Checked<TaskSettings> settings = taskSettings();
    const Checked<propagation::ScannedFormula> scanned =
        propagation::scanFormula(model, settings ? settings->angle : propagation::Angle::Radians);
    if (scanned) {
        formula_->clearMark();
        rows_->followNames(scanned->names);
        preview_->setText(
            text(propagation::nameText(scanned->symbol, propagation::Style::Html) + " = " +
                 propagation::typedFormulaText(scanned->tokens, propagation::Style::Html)));
        preview_->setAccessibleName(
            "测量模型 " +
            text(propagation::nameText(scanned->symbol, propagation::Style::Text) + " = " +
                 propagation::typedFormulaText(scanned->tokens, propagation::Style::Text)));
    } else {
        const std::optional<propagation::TextPlace>& place = scanned.problem().place;
        if (place) {
            formula_->mark(place->column, text(place->piece));
        }
        preview_->clear();
        preview_->setAccessibleName({});
    }
    preview_->setVisible(scanned.ok());
    rows_->showEvaluations(settings ? settings->judgement : defaults().judgement);
    tellSoon({});
    if (formula_->text().trimmed().isEmpty()) {
        showNothing("请输入测量模型，如 ρ = 4*m/(π*d^2*h)，再填写各输入量。");
        return;
    }
    const Checked<Task> task = currentTask();
    if (!task) {
        showNothing(text(task.problem().text()));
        return;
    }
    Checked<Propagation> done = propagation::propagate(task.value());
    if (!done) {
        showNothing(text(done.problem().text()));
        return;
    }
    shown_ = std::move(done).value();
    showShown();
    settled_.start();
}

void PropagationWindow::showNothing(const QString& problem) {
    shown_.reset();
    showProblem(problem);
    showMonteCarloState();
}

void PropagationWindow::showShown() {
    showReport(propagation::propagationReport(*shown_));
    picture_->setEnabled(shown_->monteCarlo.has_value());
    if (const std::optional<HistogramData> data = histogramOf(*shown_)) {
        QString description = "不确定度传播律的曲线叠加在 " +
                              QString::number(data->monteCarlo.draws - data->monteCarlo.invalid) +
                              " 个抽样值的直方图上";
        histogram_->showDraws(*data, description);
    }
    showMonteCarloState();
}

// Closed, the window draws nothing; opened again, it draws for the result it shows.
void PropagationWindow::hideEvent(QHideEvent* event) {
    runner_->drop();
    settled_.stop();
    showMonteCarloState();
    ResultWindow::hideEvent(event);
}

void PropagationWindow::showEvent(QShowEvent* event) {
    ResultWindow::showEvent(event);
    if (shown_ && !shown_->monteCarlo && !runner_->running()) {
        settled_.start();
    }
}

void PropagationWindow::startMonteCarlo() {
    settled_.stop();
    if (!shown_) {
        return;
    }
    Propagation task = *shown_;
    task.monteCarlo.reset();
    task.monteCarloRefusal.reset();
    progress_->setValue(0);
    runner_->start(std::move(task), version_);
    showMonteCarloState();
}

void PropagationWindow::monteCarloDone(std::uint64_t tag, Propagation done) {
    if (tag != version_) {
        return;
    }
    shown_ = std::move(done);
    showShown();
    tellSoon("蒙特卡洛法：" + (shown_->monteCarlo ? monteCarloSummary(*shown_->monteCarlo)
                                                  : text(shown_->monteCarloRefusal->message)));
}

// The line under the inputs: what the Monte Carlo method is doing for the result shown.
void PropagationWindow::showMonteCarloState() {
    const bool running = runner_->running();
    QString state;
    if (!shown_) {
        state = "蒙特卡洛法：等待可计算的任务";
    } else if (running) {
        state = "蒙特卡洛法：正在抽样…";
    } else if (shown_->monteCarlo) {
        state = "蒙特卡洛法：" + monteCarloSummary(*shown_->monteCarlo);
    } else if (shown_->monteCarloRefusal) {
        state = "蒙特卡洛法：" + text(shown_->monteCarloRefusal->message);
    } else {
        state = "蒙特卡洛法：输入停下后开始抽样";
    }
    monteCarloState_->setText(state);
    progress_->setVisible(running);
    monteCarloButton_->setText(running ? "取消抽样(&X)" : "开始抽样(&G)");
    monteCarloButton_->setEnabled(running || (shown_ && !shown_->monteCarlo));
    if (!shown_ || !shown_->monteCarlo) {
        histogram_->showNone(state.section("：", 1));
    }
}

void PropagationWindow::takeSeries(const SeriesOffer& offer) {
    std::string name = offer.symbol;
    if (!propagation::isQuantityName(name)) {
        const std::vector<propagation::StatedInput> present =
            rows_->inputs() ? rows_->inputs().value() : std::vector<propagation::StatedInput>{};
        for (int number = 1;; ++number) {
            name = "x" + std::to_string(number);
            if (std::ranges::none_of(present,
                                     [&name](const auto& input) { return input.name == name; })) {
                break;
            }
        }
    }
    propagation::StatedInput input;
    input.name = name;
    input.kind = propagation::InputKind::Series;
    input.readings = offer.readings;
    input.allowance = offer.allowance;
    input.unit = offer.unit;
    filling_ = true;
    criterion_->pickData(keyText(criterionKey(offer.criterion)), {});
    alpha_->pickData(alphaKeyOf(offer.alpha), {});
    rows_->putInput(input);
    filling_ = false;
    tabs_->setCurrentIndex(0);
    saveSettings();
    recompute();
    tellSoon("已将数据分析的测量列填入输入量 " + text(name));
}

QString PropagationWindow::openTask(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        return QString("无法读取文件“%1”。").arg(file);
    }
    if (input.size() > largestTaskFile) {
        return QString("文件“%1”太大，不是任务文件。").arg(file);
    }
    const QByteArray bytes = input.readAll();
    const Checked<propagation::ReadTask> read =
        propagation::readTask(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!read) {
        return QString("无法打开任务“%1”：%2").arg(file, text(read.problem().text()));
    }
    setTask(read->task);
    tellSoon("已打开任务 " + QFileInfo(file).fileName());
    return {};
}

// Written only where it reads back as the same task, so that a saved task always opens.
QString PropagationWindow::saveTask(const QString& file) {
    Checked<Task> task = currentTask();
    if (!task) {
        return "任务还不完整，无法保存：" + text(task.problem().message);
    }
    std::erase_if(task.value().inputs, holdsNothing);
    const std::string written = propagation::writeTask(task.value());
    const Checked<propagation::ReadTask> back = propagation::readTask(written);
    if (!back) {
        return "任务还不完整，无法保存：" + text(back.problem().message);
    }
    if (propagation::writeTask(back->task) != written) {
        return "任务中有写入文件后无法原样读回的内容（如单位中的 #），无法保存。";
    }
    return writeTaskFile(task.value(), file);
}

void PropagationWindow::askToSave() {
    const QString file =
        askForFile(FileUse::Save, "保存任务", "间接测量任务.txt", "任务文件 (*.txt);;所有文件 (*)");
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = saveTask(file); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

void PropagationWindow::askToOpen() {
    const QString file =
        askForFile(FileUse::Open, "打开任务", {}, "任务文件 (*.txt);;所有文件 (*)");
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = openTask(file); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

// Asks where, then writes the file; a failure is told, not dropped.
void PropagationWindow::saveAs(const QString& caption, const QString& name, const QString& filter,
                               QString (*write)(const Propagation&, const QString&, const QFont&)) {
    const QString file = askForFile(FileUse::Save, caption, name, filter);
    if (file.isEmpty() || !shown_) {
        return;
    }
    if (const QString error = write(*shown_, file, font()); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

} // namespace tavrello
