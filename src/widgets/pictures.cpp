#include "widgets/pictures.h"

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <cstring>

namespace widgets {

// Its pixels as a pixmap holds them (see resources/CMakeLists.txt): parsing
// and drawing the SVG, or decoding a PNG, would cost every start a little more.
QPixmap readyPicture(const QString &picture, qreal dpr) {
    if ((dpr != 1.0 && dpr != 2.0) || !picture.endsWith(u".svg"))
        return QPixmap();
    const QResource pixels(picture.chopped(4) +
                           QLatin1StringView(dpr == 2.0 ? "@2x.argb" : ".argb"));
    // In place where it is stored as it is (at 1x), else inflated.
    const QByteArray stored = pixels.isValid() ? pixels.uncompressedData() : QByteArray();
    quint32 width = 0, height = 0;
    if (stored.size() >= 8) {
        std::memcpy(&width, stored.constData(), 4);
        std::memcpy(&height, stored.constData() + 4, 4);
    }
    const QSize device{int(width), int(height)};
    const qint64 bytes = qint64(width) * height * 4;
    if (device.isEmpty() || stored.size() != 8 + bytes)
        return QPixmap();
    // Copied rather than wrapped: a resource's bytes need not be aligned as
    // an image's rows must be.
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), stored.constData() + 8, bytes);
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QIcon pictureIcon(const QString &picture) {
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0}) {
        QPixmap pixmap = readyPicture(picture, dpr);
        // Its sizes in pixels, which an icon is asked for.
        pixmap.setDevicePixelRatio(1.0);
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon.isNull() ? QIcon(picture) : icon;
}

QPixmap renderPicture(const QString &picture, QSize size, qreal dpr) {
    if (QPixmap ready = readyPicture(picture, dpr);
        !ready.isNull() && ready.deviceIndependentSize() == QSizeF(size))
        return ready;
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
