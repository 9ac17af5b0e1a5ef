// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/accessibility/readable_line_edit.h"

namespace tavrello {

// The formula as the user types it, with the piece a problem names underlined in red where it
// stands: the user reads on without the caret being moved.
class FormulaBox : public ReadableLineEdit {
    Q_OBJECT

  public:
    explicit FormulaBox(QWidget* parent);

    // Underlines the piece at the character `column` (from 1, in code points), as long as the
    // piece; a piece at the end, or empty, marks the last character.
    void mark(int column, const QString& piece);
    void clearMark();
    // What is underlined.
    QString markedPiece() const { return text().mid(markStart_, markLength_); }

  private:
    void applyMark();

    int markStart_ = 0;
    int markLength_ = 0;
};

} // namespace tavrello
