// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input_steps.h"

namespace tavrello {

void stepFromInputBox(const std::array<QLineEdit*, inputBoxCount>& boxes, int box, int step,
                      QWidget& afterLast) {
    // Focused as Tab focuses it, so the next value typed replaces the old one.
    const Qt::FocusReason reason = step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    for (int next = box + step; next >= 1 && next <= inputBoxCount; next += step) {
        if (!boxes[next - 1]->isHidden()) {
            boxes[next - 1]->setFocus(reason);
            return;
        }
    }
    if (step > 0) {
        afterLast.setFocus(reason);
    }
}

} // namespace tavrello
