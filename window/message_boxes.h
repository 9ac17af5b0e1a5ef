// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/run_time_error.h"

#include <QString>
#include <QWidget>

namespace tavrello {

// "运行时错误 '6':", an empty line, then the description.
QString errorReportText(const RunTimeError& error);

// What the window says to the user in a box of its own. Each call returns once the user has
// read it; tests bring their own, which keeps the texts instead of blocking.
class UserMessages {
  public:
    virtual ~UserMessages() = default;

    // A command stopped with a run-time error.
    virtual void reportError(QWidget& window, const RunTimeError& error) = 0;
    // An action changed nothing, and why, such as a pasted series that does not fit. Unlike a
    // run-time error it stops no command.
    virtual void tell(QWidget& window, const QString& text) = 0;
};

// Modal message boxes titled "Tavrello" over the window: a critical one for an error report,
// an informative one for a notice.
class MessageBoxes final : public UserMessages {
  public:
    void reportError(QWidget& window, const RunTimeError& error) override;
    void tell(QWidget& window, const QString& text) override;
};

} // namespace tavrello
