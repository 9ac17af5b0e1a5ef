// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/settings.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

namespace tavrello {

// The entries of the settings that every result window offers: each shown as the course writes
// it, its data the key the command line and the settings file take.
using ChoiceEntries = QList<std::pair<QString, QVariant>>;

ChoiceEntries criterionChoices();
ChoiceEntries alphaChoices();
ChoiceEntries confidenceChoices();
ChoiceEntries digitsChoices();
// t from P and ν, or a fixed k.
ChoiceEntries coverageChoices();
// 四舍六入五成双 (even), 只进不舍 (up).
ChoiceEntries roundingChoices();

// A key as data.
QString keyText(std::string_view key);

// "0.05" for 0.05: α as the settings file writes it.
QString alphaKeyOf(double alpha);

} // namespace tavrello
