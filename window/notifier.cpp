// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "notifier.h"

#include <QMessageBox>

namespace tavrello {

void MessageBoxNotifier::tell(QWidget& window, const QString& text) {
    QMessageBox box(QMessageBox::Information, "Tavrello", text, QMessageBox::Ok, &window);
    box.exec();
}

Notifier& messageBoxNotifier() {
    static MessageBoxNotifier notifier;
    return notifier;
}

} // namespace tavrello
