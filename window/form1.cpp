// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/form1.h"

#include "engine/text_to_integer.h"
#include "window/analysis/analysis_window.h"
#include "window/fitting/fit_window.h"
#include "window/layout_table.h"
#include "window/propagation/propagation_window.h"
#include "window/window_builder.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <map>

namespace tavrello {

namespace {

QString firstRowCaption(int row, int method) {
    if (method == static_cast<int>(Method::Range)) {
        return row == 1 ? "Xmax" : "Xmin";
    }
    return rowCaption(row);
}

constexpr char aboutText[] =
    "<p><b>Tavrello " TAVRELLO_VERSION "</b></p>"
    "<p>测量列的算术平均值、标准差与数据分析。</p>"
    "<p>本程序是自由软件：您可以依据自由软件基金会发布的 GNU 通用公共许可证第 3 版，"
    "或者（由您选择）任何更新的版本，再发布和修改它。本程序不提供任何担保。</p>"
    "<p>窗口所用的宋体字取自文鼎 AR PL SungtiL GB，依据文鼎公众授权书"
    "（Arphic Public License）发布。</p>";

} // namespace

Form1::~Form1() = default;

Form1::Form1(UserMessages& messages, Clock& clock)
    : messages_(messages), ui_(buildWindow(*this)), controls_(ui_), announcer_(*this),
      statusClock_(clock, *ui_.Label10), seriesPaste_(*this, ui_, state_, messages, announcer_),
      resultCopy_(*this, ui_), timer1_(systemAlarm(), systemWallTime, this), analyse_("数据分析…"),
      propagate_("间接测量…"), fit_("直线拟合…"), about_("关于 Tavrello") {
    setObjectName("Form1");
    timer1_.setObjectName("Timer1");
    setWindowTitle("Tavrello");
    setWindowIcon(calculatorIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(windowWidthTwips / twipsPerPixel, windowHeightTwips / twipsPerPixel);
    bindEvents();
    load();
    centreOnScreen();
    ui_.Text[0]->setFocus();
}

void Form1::load() {
    state_.c = static_cast<std::int16_t>(Method::Bessel);
}

void Form1::bindEvents() {
    connect(ui_.Combo1, &SampleCountBox::picked, this, &Form1::pickSampleCount);
    for (int method = 1; method <= methodCount; ++method) {
        methods_.addButton(ui_.Option[method - 1], method);
    }
    connect(&methods_, &QButtonGroup::idClicked, this, &Form1::chooseMethod);
    connect(ui_.Command1, &QPushButton::clicked, this, &Form1::compute);
    connect(ui_.Command2, &QPushButton::clicked, this,
            [this] { showDeviation(ResultGroup::SingleDeviation); });
    connect(ui_.Command3, &QPushButton::clicked, this,
            [this] { showDeviation(ResultGroup::MeanDeviation); });
    connect(ui_.Command4, &QPushButton::clicked, this, &Form1::clearInput);
    connect(ui_.Command5, &QPushButton::clicked, this, &Form1::clearOutput);
    connect(&timer1_, &WholeSecondTimer::timeout, this, [this] { statusClock_.tick(); });
    bindInputBoxes();
    analyse_.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    addAction(&analyse_);
    connect(&analyse_, &QAction::triggered, this, [this] { openAnalysis(); });
    propagate_.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    addAction(&propagate_);
    connect(&propagate_, &QAction::triggered, this, [this] { openPropagation(); });
    fit_.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    addAction(&fit_);
    connect(&fit_, &QAction::triggered, this, [this] { openFit(); });
    connect(&about_, &QAction::triggered, this, &Form1::showAbout);
    for (QLabel* label : ui_.Results) {
        label->addAction(&analyse_);
    }
}

void Form1::bindInputBoxes() {
    for (int box = 1; box <= inputBoxCount; ++box) {
        InputBox* input = ui_.Text[box - 1];
        connect(input, &InputBox::pasteRequested, this, [this, box] { seriesPaste_.paste(box); });
        connect(input, &InputBox::stepRequested, this,
                [this, box](int step) { stepFromInputBox(ui_.Text, box, step, *ui_.Command1); });
        connect(input, &QLineEdit::textChanged, this, &Form1::seriesChanged);
        input->addAction(&analyse_);
    }
}

void Form1::centreOnScreen() {
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

void Form1::pickSampleCount() {
    std::int16_t count = 0;
    try {
        count = textToInteger(ui_.Combo1->currentText().toStdString());
    } catch (const RunTimeError& error) {
        messages_.reportError(*this, error);
        return;
    }
    state_.n = count;
    if (count >= 2 && count <= inputBoxCount) {
        showInputBoxes(count);
    }
    // The range method needs only the largest and the smallest value.
    if (state_.c == static_cast<std::int16_t>(Method::Range)) {
        showInputBoxes(rangeRowCount);
    }
    emit seriesChanged();
}

void Form1::showInputBoxes(int count) {
    for (int box = 1; box <= inputBoxCount; ++box) {
        ui_.Text[box - 1]->setVisible(box <= count);
    }
}

void Form1::chooseMethod(int code) {
    state_.c = static_cast<std::int16_t>(code);
    for (int row = 1; row <= rangeRowCount; ++row) {
        QLabel& caption = *ui_.Label1[row - 1];
        caption.setText(firstRowCaption(row, code));
        caption.adjustSize();
    }
    emit seriesChanged();
}

void Form1::compute() {
    if (const Outcome outcome = computeCommand(state_, controls_)) {
        // The report is read out; what the command wrote before it stopped is not.
        controls_.takeWritten();
        messages_.reportError(*this, *outcome);
        return;
    }
    // The range method clears the mean it wrote a moment before.
    const bool range = state_.c == static_cast<std::int16_t>(Method::Range);
    announceWritten(range ? "极差法不求" + resultQuantity(ResultGroup::Mean)
                          : resultQuantity(ResultGroup::Mean));
}

void Form1::showDeviation(ResultGroup group) {
    if (group == ResultGroup::SingleDeviation) {
        showSingleDeviation(state_, controls_);
    } else {
        showMeanDeviation(state_, controls_);
    }
    announceWritten(resultQuantity(group));
}

// The labels sit away from the focus, so what the command wrote is told: "算术平均值，第 1 组：
// 10.2；第 3 组：10.2", the last text of each slot.
void Form1::announceWritten(const QString& lead) {
    std::map<int, QString> lastTexts;
    for (const WrittenResult& written : controls_.takeWritten()) {
        lastTexts[written.slot] = written.text;
    }
    if (lastTexts.empty()) {
        announcer_.announce(lead + "：没有选中要输出的组");
        return;
    }
    QStringList parts;
    for (const auto& [slot, text] : lastTexts) {
        parts.append(text.isEmpty() ? QString("第 %1 组已清空").arg(slot)
                                    : QString("第 %1 组：%2").arg(QString::number(slot), text));
    }
    announcer_.announce(lead + "，" + parts.join("；"));
}

void Form1::clearInput() {
    for (QLineEdit* box : ui_.Text) {
        box->clear();
    }
    announcer_.announce("已清除输入数据");
}

void Form1::clearOutput() {
    for (QLabel* label : ui_.Results) {
        label->clear();
    }
    announcer_.announce("已清除输出结果");
}

AnalysisWindow& Form1::openAnalysis() {
    if (!analysisWindow_) {
        analysisWindow_ =
            std::make_unique<AnalysisWindow>(ui_, state_, messages_, announcer_, this);
        connect(this, &Form1::seriesChanged, analysisWindow_.get(), &AnalysisWindow::refresh);
        connect(analysisWindow_.get(), &AnalysisWindow::seriesOffered, this,
                [this](const SeriesOffer& offer) { openPropagation().takeSeries(offer); });
    }
    AnalysisWindow& window = *analysisWindow_;
    window.refresh();
    window.showBeside(place(), screen()->availableGeometry());
    return window;
}

PropagationWindow& Form1::openPropagation() {
    if (!propagationWindow_) {
        propagationWindow_ = std::make_unique<PropagationWindow>(messages_, announcer_, this);
    }
    propagationWindow_->showBeside(place(), screen()->availableGeometry());
    return *propagationWindow_;
}

// The fit follows none of this window's boxes: where the screen has no room beside this window,
// it may cover all of it.
FitWindow& Form1::openFit() {
    if (!fitWindow_) {
        fitWindow_ = std::make_unique<FitWindow>(messages_, announcer_, this);
    }
    MainWindowPlace coverable = place();
    coverable.formulaColumn = coverable.frame;
    coverable.inputColumn =
        QRect(coverable.frame.right() + 1, coverable.frame.top(), 0, coverable.frame.height());
    fitWindow_->showBeside(coverable, screen()->availableGeometry());
    return *fitWindow_;
}

// The formula column runs from the frame's left edge to the first divider, the input column from
// there to the second one's right edge.
MainWindowPlace Form1::place() const {
    const auto global = [](const QWidget& widget) {
        return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    };
    const QRect steps = global(*ui_.Frame1);
    const QRect first = global(*ui_.Frame2);
    const QRect second = global(*ui_.Frame3);
    return {frameGeometry(),
            QRect(QPoint(first.left(), steps.top()), QPoint(second.right(), steps.bottom())),
            QRect(steps.topLeft(), QPoint(first.left() - 1, steps.bottom()))};
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(&analyse_);
    menu->addAction(&propagate_);
    menu->addAction(&fit_);
    menu->addAction(resultCopy_.copyAllAction());
    menu->addSeparator();
    menu->addAction(&about_);
    menu->popup(event->globalPos());
}

void Form1::showAbout() {
    auto* box = new QMessageBox(QMessageBox::Information, "关于 Tavrello", aboutText,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::RichText);
    box->setIconPixmap(windowIcon().pixmap(48, 48));
    box->open();
}

} // namespace tavrello
