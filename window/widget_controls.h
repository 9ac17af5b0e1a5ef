// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"
#include "window/form_controls.h"

namespace tavrello {

// The engine's view of the window: input boxes, slot check boxes and result labels.
class WidgetControls final : public Controls {
  public:
    explicit WidgetControls(const FormControls& controls);

    std::string inputText(int box) override;
    int checkValue(int slot) override;
    void setResult(ResultGroup group, int slot, const std::string& text) override;

  private:
    const FormControls& controls_;
};

} // namespace tavrello
