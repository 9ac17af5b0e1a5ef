// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widget_controls.h"

namespace tavrello {

WidgetControls::WidgetControls(const std::array<QLineEdit*, inputBoxCount>& inputBoxes,
                               const std::array<QCheckBox*, slotCount>& checks,
                               const std::array<QLabel*, resultLabelCount>& results)
    : inputBoxes_(inputBoxes), checks_(checks), results_(results) {}

std::string WidgetControls::inputText(int box) {
    return inputBoxes_.at(box - 1)->text().toStdString();
}

int WidgetControls::checkValue(int slot) {
    return checks_.at(slot - 1)->isChecked() ? 1 : 0;
}

void WidgetControls::setResult(ResultGroup group, int slot, const std::string& text) {
    const auto index = static_cast<std::size_t>(group) * slotCount + (slot - 1);
    results_.at(index)->setText(QString::fromStdString(text));
}

} // namespace tavrello
