// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

namespace tavrello {

inline constexpr int resultLabelCount = 3 * slotCount;

// The engine's view of the window: input boxes, slot check boxes and result labels.
class WidgetControls final : public Controls {
  public:
    WidgetControls(const std::array<QLineEdit*, inputBoxCount>& inputBoxes,
                   const std::array<QCheckBox*, slotCount>& checks,
                   const std::array<QLabel*, resultLabelCount>& results);

    std::string inputText(int box) override;
    int checkValue(int slot) override;
    void setResult(ResultGroup group, int slot, const std::string& text) override;

  private:
    std::array<QLineEdit*, inputBoxCount> inputBoxes_;
    std::array<QCheckBox*, slotCount> checks_;
    std::array<QLabel*, resultLabelCount> results_; // groups one after another, slot order
};

} // namespace tavrello
