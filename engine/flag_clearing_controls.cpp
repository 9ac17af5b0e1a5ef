// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/flag_clearing_controls.h"

namespace tavrello {

std::string FlagClearingControls::inputText(int box) {
    std::string text = controls_.inputText(box);
    flags_.clear();
    return text;
}

int FlagClearingControls::checkValue(int slot) {
    const int value = controls_.checkValue(slot);
    flags_.clear();
    return value;
}

void FlagClearingControls::setResult(ResultGroup group, int slot, const std::string& text) {
    controls_.setResult(group, slot, text);
    flags_.clear();
}

} // namespace tavrello
