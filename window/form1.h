// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock.h"
#include "engine/calculation.h"
#include "error_report.h"
#include "notifier.h"
#include "result_table_copy.h"
#include "series_paste.h"
#include "status_clock.h"
#include "whole_second_timer.h"
#include "widget_controls.h"

#include <QButtonGroup>
#include <QWidget>
#include <array>

namespace tavrello {

class SampleCountBox;

// The one window of the program. It owns the calculation state and binds every user event
// to its handler.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // The reporter, the clock and the notifier must outlive the window.
    Form1(ErrorReporter& reporter, Clock& clock, Notifier& notifier = messageBoxNotifier());

    const CalculationState& state() const { return state_; }

  private:
    void load();
    void bindEvents();
    void bindInputBoxes();
    void centreOnScreen();

    void pickSampleCount();
    void chooseMethod(int code);
    void compute();
    void clearInput();
    void clearOutput();

    void showInputBoxes(int count);

    ErrorReporter& reporter_;
    CalculationState state_;
    SampleCountBox& sampleCount_;
    QButtonGroup methods_;
    std::array<QLineEdit*, inputBoxCount> inputBoxes_;
    std::array<QLabel*, 2> firstRowCaptions_;
    std::array<QLabel*, resultLabelCount> resultLabels_;
    WidgetControls controls_;
    StatusClock statusClock_;
    SeriesPaste seriesPaste_;
    ResultTableCopy resultCopy_;
    WholeSecondTimer timer1_;
};

} // namespace tavrello
