// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/widget_controls.h"

namespace tavrello {

WidgetControls::WidgetControls(const FormControls& controls) : controls_(controls) {}

std::string WidgetControls::inputText(int box) {
    return controls_.Text.at(static_cast<std::size_t>(box - 1))->text().toStdString();
}

int WidgetControls::checkValue(int slot) {
    return controls_.Check.at(static_cast<std::size_t>(slot - 1))->isChecked() ? 1 : 0;
}

void WidgetControls::setResult(ResultGroup group, int slot, const std::string& text) {
    const auto index = static_cast<std::size_t>(group) * slotCount + (slot - 1);
    controls_.Results.at(index)->setText(QString::fromStdString(text));
    written_.push_back({slot, QString::fromStdString(text)});
}

} // namespace tavrello
