// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/accessibility/readable_line_edit.h"

#include <QMenu>
#include <optional>
#include <span>

namespace tavrello {

// An input box whose paste, from the keyboard or from its menu, is left to the window, which
// may spread a series over the following boxes; Enter moves on instead of ending the edit. The
// actions added to it close its menu.
class InputBox : public ReadableLineEdit {
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

// The number a box holds when its whole text is one plain decimal number. Blanks inside are
// dropped first, as the compute command's reader drops them ("1 2.5" is 12.5 there).
std::optional<double> wholeBoxNumber(QString text);

// The entry of a line edit's standard menu that pastes, in whatever language Qt speaks.
QAction* pasteAction(const QMenu& editMenu);

// Enter in box number `box` of `boxes` (step +1) moves the focus to the next box that shows, and
// from the last one to `afterLast`; Shift+Enter (step -1) moves back and stays in the first box.
void stepFromInputBox(std::span<InputBox* const> boxes, int box, int step, QWidget& afterLast);

} // namespace tavrello
