#include "formula_picture.h"

#include <QPainter>

namespace tavrello {

FormulaPicture::FormulaPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), renderer_(resource) {
    if (!renderer_.isValid()) {
        qFatal("formula picture %s cannot be read", qPrintable(resource));
    }
}

QSize FormulaPicture::sizeHint() const {
    return renderer_.defaultSize();
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_.render(&painter, QRectF(QPointF(0, 0), renderer_.defaultSize()));
}

} // namespace tavrello
