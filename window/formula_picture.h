#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace tavrello {

// A formula drawing shown at its natural size. It is painted as vectors straight onto the
// widget, so it stays sharp at any device pixel ratio.
class FormulaPicture : public QWidget {
  public:
    FormulaPicture(const QString& resource, QWidget* parent);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSvgRenderer renderer_;
};

} // namespace tavrello
