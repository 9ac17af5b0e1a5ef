// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace tavrello {

// An input box whose paste, from the keyboard or from its menu, is left to the window, which
// may spread a series over the following boxes; Enter moves on instead of ending the edit.
class InputBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit InputBox(QWidget* parent);

  signals:
    void pasteRequested();
    // +1 for Enter, -1 for Shift+Enter.
    void stepRequested(int step);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace tavrello
