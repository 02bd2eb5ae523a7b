#include "widgets/pictures.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

namespace widgets {

QPixmap renderPicture(const QString &picture, QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(picture);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QLabel *pictureLabel(const QString &picture, const QString &toolTip, QRect place, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setGeometry(place);
    label->setPixmap(renderPicture(picture, place.size(), parent->devicePixelRatioF()));
    label->setToolTip(toolTip);
    return label;
}

QCursor pictureCursor(const QString &picture, QPoint hotSpot) {
    return QCursor(renderPicture(picture, QSize(32, 32), 1.0), hotSpot.x(), hotSpot.y());
}

} // namespace widgets
