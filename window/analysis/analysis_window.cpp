// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/analysis_window.h"

#include "analysis/report.h"
#include "window/analysis/analysis_report.h"
#include "window/analysis/box_series.h"
#include "window/appearance.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tavrello {

namespace {

constexpr QRgb removedGround = qRgb(0xFF, 0xE4, 0xE1);

QComboBox* comboOf(const QList<std::pair<QString, QVariant>>& entries, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const auto& [text, data] : entries) {
        combo->addItem(text, data);
    }
    return combo;
}

// A caption that names the control after it, for the mouse and for screen readers.
void addSetting(QGridLayout& grid, int row, int column, const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    control->setAccessibleName(QString(caption).remove(QRegularExpression("\\(&.\\)")));
    grid.addWidget(label, row, 2 * column);
    grid.addWidget(control, row, 2 * column + 1);
}

QString defaultFile(const QString& name) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
}

} // namespace

AnalysisWindow::AnalysisWindow(const FormControls& controls, const CalculationState& state,
                               UserMessages& messages, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), controls_(controls), state_(state), messages_(messages),
      mainWindow_(*mainWindow) {
    setObjectName("AnalysisWindow");
    setWindowTitle("数据分析");
    setFont(analysisFont());
    auto* layout = new QVBoxLayout(this);
    buildSettings();
    problem_ = new QLabel(this);
    problem_->setObjectName("problem");
    problem_->setWordWrap(true);
    table_ = new QTableWidget(this);
    table_->setObjectName("table");
    table_->setAccessibleName("测量数据与剔除结果");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    plot_ = new SeriesPlot(this);
    checks_ = new QLabel(this);
    checks_->setWordWrap(true);
    checks_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    checks_->setAccessibleName("系统误差检验");
    result_ = new QLabel(this);
    result_->setObjectName("result");
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont resultFont = result_->font();
    resultFont.setPixelSize(resultFont.pixelSize() * 4 / 3);
    resultFont.setBold(true);
    result_->setFont(resultFont);

    layout->addWidget(problem_);
    auto* views = new QHBoxLayout;
    views->addWidget(table_, 5);
    views->addWidget(plot_, 4);
    layout->addLayout(views, 1);
    layout->addWidget(checks_);
    layout->addWidget(result_);
    buildButtons();
    restoreSettings();
    resize(960, 700);
}

void AnalysisWindow::buildSettings() {
    criterion_ = new QComboBox(this);
    criterion_->setObjectName("criterion");
    for (const Criterion criterion : allCriteria) {
        criterion_->addItem(fromUtf8(std::string(criterionName(criterion))),
                            fromUtf8(std::string(criterionKey(criterion))));
    }
    alpha_ = comboOf({{"0.05", 0.05}, {"0.01", 0.01}}, this);
    confidence_ = new QComboBox(this);
    for (const Confidence confidence : allConfidences) {
        confidence_->addItem(fromUtf8(std::string(confidenceLabel(confidence))),
                             static_cast<int>(confidence));
    }
    instrumentError_ = new QLineEdit(this);
    instrumentError_->setObjectName("instrumentError");
    instrumentError_->setPlaceholderText("无");
    digits_ = comboOf({{"2", 2}, {"1", 1}}, this);
    auto* grid = new QGridLayout;
    addSetting(*grid, 0, 0, "判别准则(&C)", criterion_);
    addSetting(*grid, 0, 1, "显著性水平 α(&A)", alpha_);
    addSetting(*grid, 0, 2, "置信概率 P(&P)", confidence_);
    addSetting(*grid, 1, 0, "仪器允差 Δ(&D)", instrumentError_);
    addSetting(*grid, 1, 1, "不确定度有效位数(&N)", digits_);
    grid->setColumnStretch(6, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
    for (QComboBox* combo : {criterion_, alpha_, confidence_, digits_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            saveSettings();
            refresh();
        });
    }
    connect(instrumentError_, &QLineEdit::textChanged, this, [this] {
        saveSettings();
        refresh();
    });
}

