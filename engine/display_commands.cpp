// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "number_text.h"
#include "result_slots.h"

namespace tavrello {

void showSingleDeviation(const CalculationState& state, Controls& controls) {
    writeGroup(controls, ResultGroup::SingleDeviation, singleToText(state.u));
}

void showMeanDeviation(const CalculationState& state, Controls& controls) {
    writeGroup(controls, ResultGroup::MeanDeviation, singleToText(state.j));
}

} // namespace tavrello
