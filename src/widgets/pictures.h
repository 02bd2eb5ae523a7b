#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace widgets {

// A picture that is only a picture (with a tooltip, if any), drawn at the
// size given in pixels.
QLabel *pictureLabel(const QString &picture, const QString &toolTip, QRect place, QWidget *parent);

// A picture drawn at the size of its rectangle: as readyPicture() has it
// where that is its size, otherwise from its SVG.
QPixmap renderPicture(const QString &picture, QSize size, qreal devicePixelRatio);

// The picture as the build drew it at its own size, at 1x or 2x; otherwise
// (another scale, or a picture the build did not draw) null.
QPixmap readyPicture(const QString &picture, qreal devicePixelRatio);

// An icon of the picture as the build drew it (the window's, the tray's),
// scaled to the sizes asked of it; from its SVG where the build did not.
QIcon pictureIcon(const QString &picture);

// A mouse cursor from one of the program's pictures.
QCursor pictureCursor(const QString &picture, QPoint hotSpot);

} // namespace widgets