void AnalysisWindow::buildButtons() {
    auto* row = new QHBoxLayout;
    const auto button = [this, row](const QString& text, auto handler) {
        auto* made = new QPushButton(text, this);
        made->setAutoDefault(false);
        connect(made, &QPushButton::clicked, this, handler);
        row->addWidget(made);
        return made;
    };
    copy_ = button("复制报告(&R)", [this] { copyAnalysisReport(*analysis_); });
    pdf_ = button("保存为 PDF…", [this] {
        saveAs("保存为 PDF", "测量列数据处理报告.pdf", "PDF 文件 (*.pdf)", writeAnalysisPdf);
    });
    picture_ = button("保存图片…", [this] {
        saveAs("保存图片", "测量列数据图.png", "PNG 图片 (*.png)", writeAnalysisPng);
    });
    writeBack_ = button("剔除并填回(&W)", &AnalysisWindow::writeKeptValuesBack);
    writeBack_->setObjectName("writeBack");
    row->addStretch(1);
    button("关闭", &QWidget::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void AnalysisWindow::restoreSettings() {
    const QSettings stored;
    const QSignalBlocker criterion(criterion_);
    const QSignalBlocker alpha(alpha_);
    const QSignalBlocker confidence(confidence_);
    const QSignalBlocker digits(digits_);
    const QSignalBlocker instrument(instrumentError_);
    criterion_->setCurrentIndex(
        std::max(0, criterion_->findData(stored.value("analysis/criterion", "grubbs"))));
    alpha_->setCurrentIndex(
        std::max(0, alpha_->findText(stored.value("analysis/alpha").toString())));
    confidence_->setCurrentIndex(
        std::max(0, confidence_->findText(stored.value("analysis/confidence", "95 %").toString())));
    instrumentError_->setText(stored.value("analysis/instrumentError").toString());
    digits_->setCurrentIndex(
        std::max(0, digits_->findText(stored.value("analysis/digits").toString())));
}

void AnalysisWindow::saveSettings() const {
    QSettings stored;
    stored.setValue("analysis/criterion", criterion_->currentData());
    stored.setValue("analysis/alpha", alpha_->currentText());
    stored.setValue("analysis/confidence", confidence_->currentText());
    stored.setValue("analysis/instrumentError", instrumentError_->text());
    stored.setValue("analysis/digits", digits_->currentText());
}

std::optional<Settings> AnalysisWindow::settings(QString& problem) const {
    Settings settings;
    settings.criterion = allCriteria[static_cast<std::size_t>(criterion_->currentIndex())];
    settings.alpha = alpha_->currentData().toDouble();
    settings.confidence = static_cast<Confidence>(confidence_->currentData().toInt());
    settings.digits = digits_->currentData().toInt();
    try {
        settings.instrumentError = allowanceFromText(instrumentError_->text().toStdString());
    } catch (const AnalysisError& error) {
        problem = QString::fromUtf8(error.what());
        return std::nullopt;
    }
    return settings;
}

void AnalysisWindow::refresh() {
    QString problem;
    const std::optional<Settings> chosen = settings(problem);
    const BoxSeries series = readBoxSeries(controls_, state_);
    if (!series.problem.isEmpty() || !chosen) {
        showProblem(series.problem.isEmpty() ? problem : series.problem);
        return;
    }
    try {
        showAnalysis(analyse(series.readings, *chosen));
    } catch (const AnalysisError& error) {
        showProblem(QString::fromUtf8(error.what()));
    }
}

void AnalysisWindow::showProblem(const QString& problem) {
    analysis_.reset();
    problem_->setText(problem);
    problem_->show();
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    plot_->showAnalysis(std::nullopt);
    checks_->clear();
    result_->clear();
    for (QPushButton* button : {copy_, pdf_, picture_, writeBack_}) {
        button->setEnabled(false);
    }
}

void AnalysisWindow::showAnalysis(const Analysis& analysis) {
    analysis_ = analysis;
    problem_->hide();
    fillTable(analysis);
    plot_->showAnalysis(analysis);
    const report::Document document = analysisReport(analysis);
    QString steps;
    for (const report::Block& block : document.blocks) {
        if (std::holds_alternative<report::Paragraph>(block) ||
            std::holds_alternative<report::Heading>(block) ||
            std::holds_alternative<report::Note>(block)) {
            steps += fromUtf8(report::plainText({{}, {block}})).trimmed() + "\n";
        }
    }
    checks_->setText(steps.trimmed());
    result_->setText(fromUtf8(analysis.result.text));
    for (QPushButton* button : {copy_, pdf_, picture_}) {
        button->setEnabled(true);
    }
    writeBack_->setEnabled(!analysis.chosen().removed.empty());
}

void AnalysisWindow::fillTable(const Analysis& analysis) {
    const report::Table table = residualTable(analysis);
    table_->setColumnCount(static_cast<int>(table.header.size()));
    QStringList header;
    for (const std::string& title : table.header) {
        header.append(fromUtf8(title));
    }
    table_->setHorizontalHeaderLabels(header);
    table_->setRowCount(static_cast<int>(table.rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto index = static_cast<std::size_t>(row);
        for (int column = 0; column < table_->columnCount(); ++column) {
            const auto at = static_cast<std::size_t>(column);
            auto* item = new QTableWidgetItem(fromUtf8(table.rows[index][at]));
            item->setToolTip(fromUtf8(table.details[index][at]));
            // Bold and a tinted ground, besides the words in its criterion's column.
            if (table.isEmphasised(index)) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(removedGround));
            }
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
}

// Asks where, then writes the file; a failure is told, not dropped.
void AnalysisWindow::saveAs(const QString& caption, const QString& name, const QString& filter,
                            QString (*write)(const Analysis&, const QString&, const QFont&)) {
    const QString file = QFileDialog::getSaveFileName(this, caption, defaultFile(name), filter);
    if (file.isEmpty()) {
        return;
    }
    if (const QString error = write(*analysis_, file, analysisFont()); !error.isEmpty()) {
        messages_.tell(*this, error);
    }
}

// The kept values go into boxes 1 to k in their order, as typed, boxes k + 1 to n are emptied,
// and k is picked as a user picks it, so that the main window's commands work on the series
// without its gross errors. The hidden boxes beyond n may hold other data, and are left alone.
// Every box changes by an edit of its own, which its undo takes back.
void AnalysisWindow::writeKeptValuesBack() {
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
}

} // namespace tavrello
