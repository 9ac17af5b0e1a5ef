// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"
#include "window/form_controls.h"

#include <QString>
#include <utility>
#include <vector>

namespace tavrello {

// A result label as a command wrote it.
struct WrittenResult {
    int slot;
    QString text;
};

// The engine's view of the window: input boxes, slot check boxes and result labels. It keeps
// what was written, so the window can tell a screen reader.
class WidgetControls final : public Controls {
  public:
    explicit WidgetControls(const FormControls& controls);

    std::string inputText(int box) override;
    int checkValue(int slot) override;
    void setResult(ResultGroup group, int slot, const std::string& text) override;

    // The labels written since the last call, in the order written.
    std::vector<WrittenResult> takeWritten() { return std::exchange(written_, {}); }

  private:
    const FormControls& controls_;
    std::vector<WrittenResult> written_;
};

} // namespace tavrello
