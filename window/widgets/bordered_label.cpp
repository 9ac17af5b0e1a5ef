// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widgets/bordered_label.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace tavrello {

namespace {

// Qt names an empty label after the title of the group box it sits in. A result label's number
// means little read on its own, by review or a click, so the slot and quantity that its
// description gives come first.
class OwnTextOnly : public QAccessibleWidget {
  public:
    explicit OwnTextOnly(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            const QString own = static_cast<const QLabel*>(widget())->text();
            const QString meaning = widget()->accessibleDescription();
            return own.isEmpty() || meaning.isEmpty() ? own : meaning + ' ' + own;
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* borderedLabelInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(BorderedLabel::staticMetaObject.className())) {
        return new OwnTextOnly(static_cast<BorderedLabel*>(object));
    }
    return nullptr;
}

} // namespace

BorderedLabel::BorderedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool named = [] {
        QAccessible::installFactory(borderedLabelInterface);
        return true;
    }();
    Q_UNUSED(named);
    setContentsMargins(1, 1, 1, 1);
}

// Filled rectangles rather than a pen, so that the line is whole device pixels at any scale.
void BorderedLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    painter.fillRect(0, 0, width(), 1, shadow);
    painter.fillRect(0, height() - 1, width(), 1, shadow);
    painter.fillRect(0, 0, 1, height(), shadow);
    painter.fillRect(width() - 1, 0, 1, height(), shadow);
}

} // namespace tavrello
