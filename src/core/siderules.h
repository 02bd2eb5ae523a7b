#pragma once

#include "core/twips.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Rules of the side windows, apart from any window.
namespace core {

// Every side window has the same client area, in twips (294 x 298 pixels).
constexpr int SideWindowWidthTwips = 4410;
constexpr int SideWindowHeightTwips = 4470;

// The space left between the strip and a side window beside it: 4 pixels.
constexpr int SideWindowGapTwips = 60;

enum class Align { Left = 1, Centre = 2, Right = 3 };

// Where a side window of the given size goes for the alignment setting:
// left of the strip, over its centre, or right of it. Twips, worked out in single precision as the
// window positions are, so a half twip can result. This is where the arrows put it, on the screen
// or not.
QPointF placeSideWindow(Align align, const QRectF &stripTwips, const QSizeF &sideTwips);

// Where a side window opens: as above, unless that puts it partly off the
// screen's available area. Then it opens on the other side of the strip when
// that side fits, and is otherwise moved inside the screen.
QPointF placeSideWindowOnScreen(Align align, const QRectF &stripTwips, const QSizeF &sideTwips,
                                const QRectF &screenTwips);

// The four number boxes of the settings window keep from a typed key only
// backspace (8) and the digits; anything else, control keys included, comes
// back as 0 and is dropped.
int limitToDigits(int keyAscii);

// What a paste or a drop may put into those boxes: its first line, digits only.
QString digitsOfFirstLine(const QString &text);

} // namespace core
