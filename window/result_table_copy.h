// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widget_controls.h"

#include <QAction>
#include <QLabel>
#include <array>

namespace tavrello {

// Takes the results out of the window: each result label's text can be selected with the
// mouse, and "复制全部结果" (the labels' menu, Ctrl+Shift+C anywhere in the window) copies the
// whole table, tab-separated for a spreadsheet and as an HTML table for a word processor.
class ResultTableCopy {
  public:
    // The labels are Label12 to Label23, the three groups one after another in slot order.
    ResultTableCopy(QWidget& window, const std::array<QLabel*, resultLabelCount>& labels);

  private:
    void copyAll() const;
    void showMenu(QLabel& label, const QPoint& position) const;

    std::array<QLabel*, resultLabelCount> labels_;
    QAction& copyAll_;
};

} // namespace tavrello
