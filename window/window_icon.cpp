#include "window_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tavrello {

QIcon calculatorIcon() {
    QSvgRenderer renderer(QString(":/pictures/icon.svg"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tavrello
