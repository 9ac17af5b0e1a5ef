// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/analysis.h"
#include "engine/calculation.h"
#include "window/analysis/series_plot.h"
#include "window/form_controls.h"
#include "window/message_boxes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <optional>

namespace tavrello {

// 数据分析: judges the series of the main window's boxes in use as it is typed, picked and
// changed: its gross errors by four criteria, checks for a systematic error, and the result
// with its uncertainty; a table, a plot, and the report to copy or save. Its settings are kept
// between runs.
class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    // The controls, the state and the messages belong to the main window and outlive this.
    AnalysisWindow(const FormControls& controls, const CalculationState& state,
                   UserMessages& messages, QWidget* mainWindow);

    // Reads the boxes again and shows what they hold now.
    void refresh();

    const std::optional<Analysis>& analysis() const { return analysis_; }

  private:
    void buildSettings();
    void buildButtons();
    void restoreSettings();
    void saveSettings() const;
    std::optional<Settings> settings(QString& problem) const;

    void showProblem(const QString& problem);
    void showAnalysis(const Analysis& analysis);
    void fillTable(const Analysis& analysis);

    void saveAs(const QString& caption, const QString& name, const QString& filter,
                QString (*write)(const Analysis&, const QString&, const QFont&));
    void writeKeptValuesBack();

    const FormControls& controls_;
    const CalculationState& state_;
    UserMessages& messages_;
    QWidget& mainWindow_;
    std::optional<Analysis> analysis_;

    QComboBox* criterion_;
    QComboBox* alpha_;
    QComboBox* confidence_;
    QLineEdit* instrumentError_;
    QComboBox* digits_;
    QLabel* problem_;
    QTableWidget* table_;
    SeriesPlot* plot_;
    QLabel* checks_;
    QLabel* result_;
    QPushButton* copy_;
    QPushButton* pdf_;
    QPushButton* picture_;
    QPushButton* writeBack_;
};

} // namespace tavrello
