// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/accessibility/announcer.h"

#include <QAccessibleObject>

namespace tavrello {

namespace {

// The notification a screen reader reads: named by the last text, the window its parent. The
// window does not list it among its children, so that a review of the window never comes upon
// an old text.
class Notice : public QAccessibleObject {
  public:
    explicit Notice(Announcer* announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<Announcer*>(object())->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* noticeInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(Announcer::staticMetaObject.className())) {
        return new Notice(static_cast<Announcer*>(object));
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget& window) : QObject(&window) {
    static const bool made = [] {
        QAccessible::installFactory(noticeInterface);
        return true;
    }();
    Q_UNUSED(made);
    setObjectName("Announcer");
}

void Announcer::announce(const QString& text) {
    text_ = text;
    emit announced(text);
    // Becomes the AT-SPI state change "showing"; Orca speaks a notification's name then, and
    // ignores the name changes of anything but the focus.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#ifdef Q_OS_WIN
    // Qt's UI Automation bridge raises a text value change as a notification event and drops
    // ObjectShow; on AT-SPI the same change would only draw a warning.
    QAccessibleValueChangeEvent said(this, text);
    QAccessible::updateAccessibility(&said);
#endif
}

} // namespace tavrello
