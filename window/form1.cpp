// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "engine/text_to_integer.h"
#include "input_box.h"
#include "input_steps.h"
#include "layout_table.h"
#include "sample_count_box.h"
#include "window_builder.h"
#include "window_icon.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace tavrello {

namespace {

constexpr int methodCount = 4;

// Built before any member that looks up a control.
QWidget& built(QWidget& window) {
    buildWindow(window, layoutTable(), focusOrder());
    return window;
}

std::array<QLineEdit*, inputBoxCount> inputBoxesOf(const QWidget& window) {
    std::array<QLineEdit*, inputBoxCount> boxes{};
    for (int box = 1; box <= inputBoxCount; ++box) {
        boxes[box - 1] = &control<QLineEdit>(window, numbered("Text", box));
    }
    return boxes;
}

std::array<QCheckBox*, slotCount> checksOf(const QWidget& window) {
    std::array<QCheckBox*, slotCount> checks{};
    for (int slot = 1; slot <= slotCount; ++slot) {
        checks[slot - 1] = &control<QCheckBox>(window, numbered("Check", slot));
    }
    return checks;
}

// Label12 to Label23: the mean group, then the two deviation groups.
std::array<QLabel*, resultLabelCount> resultLabelsOf(const QWidget& window) {
    std::array<QLabel*, resultLabelCount> labels{};
    for (int index = 0; index < resultLabelCount; ++index) {
        labels[index] = &control<QLabel>(window, numbered("Label", 12 + index));
    }
    return labels;
}

QString firstRowCaption(int row, int method) {
    if (method == static_cast<int>(Method::Range)) {
        return row == 1 ? "Xmax" : "Xmin";
    }
    return rowCaption(row);
}

} // namespace

Form1::Form1(ErrorReporter& reporter, Clock& clock, Notifier& notifier)
    : reporter_(reporter), sampleCount_(control<SampleCountBox>(built(*this), "Combo1")),
      inputBoxes_(inputBoxesOf(*this)), firstRowCaptions_{&control<QLabel>(*this, rowCaptionId(1)),
                                                          &control<QLabel>(*this, rowCaptionId(2))},
      resultLabels_(resultLabelsOf(*this)), controls_(inputBoxes_, checksOf(*this), resultLabels_),
      statusClock_(clock, control<QLabel>(*this, "Label10")),
      seriesPaste_(*this, inputBoxes_, sampleCount_, state_, notifier),
      resultCopy_(*this, resultLabels_), timer1_(systemAlarm(), systemWallTime, this) {
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
    inputBoxes_[0]->setFocus();
}

void Form1::load() {
    state_.c = static_cast<std::int16_t>(Method::Bessel);
}

void Form1::bindEvents() {
    connect(&sampleCount_, &SampleCountBox::picked, this, &Form1::pickSampleCount);
    for (int method = 1; method <= methodCount; ++method) {
        methods_.addButton(&control<QRadioButton>(*this, numbered("Option", method)), method);
    }
    connect(&methods_, &QButtonGroup::idClicked, this, &Form1::chooseMethod);
    const auto onClick = [this](const char* id, auto handler) {
        connect(&control<QPushButton>(*this, id), &QPushButton::clicked, this, handler);
    };
    onClick("Command1", [this] { compute(); });
    onClick("Command2", [this] { showSingleDeviation(state_, controls_); });
    onClick("Command3", [this] { showMeanDeviation(state_, controls_); });
    onClick("Command4", [this] { clearInput(); });
    onClick("Command5", [this] { clearOutput(); });
    connect(&timer1_, &WholeSecondTimer::timeout, this, [this] { statusClock_.tick(); });
    bindInputBoxes();
}

void Form1::bindInputBoxes() {
    QWidget* compute = &control<QPushButton>(*this, "Command1");
    for (int box = 1; box <= inputBoxCount; ++box) {
        auto& input = control<InputBox>(*this, numbered("Text", box));
        connect(&input, &InputBox::pasteRequested, this, [this, box] { seriesPaste_.paste(box); });
        connect(&input, &InputBox::stepRequested, this, [this, box, compute](int step) {
            stepFromInputBox(inputBoxes_, box, step, *compute);
        });
    }
}

void Form1::centreOnScreen() {
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

void Form1::pickSampleCount() {
    std::int16_t count = 0;
    try {
        count = textToInteger(sampleCount_.currentText().toStdString());
    } catch (const RunTimeError& error) {
        reporter_.report(*this, error);
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
        inputBoxes_[box - 1]->setVisible(box <= count);
    }
}

void Form1::chooseMethod(int code) {
    state_.c = static_cast<std::int16_t>(code);
    for (int row = 1; row <= rangeRowCount; ++row) {
        QLabel& caption = *firstRowCaptions_[row - 1];
        caption.setText(firstRowCaption(row, code));
        caption.adjustSize();
    }
}

void Form1::compute() {
    if (const Outcome outcome = computeCommand(state_, controls_)) {
        reporter_.report(*this, *outcome);
    }
}

void Form1::clearInput() {
    for (QLineEdit* box : inputBoxes_) {
        box->clear();
    }
}

void Form1::clearOutput() {
    for (QLabel* label : resultLabels_) {
        label->clear();
    }
}

} // namespace tavrello
