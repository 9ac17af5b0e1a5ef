// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/calculation.h"
#include "window/accessibility/announcer.h"
#include "window/form_controls.h"
#include "window/message_boxes.h"

namespace tavrello {

// Spreads a series from the clipboard (a spreadsheet column or row, lines of a text file, a
// list typed elsewhere) over consecutive input boxes, one value a box.
class SeriesPaste {
  public:
    // Everything given must outlive this.
    SeriesPaste(QWidget& window, const FormControls& controls, const CalculationState& state,
                UserMessages& messages, Announcer& announcer);

    // Pastes the clipboard's text into input box 1 to 20 and the boxes after it. A series is
    // told, with the count it leaves picked: boxes filled away from the focus say nothing.
    void paste(int box);

  private:
    void pasteSeries(int box, const QStringList& values);
    int shownBoxCount() const;

    QWidget& window_;
    const FormControls& controls_;
    const CalculationState& state_;
    UserMessages& messages_;
    Announcer& announcer_;
};

} // namespace tavrello
