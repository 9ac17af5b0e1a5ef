// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"
#include "window/accessibility/announcer.h"
#include "window/analysis/analysis_window.h"
#include "window/message_boxes.h"
#include "window/propagation/correlation_editor.h"
#include "window/propagation/formula_box.h"
#include "window/propagation/histogram_plot.h"
#include "window/propagation/input_rows.h"
#include "window/propagation/monte_carlo_runner.h"
#include "window/result_window/result_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace tavrello {

// 间接测量: y = f(x₁, …) from its inputs, worked through as it is typed. The GUM's budget, the
// worked steps and the result line follow every edit at once; the Monte Carlo method runs on a
// thread of its own once the edits have settled, and its histogram and validation stand only
// beside the result they were drawn for. The task is kept in a text file, the same the command
// line reads; the settings are kept between runs.
class PropagationWindow : public ResultWindow {
    Q_OBJECT

  public:
    // The messages and the announcer belong to the main window and outlive this.
    PropagationWindow(UserMessages& messages, Announcer& announcer, QWidget* mainWindow);

    // The analysis window's series as an input, with its criterion and α.
    void takeSeries(const SeriesOffer& offer);

    // The task in the file, or why it cannot be read, with its line and character.
    QString openTask(const QString& file);
    // The task into the file, or why it cannot be.
    QString saveTask(const QString& file);

    // What the window shows: nothing while the task cannot be worked.
    const std::optional<propagation::Propagation>& shown() const { return shown_; }
    bool monteCarloRunning() const { return runner_->running(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // The input area's controls in their Tab order.
    std::vector<QWidget*> inputChain() const;
    void buildSettings();
    QWidget* buildInputArea();
    void buildButtons();
    void restoreSettings();
    std::array<std::pair<const char*, ChoiceBox*>, 8> choices() const;
    void saveSettings() const;
    void settingsChanged() override;

    propagation::Checked<propagation::TaskSettings> taskSettings() const;
    propagation::Checked<propagation::Task> currentTask() const;
    void setTask(const propagation::Task& task);
    void symbolEdited();
    void formulaEdited();

    void recompute();
    void showNothing(const QString& problem);
    void showShown();
    void startMonteCarlo();
    void monteCarloDone(std::uint64_t tag, propagation::Propagation done);
    void showMonteCarloState();

    void askToSave();
    void askToOpen();
    void saveAs(const QString& caption, const QString& name, const QString& filter,
                QString (*write)(const propagation::Propagation&, const QString&, const QFont&));

    UserMessages& messages_;
    std::optional<propagation::Propagation> shown_;
    // Counts the tasks worked, so that a Monte Carlo answer is known for the task it was for.
    std::uint64_t version_ = 0;
    bool filling_ = false;

    ChoiceBox* criterion_;
    ChoiceBox* alpha_;
    ChoiceBox* confidence_;
    ChoiceBox* coverage_;
    ChoiceBox* rounding_;
    ChoiceBox* digits_;
    ChoiceBox* angle_;
    ChoiceBox* draws_;
    QLineEdit* seed_;

    QLineEdit* symbol_;
    FormulaBox* formula_;
    QLineEdit* unit_;
    QLabel* preview_;
    QTabWidget* tabs_;
    InputRows* rows_;
    CorrelationEditor* correlations_;
    QLabel* monteCarloState_;
    QProgressBar* progress_;
    QPushButton* monteCarloButton_;
    HistogramPlot* histogram_;
    QPushButton* picture_;
    QTimer settled_;
    MonteCarloRunner* runner_;
};

} // namespace tavrello
