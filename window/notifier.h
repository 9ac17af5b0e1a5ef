// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

namespace tavrello {

// Tells the user why an action of theirs changed nothing, such as a pasted series that does
// not fit; unlike a run-time error it stops no command.
class Notifier {
  public:
    virtual ~Notifier() = default;

    // Returns once the user has read the text.
    virtual void tell(QWidget& window, const QString& text) = 0;
};

// A modal message box titled "Tavrello" over the window, read out like the error reports.
class MessageBoxNotifier final : public Notifier {
  public:
    void tell(QWidget& window, const QString& text) override;
};

// The one the program uses unless a caller brings its own.
Notifier& messageBoxNotifier();

} // namespace tavrello
