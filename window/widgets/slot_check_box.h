// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCheckBox>

namespace tavrello {

// A check box narrower than the style's own indicator: it draws a smaller box that fills its
// width and reacts to a click anywhere on itself.
class SlotCheckBox : public QCheckBox {
  public:
    explicit SlotCheckBox(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace tavrello
