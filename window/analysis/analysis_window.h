// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"
#include "engine/calculation.h"
#include "window/accessibility/announcer.h"
#include "window/analysis/series_plot.h"
#include "window/form_controls.h"
#include "window/message_boxes.h"
#include "window/result_window/result_window.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrello {

// A series handed on to the indirect measurement: its readings as typed, its Δ_仪, symbol and
// unit as typed, and the criterion and α it was judged with.
struct SeriesOffer {
    std::vector<std::string> readings;
    std::string allowance;
    std::string symbol;
    std::string unit;
    Criterion criterion = Criterion::Grubbs;
    double alpha = 0.05;
};

// 数据分析: judges the series of the main window's boxes in use as it is typed, picked and
// changed: its gross errors by four criteria, checks for a systematic error, and the result
// with its uncertainty; a table, a plot, and the report to copy or save. Its settings are kept
// between runs.
class AnalysisWindow : public ResultWindow {
    Q_OBJECT

  public:
    // The controls, the state, the messages and the announcer belong to the main window and
    // outlive this.
    AnalysisWindow(const FormControls& controls, const CalculationState& state,
                   UserMessages& messages, Announcer& announcer, QWidget* mainWindow);

    // Reads the boxes again and shows what they hold now.
    void refresh();

    const std::optional<Analysis>& analysis() const { return analysis_; }

  signals:
    // 用于间接测量: the series shown, to become an input of the indirect measurement.
    void seriesOffered(const SeriesOffer& offer);

  private:
    void buildSettings();
    void buildButtons();
    void restoreSettings();
    void saveSettings() const;
    Settings settings() const;
    void settingsChanged() override;

    void showNothing(const QString& problem);
    void showAnalysis(const Analysis& analysis);

    void saveAs(const QString& caption, const QString& name, const QString& filter,
                QString (*write)(const Analysis&, const QString&, const QFont&));
    void writeKeptValuesBack();
    SeriesOffer offer() const;

    const FormControls& controls_;
    const CalculationState& state_;
    UserMessages& messages_;
    std::optional<Analysis> analysis_;
    bool writingBack_ = false;

    ChoiceBox* criterion_;
    ChoiceBox* alpha_;
    ChoiceBox* confidence_;
    ChoiceBox* coverage_;
    ChoiceBox* rounding_;
    QLineEdit* instrumentError_;
    ChoiceBox* digits_;
    QLineEdit* symbol_;
    QLineEdit* unit_;
    SeriesPlot* plot_;
    QPushButton* writeBack_;
};

} // namespace tavrello
