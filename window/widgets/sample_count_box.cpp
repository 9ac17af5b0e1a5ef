// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widgets/sample_count_box.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace tavrello {

SampleCountBox::SampleCountBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Typing stays plain text; the list is only for picking.
    setCompleter(nullptr);
    // The wheel alone does not give it the focus.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] {
        if (!finishingEdit_) {
            emit picked();
        }
    });
}

void SampleCountBox::pick(const QString& entry) {
    setCurrentIndex(findText(entry));
    emit picked();
}

void SampleCountBox::keyPressEvent(QKeyEvent* event) {
    const bool endsTyping = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QScopedValueRollback finishing(finishingEdit_, endsTyping);
    QComboBox::keyPressEvent(event);
}

void SampleCountBox::focusOutEvent(QFocusEvent* event) {
    const QScopedValueRollback finishing(finishingEdit_, true);
    QComboBox::focusOutEvent(event);
}

void SampleCountBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace tavrello
