// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "error_report.h"

#include "engine/number_text.h"

#include <QMessageBox>

namespace tavrello {

QString errorReportText(const RunTimeError& error) {
    const std::string number = integerToText(static_cast<int>(error.number()));
    const std::string_view description = error.description();
    return QString::fromStdString("运行时错误 '" + number + "':\n\n") +
           QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()));
}

void MessageBoxReporter::report(QWidget& window, const RunTimeError& error) {
    QMessageBox box(QMessageBox::Critical, "Tavrello", errorReportText(error), QMessageBox::Ok,
                    &window);
    box.exec();
}

} // namespace tavrello
