// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/form1.h"

#include "engine/text_to_integer.h"
#include "window/layout_table.h"
#include "window/window_builder.h"

#include <QScreen>

namespace tavrello {

namespace {

QString firstRowCaption(int row, int method) {
    if (method == static_cast<int>(Method::Range)) {
        return row == 1 ? "Xmax" : "Xmin";
    }
    return rowCaption(row);
}

} // namespace

Form1::Form1(UserMessages& messages, Clock& clock)
    : messages_(messages), ui_(buildWindow(*this)), controls_(ui_),
      statusClock_(clock, *ui_.Label10), seriesPaste_(*this, ui_, state_, messages),
      resultCopy_(*this, ui_), timer1_(systemAlarm(), systemWallTime, this) {
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
            [this] { showSingleDeviation(state_, controls_); });
    connect(ui_.Command3, &QPushButton::clicked, this,
            [this] { showMeanDeviation(state_, controls_); });
    connect(ui_.Command4, &QPushButton::clicked, this, &Form1::clearInput);
    connect(ui_.Command5, &QPushButton::clicked, this, &Form1::clearOutput);
    connect(&timer1_, &WholeSecondTimer::timeout, this, [this] { statusClock_.tick(); });
    bindInputBoxes();
}

void Form1::bindInputBoxes() {
    for (int box = 1; box <= inputBoxCount; ++box) {
        InputBox* input = ui_.Text[box - 1];
        connect(input, &InputBox::pasteRequested, this, [this, box] { seriesPaste_.paste(box); });
        connect(input, &InputBox::stepRequested, this,
                [this, box](int step) { stepFromInputBox(ui_.Text, box, step, *ui_.Command1); });
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
}

void Form1::compute() {
    if (const Outcome outcome = computeCommand(state_, controls_)) {
        messages_.reportError(*this, *outcome);
    }
}

void Form1::clearInput() {
    for (QLineEdit* box : ui_.Text) {
        box->clear();
    }
}

void Form1::clearOutput() {
    for (QLabel* label : ui_.Results) {
        label->clear();
    }
}

} // namespace tavrello
