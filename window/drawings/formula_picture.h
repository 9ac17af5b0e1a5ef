// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/drawings/vector_drawing.h"

#include <QPixmap>
#include <QWidget>

namespace tavrello {

// A formula drawing shown at its natural size. It is drawn once into a pixmap at the screen's
// pixel ratio, so it stays sharp and a repaint after a click is a copy rather than a drawing of
// text outlines.
class FormulaPicture : public QWidget {
  public:
    FormulaPicture(const Drawing& drawing, QWidget* parent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QPixmap& rendered();

    const Drawing& drawing_;
    QPixmap pixmap_;
};

} // namespace tavrello
