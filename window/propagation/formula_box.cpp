// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/formula_box.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QTextCharFormat>

namespace tavrello {

namespace {

// The index in UTF-16 units of the character `column` (from 1, in code points).
int indexOfCharacter(const QString& text, int column) {
    int index = 0;
    for (int character = 1; character < column && index < text.size(); ++character) {
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return index;
}

} // namespace

FormulaBox::FormulaBox(QWidget* parent) : ReadableLineEdit(parent) {}

void FormulaBox::mark(int column, const QString& piece) {
    const int start = indexOfCharacter(text(), column);
    const int length = static_cast<int>(piece.size());
    if (start >= text().size() || length == 0) {
        markStart_ = std::max(0, static_cast<int>(text().size()) - 1);
        markLength_ = text().isEmpty() ? 0 : 1;
    } else {
        markStart_ = start;
        markLength_ = std::min(length, static_cast<int>(text().size()) - start);
    }
    applyMark();
}

void FormulaBox::clearMark() {
    if (markLength_ == 0) {
        return;
    }
    markLength_ = 0;
    applyMark();
}

// A line edit draws the formats an input method gives it, placed from the caret; the text and
// the caret stay as they are.
void FormulaBox::applyMark() {
    QList<QInputMethodEvent::Attribute> attributes;
    if (markLength_ > 0) {
        QTextCharFormat wrong;
        wrong.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        wrong.setUnderlineColor(Qt::red);
        wrong.setBackground(QColor(0xFF, 0xE4, 0xE1));
        attributes.append(
            {QInputMethodEvent::TextFormat, markStart_ - cursorPosition(), markLength_, wrong});
    }
    QInputMethodEvent marking(QString(), attributes);
    QCoreApplication::sendEvent(this, &marking);
}

} // namespace tavrello
