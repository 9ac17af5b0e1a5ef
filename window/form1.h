// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/calculation.h"
#include "window/accessibility/announcer.h"
#include "window/clock/status_clock.h"
#include "window/clock/whole_second_timer.h"
#include "window/form_controls.h"
#include "window/message_boxes.h"
#include "window/result_table_copy.h"
#include "window/result_window/placement.h"
#include "window/series_paste.h"
#include "window/widget_controls.h"

#include <QAction>
#include <QButtonGroup>
#include <QWidget>
#include <memory>

namespace tavrello {

class AnalysisWindow;
class PropagationWindow;
class FitWindow;

// The one window of the program. It owns the calculation state and binds every user event
// to its handler.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // The messages and the clock must outlive the window.
    Form1(UserMessages& messages, Clock& clock);
    ~Form1() override;

    const CalculationState& state() const { return state_; }

    // Opens the analysis window beside this one, or brings it forward; made on first use.
    AnalysisWindow& openAnalysis();
    // Opens the indirect measurement beside this one, or brings it forward; made on first use.
    PropagationWindow& openPropagation();
    // Opens the line-fit window, or brings it forward; made on first use.
    FitWindow& openFit();

  signals:
    // After any change of what the boxes in use hold: an edit, a count or a method picked.
    void seriesChanged();

  protected:
    // The menu of the window's free spots.
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void load();
    void bindEvents();
    void bindInputBoxes();
    void centreOnScreen();
    MainWindowPlace place() const;

    void pickSampleCount();
    void chooseMethod(int code);
    void compute();
    void showDeviation(ResultGroup group);
    void announceWritten(const QString& lead);
    void clearInput();
    void clearOutput();

    void showInputBoxes(int count);
    void showAbout();

    UserMessages& messages_;
    CalculationState state_;
    const FormControls ui_;
    QButtonGroup methods_;
    WidgetControls controls_;
    Announcer announcer_;
    StatusClock statusClock_;
    SeriesPaste seriesPaste_;
    ResultTableCopy resultCopy_;
    WholeSecondTimer timer1_;
    QAction analyse_;
    QAction propagate_;
    QAction fit_;
    QAction about_;
    std::unique_ptr<AnalysisWindow> analysisWindow_;
    std::unique_ptr<PropagationWindow> propagationWindow_;
    std::unique_ptr<FitWindow> fitWindow_;
};

} // namespace tavrello
