// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"
#include "engine/float_flags.h"

namespace tavrello {

// The controls as the compute command reaches them: every read or write of a control property
// clears the float flags.
class FlagClearingControls : public Controls {
  public:
    FlagClearingControls(Controls& controls, FloatFlags& flags)
        : controls_(controls), flags_(flags) {}

    std::string inputText(int box) override;
    int checkValue(int slot) override;
    void setResult(ResultGroup group, int slot, const std::string& text) override;

  private:
    Controls& controls_;
    FloatFlags& flags_;
};

} // namespace tavrello
