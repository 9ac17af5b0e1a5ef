// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

namespace tavrello {

// A label with a single one-pixel line on all four sides in the palette's shadow colour, such
// as the result and status labels. Drawn by hand because a plain frame takes the text colour
// and a sunken one loses its light edges on a white ground. Screen readers name it by its own
// text only, so an empty result label is not read out as the caption of the frame around it;
// a label with a description, such as a result label, is named by it before its text.
class BorderedLabel : public QLabel {
    Q_OBJECT

  public:
    BorderedLabel(const QString& text, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrello
