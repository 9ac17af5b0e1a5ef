// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/message_boxes.h"

#include "engine/number_text.h"

#include <QMessageBox>

namespace tavrello {

namespace {

void showBox(QWidget& window, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, "Tavrello", text, QMessageBox::Ok, &window);
    box.exec();
}

} // namespace

QString errorReportText(const RunTimeError& error) {
    const std::string number = integerToText(static_cast<int>(error.number()));
    const std::string_view description = error.description();
    return QString::fromStdString("运行时错误 '" + number + "':\n\n") +
           QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()));
}

void MessageBoxes::reportError(QWidget& window, const RunTimeError& error) {
    showBox(window, QMessageBox::Critical, errorReportText(error));
}

void MessageBoxes::tell(QWidget& window, const QString& text) {
    showBox(window, QMessageBox::Information, text);
}

} // namespace tavrello
