// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace tavrello {

// The pocket calculator, drawn from its vector source at the sizes desktops ask for.
QIcon calculatorIcon();

} // namespace tavrello
