// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/analysis_window.h"

#include "analysis/report.h"
#include "window/analysis/analysis_report.h"
#include "window/analysis/box_series.h"
#include "window/result_window/setting_choices.h"

#include <QSettings>

namespace tavrello {

namespace {

// The documented defaults, those of Settings, as the settings file writes them.
const Settings defaults;

} // namespace

AnalysisWindow::AnalysisWindow(const FormControls& controls, const CalculationState& state,
                               UserMessages& messages, Announcer& announcer, QWidget* mainWindow)
    : ResultWindow(*mainWindow, announcer, "数据分析"), controls_(controls), state_(state),
      messages_(messages) {
    setObjectName("AnalysisWindow");
    buildSettings();
    plot_ = new SeriesPlot(this);
    plot_->setObjectName("plot");
    setPlot(plot_);
    nameTable("测量数据与剔除结果");
    buildButtons();
    restoreSettings();
}

void AnalysisWindow::buildSettings() {
    criterion_ = addChoice("判别准则(&C)", criterionChoices());
    criterion_->setObjectName("criterion");
    alpha_ = addChoice("显著性水平 α(&A)", alphaChoices());
    alpha_->setObjectName("alpha");
    confidence_ = addChoice("置信概率 P(&P)", confidenceChoices());
    confidence_->setObjectName("confidence");
    coverage_ = addChoice("包含因子 k(&K)", coverageChoices());
    coverage_->setObjectName("coverage");
    instrumentError_ = addTextSetting("仪器允差 Δ_仪(&D)", "无");
    instrumentError_->setObjectName("instrumentError");
    digits_ = addChoice("不确定度有效位数(&N)", digitsChoices());
    digits_->setObjectName("digits");
    rounding_ = addChoice("修约(&O)", roundingChoices());
    rounding_->setObjectName("rounding");
    symbol_ = addTextSetting("物理量符号(&Y)", keyText(defaults.symbol));
    symbol_->setObjectName("symbol");
    unit_ = addTextSetting("单位(&U)", "无");
    unit_->setObjectName("unit");
}

void AnalysisWindow::buildButtons() {
    addButton("复制报告(&R)", [this] { copyAnalysisReport(*analysis_); })->setObjectName("copy");
    addButton("保存为 PDF…", [this] {
        saveAs("保存为 PDF", "测量列数据处理报告.pdf", "PDF 文件 (*.pdf)", writeAnalysisPdf);
    });
    addButton("保存图片…", [this] {
        saveAs("保存图片", "测量列数据图.png", "PNG 图片 (*.png)", writeAnalysisPng);
    });
    writeBack_ = addButton(
        "剔除并填回(&W)", [this] { writeKeptValuesBack(); }, ButtonKind::Told);
    writeBack_->setObjectName("writeBack");
    addButton("用于间接测量(&I)…", [this] { emit seriesOffered(offer()); })->setObjectName("offer");
}

// A stored setting this window cannot use gives way to its default, not to the first entry.
void AnalysisWindow::restoreSettings() {
    const QSettings stored;
    const std::initializer_list<QObject*> all = {criterion_, alpha_,    confidence_,
                                                 coverage_,  rounding_, instrumentError_,
                                                 digits_,    symbol_,   unit_};
    for (QObject* setting : all) {
        setting->blockSignals(true);
    }
    criterion_->pickData(stored.value("analysis/criterion"),
                         keyText(criterionKey(defaults.criterion)));
    alpha_->pickData(stored.value("analysis/alpha"), alphaKeyOf(defaults.alpha));
    // Earlier versions wrote the label, "95 %".
    confidence_->pickData(stored.value("analysis/confidence").toString().remove('%').trimmed(),
                          keyText(confidenceKey(defaults.confidence)));
    coverage_->pickData(stored.value("analysis/coverage"), keyText(coverageKey(defaults.coverage)));
    rounding_->pickData(stored.value("analysis/rounding"), keyText(roundingKey(defaults.rounding)));
    digits_->pickData(stored.value("analysis/digits").toInt(), defaults.digits);
    instrumentError_->setText(stored.value("analysis/instrumentError").toString());
    symbol_->setText(stored.value("analysis/symbol").toString());
    unit_->setText(stored.value("analysis/unit").toString());
    for (QObject* setting : all) {
        setting->blockSignals(false);
    }
}

void AnalysisWindow::saveSettings() const {
    QSettings stored;
    stored.setValue("analysis/criterion", criterion_->currentData());
    stored.setValue("analysis/alpha", alpha_->currentData());
    stored.setValue("analysis/confidence", confidence_->currentData());
    stored.setValue("analysis/coverage", coverage_->currentData());
    stored.setValue("analysis/rounding", rounding_->currentData());
    stored.setValue("analysis/instrumentError", instrumentError_->text());
    stored.setValue("analysis/digits", digits_->currentData());
    stored.setValue("analysis/symbol", symbol_->text());
    stored.setValue("analysis/unit", unit_->text());
}

// Throws AnalysisError for an allowance that cannot be used.
Settings AnalysisWindow::settings() const {
    Settings settings;
    settings.criterion = allCriteria[static_cast<std::size_t>(criterion_->currentIndex())];
    settings.alpha = *alphaFromKey(alpha_->currentData().toString().toStdString());
    settings.confidence = *confidenceFromKey(confidence_->currentData().toString().toStdString());
    settings.coverage = *coverageFromKey(coverage_->currentData().toString().toStdString());
    settings.rounding = *roundingFromKey(rounding_->currentData().toString().toStdString());
    settings.digits = digits_->currentData().toInt();
    settings.instrumentError = allowanceFromText(instrumentError_->text().toStdString());
    settings.symbol = symbol_->text().toStdString();
    settings.unit = unit_->text().toStdString();
    return settings;
}

void AnalysisWindow::settingsChanged() {
    saveSettings();
    refresh();
}

void AnalysisWindow::refresh() {
    if (writingBack_) {
        return;
    }
    const BoxSeries series = readBoxSeries(controls_, state_);
    try {
        const Settings chosen = settings();
        if (!series.problem.isEmpty()) {
            showNothing(series.problem);
            return;
        }
        showAnalysis(analyse(series.readings, chosen));
    } catch (const AnalysisError& error) {
        showNothing(series.problem.isEmpty() ? QString::fromUtf8(error.what()) : series.problem);
    }
}

void AnalysisWindow::showNothing(const QString& problem) {
    analysis_.reset();
    plot_->showAnalysis(std::nullopt);
    showProblem(problem);
}

void AnalysisWindow::showAnalysis(const Analysis& analysis) {
    analysis_ = analysis;
    plot_->showAnalysis(analysis);
    const report::Table table = residualTable(analysis);
    const auto chosen = std::ranges::find(analysis.criteria, analysis.settings.criterion,
                                          &CriterionOutcome::criterion);
    showReport(analysisReport(analysis),
               static_cast<int>(table.header.size() - analysis.criteria.size()) +
                   static_cast<int>(chosen - analysis.criteria.begin()));
    writeBack_->setEnabled(!analysis.chosen().removed.empty());
}

SeriesOffer AnalysisWindow::offer() const {
    SeriesOffer offer;
    for (const Reading& reading : analysis_->readings) {
        offer.readings.push_back(reading.text);
    }
    offer.allowance = instrumentError_->text().trimmed().toStdString();
    offer.symbol = symbol_->text().trimmed().toStdString();
    offer.unit = unit_->text().trimmed().toStdString();
    offer.criterion = analysis_->settings.criterion;
    offer.alpha = analysis_->settings.alpha;
    return offer;
}

// Asks where, then writes the file; a failure is told, not dropped.
void AnalysisWindow::saveAs(const QString& caption, const QString& name, const QString& filter,
                            QString (*write)(const Analysis&, const QString&, const QFont&)) {
    const QString file = askForFile(FileUse::Save, caption, name, filter);
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = write(*analysis_, file, font()); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

// The kept values go into boxes 1 to k in their order, as typed, boxes k + 1 to n are emptied,
// and k is picked as a user picks it, so that the main window's commands work on the series
// without its gross errors. The hidden boxes beyond n may hold other data, and are left alone.
// Every box changes by an edit of its own, which its undo takes back. The window shows the new
// series once, not each step of the way: each showing is a flood of events for a screen reader.
void AnalysisWindow::writeKeptValuesBack() {
    writingBack_ = true;
    const std::vector<int> removed = analysis_->chosen().removed;
    QStringList kept;
    for (const Reading& reading : analysis_->readings) {
        if (std::ranges::find(removed, reading.position) == removed.end()) {
            kept.append(fromUtf8(reading.text));
        }
    }
    const int inUse = static_cast<int>(analysis_->readings.size());
    for (int box = 1; box <= inUse; ++box) {
        InputBox& target = *controls_.Text[box - 1];
        target.selectAll();
        if (box <= kept.size()) {
            target.insert(kept[box - 1]);
        } else if (!target.text().isEmpty()) {
            target.del();
        }
    }
    controls_.Combo1->pick(QString::number(kept.size()));
    writingBack_ = false;
    refresh();
    tellSoon(QString("已剔除 %1 个值，保留的 %2 个填回第 1 至 %2 个输入框")
                 .arg(removed.size())
                 .arg(kept.size()));
}

} // namespace tavrello
