// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

namespace tavrello {

// A group box drawn as an etched rectangle whose caption sits in its top edge, so that
// controls placed just below the edge stay clear of it. Without a caption the rectangle
// starts at the very top, and a narrow one reads as a pair of divider lines.
class EtchedFrame : public QGroupBox {
  public:
    EtchedFrame(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavrello
