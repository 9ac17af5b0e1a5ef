// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

namespace tavrello {

// Tells a screen reader a short text, such as what a command wrote into labels away from the
// focus, without moving the focus or showing anything. Qt gains an event for this in 6.8; until
// then the text is a notification that appears: Orca speaks a notification when it starts
// showing, and on Windows Qt turns a string value change into the UI Automation notification
// that NVDA and Narrator read.
class Announcer : public QObject {
    Q_OBJECT

  public:
    explicit Announcer(QWidget& window);

    void announce(const QString& text);
    const QString& text() const { return text_; }

  signals:
    void announced(const QString& text);

  private:
    QString text_;
};

} // namespace tavrello
