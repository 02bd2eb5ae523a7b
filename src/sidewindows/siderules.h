#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Rules of the side windows, apart from any window.

// Every side window has the same client area, in twips (294 x 298 pixels).
constexpr int SideWindowWidthTwips = 4410;
constexpr int SideWindowHeightTwips = 4470;

// The space left between the main window and a side window beside it: 4 pixels.
constexpr int SideWindowGapTwips = 60;

// Where a side window of the given size goes for the alignment setting
// (lblAlignValue read as a number): 1 left of the main window, 2 over its
// centre, anything else right of it. Twips, worked out in single precision
// as the window positions are, so a half twip can result. Nothing keeps the
// window on the screen: beside a main window near the edge it lies off it.
QPointF placeSideWindow(double align, const QRectF &mainTwips, const QSizeF &sideTwips);

// The four number boxes of the settings window keep from a typed key only
// backspace (8) and the digits; anything else, control keys included, comes
// back as 0 and is dropped.
int LimitaValor(int keyAscii);
