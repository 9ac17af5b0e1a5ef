// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace tavrello {

// A push button that Enter and the keypad's Enter press when it has the focus, as Space does.
// It is not a default button, so it looks the same as any other when it has no focus.
class CommandButton : public QPushButton {
  public:
    CommandButton(const QString& caption, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tavrello
