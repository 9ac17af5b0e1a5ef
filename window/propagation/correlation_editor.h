// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/task.h"

#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

namespace tavrello {

// The correlation coefficients r_ij between inputs, a row each: the two names and r, as typed.
// Rows left blank count for nothing.
class CorrelationEditor : public QWidget {
    Q_OBJECT

  public:
    explicit CorrelationEditor(QWidget* parent);

    void setCorrelations(const std::vector<propagation::StatedCorrelation>& correlations);
    std::vector<propagation::StatedCorrelation> correlations() const;
    std::vector<QWidget*> focusChain() const;

  signals:
    void edited();

  private:
    void addRow(const propagation::StatedCorrelation& correlation);

    QTableWidget* table_;
    QPushButton* add_;
    QPushButton* remove_;
};

} // namespace tavrello
