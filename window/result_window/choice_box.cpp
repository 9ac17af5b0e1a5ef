// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_window/choice_box.h"

#include "window/accessibility/readable_line_edit.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>

namespace tavrello {

ChoiceBox::ChoiceBox(const QList<std::pair<QString, QVariant>>& entries, QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    auto* field = new ReadableLineEdit(this);
    field->setReadOnly(true);
    setLineEdit(field);
    setInsertPolicy(QComboBox::NoInsert);
    for (const auto& [text, data] : entries) {
        addItem(text, data);
    }
    field->installEventFilter(this);
    field->setCursor(Qt::ArrowCursor);
}

void ChoiceBox::nameWithoutCaption(const QString& name) {
    setAccessibleName(name);
    auto* caption = new QLabel(name, parentWidget());
    caption->setBuddy(this);
    caption->hide();
}

void ChoiceBox::pickData(const QVariant& data, const QVariant& fallback) {
    const int found = findData(data);
    setCurrentIndex(found >= 0 ? found : findData(fallback));
}

// A field reached by Tab selects its text, and Orca says so after the value; nothing here is
// for selecting.
void ChoiceBox::focusInEvent(QFocusEvent* event) {
    QFocusEvent plain(event->type(), Qt::OtherFocusReason);
    QComboBox::focusInEvent(&plain);
}

bool ChoiceBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showPopup();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace tavrello
