// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/form_controls.h"

#include <QAction>

namespace tavrello {

// Takes the results out of the window: each result label's text can be selected with the
// mouse, and "复制全部结果" (the labels' menu, Ctrl+Shift+C anywhere in the window) copies the
// whole table, tab-separated for a spreadsheet and as an HTML table for a word processor. The
// actions added to a label close its menu.
class ResultTableCopy {
  public:
    ResultTableCopy(QWidget& window, const FormControls& controls);

    QAction* copyAllAction() { return &copyAll_; }

  private:
    void copyAll() const;
    void showMenu(QLabel& label, const QPoint& position) const;

    const FormControls& controls_;
    QAction& copyAll_;
};

} // namespace tavrello
