#include "formula_picture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace tavrello {

namespace {

QSvgRenderer& checked(QSvgRenderer& renderer, const QString& resource) {
    if (!renderer.isValid()) {
        qFatal("formula picture %s cannot be read", qPrintable(resource));
    }
    return renderer;
}

} // namespace

FormulaPicture::FormulaPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), resource_(resource) {
    if (!QFile::exists(resource)) {
        qFatal("formula picture %s is missing", qPrintable(resource));
    }
}

QSize FormulaPicture::sizeHint() const {
    QSvgRenderer renderer(resource_);
    return checked(renderer, resource_).defaultSize();
}

const QPixmap& FormulaPicture::rendered() {
    const qreal ratio = devicePixelRatioF();
    if (pixmap_.isNull() || pixmap_.devicePixelRatio() != ratio) {
        QSvgRenderer renderer(resource_);
        const QSize size = checked(renderer, resource_).defaultSize();
        pixmap_ = QPixmap(size * ratio);
        pixmap_.setDevicePixelRatio(ratio);
        pixmap_.fill(Qt::transparent);
        QPainter painter(&pixmap_);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    return pixmap_;
}

void FormulaPicture::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, rendered());
}

} // namespace tavrello
