// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widgets/input_box.h"

#include "analysis/series_text.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace tavrello {

// Qt tells a screen reader of the focus only after the box has handled it, and an empty box's
// first focus moves its caret from nowhere to the start. Orca takes a caret move in a focused box
// for the focus change itself, and then never names the box. With the caret placed now, the first
// focus moves nothing.
InputBox::InputBox(QWidget* parent) : ReadableLineEdit(parent) {
    setCursorPosition(0);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        emit stepRequested(modifiers == Qt::ShiftModifier ? -1 : 1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Qt's own menu, in Qt's own words, so that it says what the selector's field and every other
// box says; only its paste is left to the window.
void InputBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = pasteAction(*menu)) {
        paste->disconnect(this);
        connect(paste, &QAction::triggered, this, &InputBox::pasteRequested);
    }
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    menu->popup(event->globalPos());
}

std::optional<double> wholeBoxNumber(QString text) {
    return readWholeNumber(text.remove(' ').toStdString());
}

QAction* pasteAction(const QMenu& editMenu) {
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction* action : editMenu.actions()) {
        if (action->text().section('\t', 0, 0) == paste) {
            return action;
        }
    }
    return nullptr;
}

void stepFromInputBox(std::span<InputBox* const> boxes, int box, int step, QWidget& afterLast) {
    // Focused as Tab focuses it, so the next value typed replaces the old one.
    const Qt::FocusReason reason = step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    for (int next = box + step; next >= 1 && next <= static_cast<int>(boxes.size()); next += step) {
        if (!boxes[next - 1]->isHidden()) {
            boxes[next - 1]->setFocus(reason);
            return;
        }
    }
    if (step > 0) {
        afterLast.setFocus(reason);
    }
}

} // namespace tavrello
