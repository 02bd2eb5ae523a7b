#pragma once

#include <QCursor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace widgets {

// A picture that is only a picture (with a tooltip, if any), drawn at the
// size given in pixels.
QLabel *pictureLabel(const QString &picture, const QString &toolTip, QRect place, QWidget *parent);

// A picture drawn at the size of its rectangle, rendered once per size.
QPixmap renderPicture(const QString &picture, QSize size, qreal devicePixelRatio);

// A mouse cursor from one of the program's pictures.
QCursor pictureCursor(const QString &picture, QPoint hotSpot);

} // namespace widgets
