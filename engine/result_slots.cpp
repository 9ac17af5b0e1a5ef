// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/result_slots.h"

namespace tavrello {

namespace {

// Only exactly 1 selects: a check box in any other state leaves its slot alone.
constexpr int checkedValue = 1;

} // namespace

void writeGroup(Controls& controls, ResultGroup group, const std::string& text) {
    for (int slot = 1; slot <= slotCount; ++slot) {
        if (controls.checkValue(slot) == checkedValue) {
            controls.setResult(group, slot, text);
        }
    }
}

void blankGroup(Controls& controls, ResultGroup group) {
    writeGroup(controls, group, "");
}

} // namespace tavrello
