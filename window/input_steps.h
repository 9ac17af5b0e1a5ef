// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"

#include <QLineEdit>
#include <array>

namespace tavrello {

// Enter in input box 1 to 20 (step +1) moves the focus to the next box that shows, and from the
// last one to `afterLast`; Shift+Enter (step -1) moves back and stays in the first box.
void stepFromInputBox(const std::array<QLineEdit*, inputBoxCount>& boxes, int box, int step,
                      QWidget& afterLast);

} // namespace tavrello
