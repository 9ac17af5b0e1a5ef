// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/accessibility/readable_line_edit.h"

#include <QAccessibleWidget>

namespace tavrello {

namespace {

// What Qt's own interface of a line edit tells, but for the attribute runs.
class LineText : public QAccessibleWidget,
                 public QAccessibleTextInterface,
                 public QAccessibleEditableTextInterface {
  public:
    explicit LineText(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? edit().displayText() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value && !edit().isReadOnly()) {
            edit().setText(text);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // As Qt's own: a read-only field is still a text field, and Orca finds a combo box's
        // value only in an editable one.
        state.editable = true;
        state.readOnly = edit().isReadOnly();
        state.selectableText = true;
        state.passwordEdit = edit().echoMode() != QLineEdit::Normal;
        return state;
    }

    // The text interface.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && edit().hasSelectedText()) {
            *start = edit().selectionStart();
            *end = edit().selectionEnd();
        }
    }
    int selectionCount() const override { return edit().hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit().deselect(); }
    void setSelection(int, int start, int end) override { edit().setSelection(start, end - start); }
    int cursorPosition() const override { return edit().cursorPosition(); }
    void setCursorPosition(int position) override { edit().setCursorPosition(position); }
    QString text(int start, int end) const override {
        return edit().displayText().mid(start, end - start);
    }
    int characterCount() const override { return int(edit().displayText().size()); }
    QRect characterRect(int offset) const override {
        const QString shown = edit().displayText();
        if (offset < 0 || offset >= shown.size()) {
            return {};
        }
        // From the caret's place: the field scrolls its text, and only it knows how far.
        QLineEdit& field = edit();
        const int caret = field.cursorPosition();
        const QFontMetrics metrics = field.fontMetrics();
        const int left = metrics.horizontalAdvance(shown.left(offset)) -
                         metrics.horizontalAdvance(shown.left(caret));
        const QRect caretRect = field.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QRect local(caretRect.left() + left, caretRect.top(),
                          metrics.horizontalAdvance(shown.at(offset)), caretRect.height());
        return QRect(field.mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit().cursorPositionAt(edit().mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        edit().setCursorPosition(end);
        edit().setCursorPosition(start);
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // The editable text interface: each change by an edit of its own, which undo takes back.
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        if (edit().isReadOnly()) {
            return;
        }
        edit().setSelection(start, end - start);
        edit().insert(text);
    }

  private:
    QLineEdit& edit() const { return *static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* lineTextInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(ReadableLineEdit::staticMetaObject.className())) {
        return new LineText(static_cast<ReadableLineEdit*>(object));
    }
    return nullptr;
}

} // namespace

ReadableLineEdit::ReadableLineEdit(QWidget* parent) : QLineEdit(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(lineTextInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavrello
