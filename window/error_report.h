// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/run_time_error.h"

#include <QString>
#include <QWidget>

namespace tavrello {

// "运行时错误 '6':", an empty line, then the description.
QString errorReportText(const RunTimeError& error);

// Tells the user that a command stopped with a run-time error.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;

    // Returns once the user has seen the report.
    virtual void report(QWidget& window, const RunTimeError& error) = 0;
};

// A modal message box titled "Tavrello" over the window.
class MessageBoxReporter final : public ErrorReporter {
  public:
    void report(QWidget& window, const RunTimeError& error) override;
};

} // namespace tavrello
