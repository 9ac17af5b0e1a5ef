// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/settings.h"
#include "propagation/inputs.h"
#include "propagation/problem.h"

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

namespace tavrello {

// The inputs of an indirect measurement as the user types them, a row each: the name, the kind
// (测量列, 单次测量, 已知, 常数), the readings or the value, Δ_仪, the distribution, u, ν and
// the unit, each field open where the kind uses it; and under the row what it gives, a series'
// x̄, u_A and removed values, or why it cannot be used. The rows follow the formula's names.
class InputRows : public QWidget {
    Q_OBJECT

  public:
    explicit InputRows(QWidget* parent);
    ~InputRows() override;

    // A row for each name, in their order, empty where there was none; a row the formula no
    // longer uses stays while it holds anything, after them, with a button that removes it.
    void followNames(const std::vector<std::string>& names);
    // The rows of a task opened, in its order.
    void setInputs(const std::vector<propagation::StatedInput>& inputs);
    // The named row filled, or added.
    void putInput(const propagation::StatedInput& input);

    // The rows as the core takes them: those the formula uses and those that hold anything. A
    // row whose readings cannot be cut into values is named.
    propagation::Checked<std::vector<propagation::StatedInput>> inputs() const;
    // Each row judged on its own with these settings, under it.
    void showEvaluations(const Settings& settings);
    std::vector<QWidget*> focusChain() const;

  signals:
    void edited();
    // Rows came or went.
    void rowsChanged();
    // A paste that was refused, in words.
    void pasteRefused(const QString& why);

  private:
    struct Row;

    Row& addRow(const std::string& name);
    // The row of a name the formula no longer uses.
    void removeUnused(const std::string& name);
    void arrange();
    void kindPicked(Row& row);
    void paste(Row& row);
    void fill(Row& row, const propagation::StatedInput& input);

    std::vector<QWidget*> headers_;
    std::vector<std::unique_ptr<Row>> rows_;
};

} // namespace tavrello
