#pragma once

#include <QPixmap>
#include <QWidget>

namespace tavrello {

// A formula drawing shown at its natural size. The drawing is read on the first paint rather
// than at start-up, and drawn once into a pixmap at the screen's pixel ratio, so it stays sharp
// and a repaint after a click is a copy rather than a vector drawing with text outlines.
class FormulaPicture : public QWidget {
  public:
    FormulaPicture(const QString& resource, QWidget* parent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QPixmap& rendered();

    QString resource_;
    QPixmap pixmap_;
};

} // namespace tavrello
