// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "layout_table.h"

#include <QWidget>
#include <vector>

namespace tavrello {

// Creates the controls of the table on the window, each named by its identifier, and
// chains the focus order.
void buildWindow(QWidget& window, const std::vector<ControlSpec>& table,
                 const QStringList& focusOrder);

// The control with the given identifier; a missing one is a fault of the table.
template <typename Control> Control& control(const QWidget& window, const QString& id) {
    auto* found = window.findChild<Control*>(id);
    if (found == nullptr) {
        qFatal("the window has no control %s of the expected kind", qPrintable(id));
    }
    return *found;
}

} // namespace tavrello
