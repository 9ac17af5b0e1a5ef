// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/form_controls.h"

#include <QWidget>

namespace tavrello {

// Makes every control of the layout table on the window, each named by its identifier, chains
// the focus order and hands the controls over, each as its own type.
FormControls buildWindow(QWidget& window);

} // namespace tavrello
