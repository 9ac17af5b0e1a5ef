// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input_box.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <functional>

namespace tavrello {

namespace {

struct MenuEntry {
    QString text; // empty for a separator
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    bool enabled = false;
    std::function<void()> run{};
};

} // namespace

InputBox::InputBox(QWidget* parent) : QLineEdit(parent) {}

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

// The line edit's own menu would paste without the window seeing it; this one offers the same
// commands, in the window's language, and its paste is the window's.
void InputBox::contextMenuEvent(QContextMenuEvent* event) {
    const bool selected = hasSelectedText();
    const MenuEntry entries[] = {
        {"撤销(&U)", QKeySequence::Undo, isUndoAvailable(), [this] { undo(); }},
        {"重做(&R)", QKeySequence::Redo, isRedoAvailable(), [this] { redo(); }},
        {},
        {"剪切(&T)", QKeySequence::Cut, selected, [this] { cut(); }},
        {"复制(&C)", QKeySequence::Copy, selected, [this] { copy(); }},
        {"粘贴(&P)", QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
         [this] { emit pasteRequested(); }},
        {"删除(&D)", QKeySequence::UnknownKey, selected, [this] { del(); }},
        {},
        {"全选(&A)", QKeySequence::SelectAll, !text().isEmpty(), [this] { selectAll(); }},
    };
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const MenuEntry& entry : entries) {
        if (entry.text.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.text, this, entry.run);
        action->setShortcuts(entry.key);
        action->setEnabled(entry.enabled);
    }
    menu->popup(event->globalPos());
}

} // namespace tavrello
