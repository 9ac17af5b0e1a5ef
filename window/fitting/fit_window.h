// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/line_fit.h"
#include "window/accessibility/announcer.h"
#include "window/fitting/data_table.h"
#include "window/fitting/fit_plot.h"
#include "window/message_boxes.h"
#include "window/result_window/result_window.h"

#include <QGridLayout>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace tavrello {

// 直线拟合: fits a straight line to the points typed, pasted or opened in its table as they
// change, by least squares (through the origin or not, weighted where u(y) is given) or by
// successive differences, after a transform of x or y; the table of residuals, the plot with the
// residuals under it, the worked steps and the result lines of b, a and r; the data kept in a
// text file and the report copied or saved. Its settings are kept between runs.
class FitWindow : public ResultWindow {
    Q_OBJECT

  public:
    // The messages, the announcer and the main window outlive this.
    FitWindow(UserMessages& messages, Announcer& announcer, QWidget* mainWindow);

    // Fits the points in the table again and shows the fit, or why there is none.
    void refresh();
    const std::shared_ptr<const fitting::Fit>& fit() const { return fit_; }

    // The data file read into the table, or written from it; the error in words, empty when done.
    QString openFile(const QString& file);
    QString saveFile(const QString& file) const;

  private:
    void buildSettings();
    void buildInput();
    void addFields(QGridLayout& side, std::vector<QWidget*>& controls);
    void addFileButtons(QGridLayout& side, std::vector<QWidget*>& controls);
    void buildButtons();
    void restoreSettings();
    void saveSettings() const;
    fitting::FitSettings settings() const;
    void settingsChanged() override;

    fitting::Quantity quantity(int axis) const;
    void nameQuantities(const fitting::Quantity& x, const fitting::Quantity& y);
    fitting::Outcome<fitting::DataSet> data() const;
    void showFit(fitting::Fit fit);
    void showNothing(const QString& problem, std::optional<Remedy> remedy = std::nullopt);
    void showRefusal(const fitting::Refusal& refusal);
    void dropPoint(int position);
    void askToOpen();
    void askToSave();
    void saveReportAs(const QString& caption, const QString& name, const QString& filter,
                      QString (*write)(const fitting::Fit&, const QString&, const QFont&));

    UserMessages& messages_;
    std::shared_ptr<const fitting::Fit> fit_;

    ChoiceBox* method_;
    ChoiceBox* xTransform_;
    ChoiceBox* yTransform_;
    ChoiceBox* confidence_;
    ChoiceBox* coverage_;
    ChoiceBox* rounding_;
    ChoiceBox* digits_;
    QLineEdit* instrumentError_;
    QLineEdit* commonU_;
    DataTable* table_;
    // x's name and unit, then y's.
    std::array<QLineEdit*, 2> names_;
    std::array<QLineEdit*, 2> units_;
    FitPlot* plot_;
};

} // namespace tavrello
