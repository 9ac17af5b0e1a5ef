// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace tavrello {

// The three output groups of the result slots.
enum class ResultGroup { Mean, SingleDeviation, MeanDeviation };

inline constexpr int inputBoxCount = 20;
inline constexpr int slotCount = 4;

// The window's controls as the engine sees them. The window implements it on its widgets,
// tests on plain data. Texts are UTF-8.
class Controls {
  public:
    virtual ~Controls() = default;

    // Text of input box 1 to 20, shown or hidden.
    virtual std::string inputText(int box) = 0;
    // Value of the check box of slot 1 to 4: 1 when set.
    virtual int checkValue(int slot) = 0;
    // Caption of the label of slot 1 to 4 in the given group.
    virtual void setResult(ResultGroup group, int slot, const std::string& text) = 0;
};

} // namespace tavrello
